#include "platform/enter_presses_button.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace qm {

namespace {

bool isEnter(const QKeyEvent* key) {
    // The keypad's Enter comes with the keypad modifier; it is Enter all the same.
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool pressable(const QPushButton* button) {
    return button != nullptr && button->isEnabled() && button->isVisible();
}

class EnterPressesButton : public QObject {
  public:
    EnterPressesButton(QWidget* window, QPushButton* defaultButton)
        : QObject(window), window_(window), default_(defaultButton) {}

  protected:
    // Key presses that their control ignores travel up to the window, where this sees them.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_ || event->type() != QEvent::KeyPress ||
            !isEnter(static_cast<QKeyEvent*>(event))) {
            return false;
        }
        auto* focused = qobject_cast<QPushButton*>(window_->focusWidget());
        QPushButton* button = pressable(focused) ? focused : default_.data();
        if (!pressable(button)) {
            return false;
        }
        button->click();
        return true;
    }

  private:
    QWidget* window_;
    QPointer<QPushButton> default_;
};

}  // namespace

void installEnterPressesButton(QWidget* window, QPushButton* defaultButton) {
    window->installEventFilter(new EnterPressesButton(window, defaultButton));
}

}  // namespace qm
