#include "contacts/contact_save.h"

namespace qm {

std::variant<ContactRecord, FieldCheck> checkedContactRecord(ContactFields& fields,
                                                             const CheckVariant& variant,
                                                             bool remindersOn,
                                                             const FieldLimits& limits) {
    if (auto failed = checkAndClean(fields, variant, limits)) {
        return *failed;
    }
    return buildContactRecord(fields, remindersOn);
}

bool includeCompanyAfterEdit(const ContactFields& shown, const std::string& company) {
    if (company == shown.company) {
        return shown.includeCompany;
    }
    return !company.empty();
}

}  // namespace qm
