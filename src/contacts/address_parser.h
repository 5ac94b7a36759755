#pragma once

// Turns the five typed label lines of the main window into the name, street and city
// fields of a new contact. Nothing is saved here: the user checks the result in the Add
// Contact window.

#include <array>
#include <string>

#include "records/contact_fields.h"

namespace qm {

using AddressLines = std::array<std::string, 5>;

// The fields the parser fills, in their order; it leaves the others empty.
inline constexpr ContactField kParsedFields[] = {
    ContactField::FirstName, ContactField::MiddleInitial,
    ContactField::LastName,  ContactField::Street,
    ContactField::Street2,   ContactField::City,
    ContactField::State,     ContactField::Zip};

enum class AddressParseOutcome {
    Parsed,
    // Line 1 has text but no blank: the user is told and no window opens.
    LineOneWithoutBlank,
};

inline constexpr const char* kLineOneWithoutBlankTitle = "Incorrect entry";
inline constexpr const char* kLineOneWithoutBlankText = "Line 1 must contain a space.";

struct AddressParse {
    AddressParseOutcome outcome = AddressParseOutcome::Parsed;
    ContactFields fields;
};

// Five empty lines give empty fields. Throws QmError only for a line no reading fits.
AddressParse parseAddressLines(const AddressLines& lines);

}  // namespace qm
