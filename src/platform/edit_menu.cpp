#include "platform/edit_menu.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>

#include "platform/platform_services.h"

namespace qm {

namespace {

QLineEdit* focusedTextField() {
    return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

void copySelection(PlatformServices& platform) {
    platform.clearClipboard();
    if (QLineEdit* field = focusedTextField()) {
        platform.setClipboardText(field->selectedText());
    }
}

}  // namespace

void attachCommonEditMenu(QMenu* menu, QAction* cut, QAction* copy, QAction* paste,
                          PlatformServices& platform) {
    QObject::connect(menu, &QMenu::aboutToShow, menu, [cut, copy, paste] {
        cut->setEnabled(true);
        copy->setEnabled(true);
        if (QLineEdit* field = focusedTextField(); field != nullptr && !field->hasSelectedText()) {
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
}

}  // namespace qm
