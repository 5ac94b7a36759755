#pragma once

// Controls and menu items carry the names the rest of the program (and the tests) find them by.

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QString>

namespace qm {

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

inline QAction* addMenuItem(QMenu* menu, const char* name, const QString& text,
                            const QKeySequence& key = QKeySequence()) {
    QAction* action = named(menu->addAction(text), name);
    if (!key.isEmpty()) {
        action->setShortcut(key);
    }
    return action;
}

}  // namespace qm
