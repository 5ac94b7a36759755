#include "records/contact_fields.h"

namespace qm {

std::string& ContactFields::text(ContactField field) {
    return this->*(describe(field).entered);
}

const std::string& ContactFields::text(ContactField field) const {
    return this->*(describe(field).entered);
}

FoldedText FieldLimits::storable(std::string_view utf8, std::size_t enough) const {
    if (letters == TextEncoding::CodePage1252) {
        return foldToCodePage(utf8, enough);
    }
    return {std::string(utf8), false};
}

}  // namespace qm
