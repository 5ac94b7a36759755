#pragma once

// The main window's five typed lines, found by name as the window tests type into them.

#include <QLineEdit>
#include <QObject>
#include <QStringList>
#include <array>

#include "support/controls_qt.h"

namespace qm::test {

inline std::array<QLineEdit*, 5> typedLineFields(const QObject& window) {
    return {control<QLineEdit>(window, "txtLMLine1"), control<QLineEdit>(window, "txtLMLine2"),
            control<QLineEdit>(window, "txtLMline3"), control<QLineEdit>(window, "txtLMLine4"),
            control<QLineEdit>(window, "txtLMLine5")};
}

// The lines given, from the first; the fields beyond them emptied.
inline void typeLines(const QObject& window, const QStringList& lines) {
    const auto fields = typedLineFields(window);
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        fields[static_cast<std::size_t>(i)]->setText(i < lines.size() ? lines[i] : QString());
    }
}

inline QStringList typedLineTexts(const QObject& window) {
    QStringList texts;
    for (const QLineEdit* field : typedLineFields(window)) {
        texts << field->text();
    }
    return texts;
}

}  // namespace qm::test
