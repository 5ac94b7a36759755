#include "platform/qt_text.h"

#include <algorithm>

#include "records/code_page.h"

namespace qm {

// Code page 1252 is Latin-1 but for bytes 0x80 to 0x9F, which no ASCII text holds: such text
// (nearly all of it) goes straight into the string, without a copy in between.
QString fromCp(const std::string& text) {
    const bool latin1 = std::none_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b >= 0x80 && b <= 0x9F;
    });
    if (latin1) {
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    QString out(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[static_cast<qsizetype>(i)] =
            QChar(static_cast<char16_t>(cp1252ToCodePoint(static_cast<unsigned char>(text[i]))));
    }
    return out;
}

std::string toCp(const QString& text) {
    return utf16ToCp1252(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                             static_cast<std::size_t>(text.size())));
}

FoldedText toCpFolded(const QString& text) {
    return foldToCodePage(text.toStdString());
}

}  // namespace qm
