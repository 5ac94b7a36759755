#pragma once

// The name a contact file goes by in captions and on the report.

#include <string>
#include <string_view>

namespace qm {

// The file name without its folder and a book's ".qmbook" (in any case), every upper-case
// ".DAT" removed.
std::string contactFileTitle(std::string_view path);

}  // namespace qm
