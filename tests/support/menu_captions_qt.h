#pragma once

// Menu captions as the user reads them: without the "&" that marks the Alt key.

#include <QAction>
#include <QMenu>
#include <QStringList>

namespace qm::test {

inline QString withoutAltKey(QString caption) {
    return caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
        .remove(QLatin1Char('&'))
        .replace(QStringLiteral("\x01"), QStringLiteral("&"));
}

// The items that show, in order; "-" stands for a separator.
inline QStringList menuCaptions(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions()) {
        if (a->isVisible()) {
            out << (a->isSeparator() ? QStringLiteral("-") : withoutAltKey(a->text()));
        }
    }
    return out;
}

}  // namespace qm::test
