#pragma once

// Letters the code page cannot hold, folded to the nearest letters it can: the contact file
// stays code page 1252 (stored files rely on it), and a "?" in a stored name helps nobody.

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace qm {

struct FoldedText {
    std::string text;      // UTF-8, every character one the code page holds
    bool changed = false;  // some character had to be replaced or left out
};

// UTF-8 to the letters of code page 1252, still as UTF-8. A character the code page holds
// stays; any other becomes its
// nearest letters the code page holds: marks the code page lacks are dropped (Ł -> L,
// ż -> z), the double acute becomes the diaeresis (ő -> ö), other scripts are written in
// Latin letters (Greek, Cyrillic, CJK). What has no Latin form (an emoji) is left out.
// Letters are folded in time that grows with the length of the text; with `enough`, folding
// stops once that many characters are had: the text returned is then the start of the whole
// text folded, at least `enough` characters long.
FoldedText foldToCodePage(std::string_view utf8,
                          std::size_t enough = std::numeric_limits<std::size_t>::max());

// What an import folds of a value at most: far more than any field holds, so that whatever
// cleaning takes out of the value before it is cut to its field, the field is filled as from
// the whole value.
inline constexpr std::size_t kFoldedForAField = 4096;

}  // namespace qm
