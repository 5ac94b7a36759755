#pragma once

// A contact read from another program's file: its values taken as a person would type them
// into Add Contact and cleaned by the same field rules (commas, phone numbers, state and
// middle initial in upper case...). A value that fails its form check (a state that is
// not two letters, an e-mail address without "@") is left out rather than kept half-right;
// a value longer than its field is cut to the field, as every import does.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "contacts/field_rules.h"
#include "exchange/contact_reader.h"

namespace qm {

class TypedContact {
  public:
    // Its values made storable by `limits`, which outlive it.
    explicit TypedContact(const FieldLimits& limits) : limits_(limits) {}

    // Sets the field from a UTF-8 value (trimmed, its letters made storable) unless the
    // field already holds something or the value is empty.
    void offer(ContactField field, std::string_view utf8);
    // Sets the field whatever it held.
    void set(ContactField field, std::string_view utf8);
    bool has(ContactField field) const { return !fields_.text(field).empty(); }

    // The row as Add Contact would store it, the company included in the address when
    // there is one. Leaves the contact spent.
    ContactRow cleanedRow();

  private:
    const FieldLimits& limits_;
    ContactFields fields_;
    std::uint32_t foldedFields_ = 0;
};

// A birthdate in the forms files use (1975-07-04, 19750704, 7/4/1975, 4.7.1975, with a time
// after it or not) as MM/DD/YYYY; none for a date without a year (--07-04) or no date.
std::optional<std::string> enteredBirthdate(std::string_view value);

// "Ann Lee" as first name Ann and last name Lee: split at the last blank; a single word is
// the last name (the one name Add Contact requires).
void offerFullName(TypedContact& contact, std::string_view fullName);

// The first item of a list in one value: Google's "a ::: b", or items separated by commas
// or semicolons.
std::string_view firstListItem(std::string_view value);

}  // namespace qm
