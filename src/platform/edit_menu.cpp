#include "platform/edit_menu.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "platform/platform_services.h"

namespace qm {

namespace {

// Which text field the menu acts on, in the window that owns the menu. Two things of Qt's
// stand in the way and are handled here:
// - A line field answers Ctrl+X, Ctrl+C and Ctrl+V itself, straight to the system clipboard,
//   before the menu's shortcuts are looked at. Those keys are taken from the field and given
//   to the menu's commands, so they act as the menu does.
// - Opening the menu from the keyboard (Alt+E) gives the focus to the menu bar, and the field
//   drops its selection as it loses the focus. The field and its selection are kept while the
//   menu bar has the focus, and the selection is put back when the focus returns.
class EditMenuFocus : public QObject {
  public:
    EditMenuFocus(QWidget* owner, QAction* cut, QAction* copy, QAction* paste)
        : QObject(owner), owner_(owner), cut_(cut), copy_(copy), paste_(paste) {
        if (owner_ != nullptr) {
            qApp->installEventFilter(this);
        }
    }

    // The focused text field, or the one the menu bar took the focus from; null otherwise.
    QLineEdit* field() const {
        QWidget* focus = QApplication::focusWidget();
        if (auto* line = qobject_cast<QLineEdit*>(focus)) {
            return line;
        }
        if (qobject_cast<QMenuBar*>(focus) != nullptr && !parked_.isNull()) {
            return parked_.data();
        }
        return nullptr;
    }

    // The menu's rule: Cut and Copy only when a focused text field has a selection.
    bool selectionToActOn() const {
        const QLineEdit* line = field();
        if (line == nullptr) {
            return true;
        }
        return line == parked_.data() && !line->hasFocus() ? parkedLength_ > 0
                                                           : line->hasSelectedText();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* line = qobject_cast<QLineEdit*>(watched);
        if (line == nullptr || line->window() != owner_) {
            return false;
        }
        switch (event->type()) {
            case QEvent::FocusOut:
                park(line, static_cast<QFocusEvent*>(event)->reason());
                return false;
            case QEvent::FocusIn:
                unpark(line, static_cast<QFocusEvent*>(event)->reason());
                return false;
            case QEvent::ShortcutOverride:
            case QEvent::KeyPress:
                return takeKey(static_cast<QKeyEvent*>(event));
            default:
                return false;
        }
    }

  private:
    void park(QLineEdit* line, Qt::FocusReason reason) {
        if (reason == Qt::MenuBarFocusReason) {
            parked_ = line;
            parkedStart_ = line->selectionStart();
            parkedLength_ = line->selectionLength();
        }
    }

    void unpark(QLineEdit* line, Qt::FocusReason reason) {
        if (line == parked_.data() && reason == Qt::MenuBarFocusReason && parkedLength_ > 0) {
            line->setSelection(parkedStart_, parkedLength_);
        }
        parked_.clear();
    }

    bool takeKey(QKeyEvent* key) {
        QAction* command = commandFor(QKeySequence(key->keyCombination()));
        if (command == nullptr) {
            return false;
        }
        if (key->type() == QEvent::ShortcutOverride) {
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
    QPointer<QLineEdit> parked_;
    int parkedStart_ = -1;
    int parkedLength_ = 0;
};

QWidget* windowOfMenu(QMenu* menu) {
    QWidget* holder = menu->parentWidget();
    return holder != nullptr ? holder->window() : nullptr;
}

void copySelection(const EditMenuFocus& focus, PlatformServices& platform) {
    // Nothing but a text field has text to copy; the clipboard stays as it is otherwise.
    if (QLineEdit* line = focus.field()) {
        platform.clearClipboard();
        platform.setClipboardText(line->selectedText());
    }
}

}  // namespace

void attachCommonEditMenu(QMenu* menu, QAction* cut, QAction* copy, QAction* paste,
                          PlatformServices& platform) {
    auto* focus = new EditMenuFocus(windowOfMenu(menu), cut, copy, paste);
    if (focus->parent() == nullptr) {
        focus->setParent(menu);
    }
    QObject::connect(menu, &QMenu::aboutToShow, menu, [focus, cut, copy, paste] {
        cut->setEnabled(true);
        copy->setEnabled(true);
        if (!focus->selectionToActOn()) {
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
    QObject::connect(copy, &QAction::triggered, menu,
                     [focus, &platform] { copySelection(*focus, platform); });
    QObject::connect(cut, &QAction::triggered, menu, [focus, &platform] {
        copySelection(*focus, platform);
        if (QLineEdit* line = focus->field();
            line != nullptr && !line->isReadOnly() && line->hasSelectedText()) {
            line->del();
        }
    });
    QObject::connect(paste, &QAction::triggered, menu, [focus, &platform] {
        if (QLineEdit* line = focus->field(); line != nullptr && !line->isReadOnly()) {
            line->insert(platform.clipboardText());
        }
    });
}

}  // namespace qm
