#include "platform/enter_as_tab.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace qm {

namespace {

class EnterAsTab : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            // The keypad's Enter carries the keypad modifier; it is Enter all the same.
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
                auto* widget = static_cast<QWidget*>(watched);
                QWidget* next = widget->nextInFocusChain();
                while (next != widget && !(next->isEnabled() && next->isVisible() &&
                                           (next->focusPolicy() & Qt::TabFocus))) {
                    next = next->nextInFocusChain();
                }
                next->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void installEnterAsTab(QWidget* field) {
    field->installEventFilter(new EnterAsTab(field));
}

}  // namespace qm
