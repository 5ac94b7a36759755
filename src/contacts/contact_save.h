#pragma once

// What Save does before the write, in the Add Contact window, the contact browser and on
// the command line alike: the checks with their cleaning, then the record.

#include <variant>

#include "contacts/field_rules.h"
#include "records/contact_record.h"

namespace qm {

// Runs the variant's checks on the fields (cleaning them in place, also when a check
// fails) with the limits of the store it saves into, and builds the record to write, with
// the reminder flag of the reminder setting.
std::variant<ContactRecord, FieldCheck> checkedContactRecord(
    ContactFields& fields, const CheckVariant& variant, bool remindersOn,
    const FieldLimits& limits = kContactFileLimits);

// The include-company box after the company name is set to `company`: a changed name ticks
// it when not empty and clears it when empty; an unchanged name leaves the box alone.
bool includeCompanyAfterEdit(const ContactFields& shown, const std::string& company);

}  // namespace qm
