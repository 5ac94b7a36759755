#include "platform/edit_menu.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "platform/platform_services.h"

namespace qm {

namespace {

QLineEdit* focusedTextField() {
    return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

// The rule the menu applies when it opens: Cut and Copy only with a selection to act on.
bool selectionToActOn() {
    const QLineEdit* field = focusedTextField();
    return field == nullptr || field->hasSelectedText();
}

void copySelection(PlatformServices& platform) {
    // Nothing but a text field has text to copy; the clipboard stays as it is otherwise.
    if (QLineEdit* field = focusedTextField()) {
        platform.clearClipboard();
        platform.setClipboardText(field->selectedText());
    }
}

// A line field answers Ctrl+X, Ctrl+C and Ctrl+V itself, straight to the system clipboard,
// before the menu's shortcuts are looked at. In the window that owns the menu those keys are
// taken from the field and given to the menu's commands, so that they act as the menu does.
class EditMenuKeys : public QObject {
  public:
    EditMenuKeys(QWidget* owner, QAction* cut, QAction* copy, QAction* paste)
        : QObject(owner), owner_(owner), cut_(cut), copy_(copy), paste_(paste) {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
            return false;
        }
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field == nullptr || field->window() != owner_) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        QAction* command = commandFor(QKeySequence(key->keyCombination()));
        if (command == nullptr) {
            return false;
        }
        if (event->type() == QEvent::ShortcutOverride) {
            // Claimed here, so the key press comes to this filter rather than to a shortcut.
            key->accept();
            return true;
        }
        const bool needsSelection = command != paste_;
        if (command->isEnabled() && (!needsSelection || selectionToActOn())) {
            command->trigger();
        }
        return true;
    }

  private:
    QAction* commandFor(const QKeySequence& pressed) const {
        for (QAction* command : {cut_, copy_, paste_}) {
            if (!command->shortcut().isEmpty() && command->shortcut() == pressed) {
                return command;
            }
        }
        return nullptr;
    }

    QWidget* owner_;
    QAction* cut_;
    QAction* copy_;
    QAction* paste_;
};

QWidget* windowOfMenu(QMenu* menu) {
    QWidget* holder = menu->parentWidget();
    return holder != nullptr ? holder->window() : nullptr;
}

}  // namespace

void attachCommonEditMenu(QMenu* menu, QAction* cut, QAction* copy, QAction* paste,
                          PlatformServices& platform) {
    QObject::connect(menu, &QMenu::aboutToShow, menu, [cut, copy, paste] {
        cut->setEnabled(true);
        copy->setEnabled(true);
        if (!selectionToActOn()) {
            cut->setEnabled(false);
            copy->setEnabled(false);
        }
        paste->setEnabled(true);
    });
    // Keyboard shortcuts reach the actions even while the menu is closed, so the enabled
    // state is brought back after the menu hides.
    QObject::connect(menu, &QMenu::aboutToHide, menu, [cut, copy] {
        cut->setEnabled(true);
        copy->setEnabled(true);
    });
    QObject::connect(copy, &QAction::triggered, menu, [&platform] { copySelection(platform); });
    QObject::connect(cut, &QAction::triggered, menu, [&platform] {
        copySelection(platform);
        if (QLineEdit* field = focusedTextField();
            field != nullptr && !field->isReadOnly() && field->hasSelectedText()) {
            field->del();
        }
    });
    QObject::connect(paste, &QAction::triggered, menu, [&platform] {
        if (QLineEdit* field = focusedTextField(); field != nullptr && !field->isReadOnly()) {
            field->insert(platform.clipboardText());
        }
    });
    if (QWidget* owner = windowOfMenu(menu)) {
        new EditMenuKeys(owner, cut, copy, paste);
    }
}

}  // namespace qm
