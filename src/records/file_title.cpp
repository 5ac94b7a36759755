#include "records/file_title.h"

#include "records/contact_book.h"
#include "records/text_rules.h"

namespace qm {

std::string contactFileTitle(std::string_view path) {
    const auto slash = path.rfind('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (hasContactBookEnding(name)) {
        name.remove_suffix(kContactBookEnding.size());
    }
    return removeAll(name, ".DAT");
}

}  // namespace qm
