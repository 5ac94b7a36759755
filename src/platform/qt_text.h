#pragma once

// The one place where window text (UTF-16) meets core text (code page 1252).

#include <QString>
#include <string>

namespace qm {

QString fromCp(const std::string& text);
// Characters the code page cannot hold become "?".
std::string toCp(const QString& text);

}  // namespace qm
