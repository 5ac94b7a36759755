#pragma once

// The one place where window text (UTF-16) meets core text (code page 1252).

#include <QString>
#include <string>

#include "records/code_page_fold.h"

namespace qm {

QString fromCp(const std::string& text);
// Characters the code page cannot hold become "?".
std::string toCp(const QString& text);
// For text that becomes a contact value: letters the code page cannot hold folded to their
// nearest ones (Ł -> L), never "?".
FoldedText toCpFolded(const QString& text);

}  // namespace qm
