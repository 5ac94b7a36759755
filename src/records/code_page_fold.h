#pragma once

// Letters the code page cannot hold, folded to the nearest letters it can: the contact file
// stays code page 1252 (stored files rely on it), and a "?" in a stored name helps nobody.

#include <string>
#include <string_view>

namespace qm {

struct FoldedText {
    std::string text;      // code page 1252
    bool changed = false;  // some character had to be replaced or left out
};

// UTF-8 to code page 1252. A character the code page holds stays; any other becomes its
// nearest letters the code page holds: marks the code page lacks are dropped (Ł -> L,
// ż -> z), the double acute becomes the diaeresis (ő -> ö), other scripts are written in
// Latin letters (Greek, Cyrillic, CJK). What has no Latin form (an emoji) is left out.
FoldedText foldToCodePage(std::string_view utf8);

}  // namespace qm
