#include "records/contact_fields.h"

namespace qm {

std::string& ContactFields::text(ContactField field) {
    return this->*(describe(field).entered);
}

const std::string& ContactFields::text(ContactField field) const {
    return this->*(describe(field).entered);
}

}  // namespace qm
