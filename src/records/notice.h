#pragma once

// A failed input check of a printing command: what the window shows (always with an OK
// button). Checks are not errors, so they travel as values.

#include <string>

namespace qm {

enum class NoticeIcon { None, Information, Exclamation };

struct Notice {
    std::string title;
    std::string text;
    NoticeIcon icon = NoticeIcon::None;
    bool operator==(const Notice&) const = default;
};

}  // namespace qm
