#pragma once

// The one place where window text (UTF-16) meets core text (UTF-8).

#include <QString>
#include <string>

#include "records/contact_fields.h"

namespace qm {

QString fromCore(const std::string& text);
std::string toCore(const QString& text);
// For text that becomes a contact value (or meets contact values, as a search text does) in
// a store of these limits: its letters as the store holds them (Ł -> L in a contact file),
// never "?".
FoldedText toStorable(const QString& text, const FieldLimits& limits);

}  // namespace qm
