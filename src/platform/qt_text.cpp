#include "platform/qt_text.h"

#include "records/code_page.h"

namespace qm {

QString fromCp(const std::string& text) {
    const std::u16string wide = cp1252ToUtf16(text);
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

std::string toCp(const QString& text) {
    return utf16ToCp1252(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                             static_cast<std::size_t>(text.size())));
}

FoldedText toCpFolded(const QString& text) {
    return foldToCodePage(text.toStdString());
}

}  // namespace qm
