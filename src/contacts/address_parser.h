#pragma once

// Turns the five typed label lines of the main window into the name, street and city
// fields of a new contact. Nothing is saved here: the user checks the result in the Add
// Contact window.

#include <array>
#include <string>

#include "contacts/field_rules.h"

namespace qm {

using AddressLines = std::array<std::string, 5>;

struct ParsedAddress {
    std::string firstName;
    std::string middleInitial;
    std::string lastName;
    std::string street;
    std::string street2;
    std::string city;
    std::string state;
    std::string zip;

    bool operator==(const ParsedAddress&) const = default;
};

enum class AddressParseOutcome {
    Parsed,
    // Line 1 has text but no blank: the user is told and no window opens.
    LineOneWithoutBlank,
};

inline constexpr const char* kLineOneWithoutBlankTitle = "Incorrect entry";
inline constexpr const char* kLineOneWithoutBlankText = "Line 1 must contain a space.";

struct AddressParse {
    AddressParseOutcome outcome = AddressParseOutcome::Parsed;
    ParsedAddress fields;
};

// Five empty lines give empty fields. Throws QmError only for a line no reading fits.
AddressParse parseAddressLines(const AddressLines& lines);

// The parsed values in their contact fields; everything else empty.
ContactFields contactFieldsFrom(const ParsedAddress& parsed);

}  // namespace qm
