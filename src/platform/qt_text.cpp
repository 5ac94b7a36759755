#include "platform/qt_text.h"

namespace qm {

QString fromCore(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toCore(const QString& text) {
    return text.toStdString();
}

FoldedText toStorable(const QString& text, const FieldLimits& limits) {
    return limits.storable(toCore(text));
}

}  // namespace qm
