#pragma once

// A contact's fields, each described once: its name, its width in the contact file, its
// label in the contact windows, its command-line option and its checks. The record layout,
// Save's checks and their messages, the import's tables and the command line's options all
// read these rows.

#include <array>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "records/code_page.h"
#include "records/code_page_fold.h"

namespace qm {

// The seventeen text fields of a contact, in the order the contact windows show them.
enum class ContactField {
    FirstName,
    MiddleInitial,
    LastName,
    Street,
    Street2,
    City,
    State,
    Zip,
    Country,
    Company,
    Birthdate,
    HomePhone,
    CellPhone,
    WorkPhone,
    Email,
    Category,
    Notes,
};

inline constexpr std::size_t kContactFieldCount = 17;

// Field values as the program uses them: trimmed UTF-8 text. The birthdate is
// the stored eight-character form (YYYYMMDD) or empty; the flags are "1" or "0".
struct ContactRecord {
    std::string firstName;
    std::string middleInitial;
    std::string lastName;
    std::string street;
    std::string street2;
    std::string city;
    std::string state;
    std::string zip;
    std::string country;
    std::string homePhone;
    std::string cellPhone;
    std::string workPhone;
    std::string email;
    std::string birthdate;
    std::string category;
    std::string notes;
    std::string company;
    std::string includeCompany = "0";
    std::string reminder = "0";

    bool operator==(const ContactRecord&) const = default;
};

// The fields as typed (UTF-8), plus the include-company box. The birthdate is the
// entered form (MM/DD/YYYY), not the stored one.
struct ContactFields {
    std::string firstName;
    std::string middleInitial;
    std::string lastName;
    std::string street;
    std::string street2;
    std::string city;
    std::string state;
    std::string zip;
    std::string country;
    std::string company;
    std::string birthdate;
    std::string homePhone;
    std::string cellPhone;
    std::string workPhone;
    std::string email;
    std::string category;
    std::string notes;
    bool includeCompany = false;

    std::string& text(ContactField field);
    const std::string& text(ContactField field) const;

    bool operator==(const ContactFields&) const = default;
};

// What Save does to a field's text apart from its checks.
enum class Cleaning {
    CommasRemoved,
    CommasToBlanks,
    InitialCommasAndDotsRemoved,
    PhoneNormalised,  // then its commas removed
    Kept,             // the e-mail address refuses commas; the birthdate has its form
};

struct FieldDescription {
    std::string_view name;  // as the record layout names it
    std::size_t width;      // characters in the contact file
    std::string ContactRecord::*stored;
    // The typed field and what goes with it; none for the two flags.
    std::optional<ContactField> typed = std::nullopt;
    std::string ContactFields::*entered = nullptr;
    std::string_view label = {};    // in the contact windows
    std::string_view heading = {};  // over a column of values (the import's preview)
    std::string_view option = {};   // the command line's --option
    std::string_view optionValue = "T";
    // Save's message for a value longer than the store holds, "{}" standing for that length;
    // empty for a field whose form check covers its length (state, birthdate).
    std::string_view tooLong = {};
    Cleaning cleaning = Cleaning::Kept;
    bool storedUpperCase = false;
};

// Every stored field, in the contact file's order; each is followed by a separator byte.
inline constexpr std::array<FieldDescription, 19> kFieldDescriptions = {{
    {"First name", 11, &ContactRecord::firstName, ContactField::FirstName,
     &ContactFields::firstName, "First Name:", "First Name", "first", "T",
     "First name must be {} characters or less.", Cleaning::CommasRemoved},
    {"Middle initial", 1, &ContactRecord::middleInitial, ContactField::MiddleInitial,
     &ContactFields::middleInitial, "Middle Initial:", "MI", "middle", "T",
     "Enter only {} character for middle initial.", Cleaning::InitialCommasAndDotsRemoved, true},
    {"Last name", 16, &ContactRecord::lastName, ContactField::LastName, &ContactFields::lastName,
     "Last Name:", "Last Name", "last", "T", "Enter last name, {} characters or less.",
     Cleaning::CommasRemoved},
    {"Street address", 30, &ContactRecord::street, ContactField::Street, &ContactFields::street,
     "Street Address:", "Street", "street", "T", "Street address must be {} characters or less.",
     Cleaning::CommasRemoved},
    {"Additional street info", 15, &ContactRecord::street2, ContactField::Street2,
     &ContactFields::street2, "Additional Street Info/Apt:", "Street 2", "street2", "T",
     "Street address2 must be {} characters or less.", Cleaning::CommasRemoved},
    {"City", 16, &ContactRecord::city, ContactField::City, &ContactFields::city, "City:", "City",
     "city", "T", "City must be {} characters or less.", Cleaning::CommasRemoved},
    {"State", 2, &ContactRecord::state, ContactField::State, &ContactFields::state,
     "State:", "State", "state", "T", "", Cleaning::CommasRemoved, true},
    {"Zip code", 10, &ContactRecord::zip, ContactField::Zip, &ContactFields::zip, "Zip Code:",
     "Zip Code", "zip", "T", "Zip Code must be {} characters or less.", Cleaning::CommasRemoved},
    {"Country", 19, &ContactRecord::country, ContactField::Country, &ContactFields::country,
     "Country:", "Country", "country", "T",
     "Country must be {} characters or less.  For example, USA.", Cleaning::CommasToBlanks, true},
    {"Home phone", 15, &ContactRecord::homePhone, ContactField::HomePhone,
     &ContactFields::homePhone, "Home Phone:", "Home Phone", "home-phone", "T",
     "Home Phone must be {} characters or less.", Cleaning::PhoneNormalised},
    {"Cell phone", 15, &ContactRecord::cellPhone, ContactField::CellPhone,
     &ContactFields::cellPhone, "Cell Phone:", "Cell Phone", "cell-phone", "T",
     "Cell Phone must be {} characters or less.", Cleaning::PhoneNormalised},
    {"Work phone", 13, &ContactRecord::workPhone, ContactField::WorkPhone,
     &ContactFields::workPhone, "Work Phone:", "Work Phone", "work-phone", "T",
     "Work Phone must be {} characters or less.", Cleaning::PhoneNormalised},
    {"Email address", 50, &ContactRecord::email, ContactField::Email, &ContactFields::email,
     "Email Address:", "Email", "email", "T", "Email address must be {} characters or less.",
     Cleaning::Kept},
    {"Birthdate", 8, &ContactRecord::birthdate, ContactField::Birthdate, &ContactFields::birthdate,
     "Birthdate (MM/DD/YYYY):", "Birthdate", "birthdate", "MM/DD/YYYY", "", Cleaning::Kept},
    {"Category", 80, &ContactRecord::category, ContactField::Category, &ContactFields::category,
     "Category:", "Category", "category", "T", "Category must be {} characters or less.",
     Cleaning::CommasToBlanks},
    {"Notes", 160, &ContactRecord::notes, ContactField::Notes, &ContactFields::notes, "Notes:",
     "Notes", "notes", "T", "Notes must be {} characters or less.", Cleaning::CommasToBlanks},
    {"Company name", 30, &ContactRecord::company, ContactField::Company, &ContactFields::company,
     "Company Name:", "Company", "company", "T", "Company Name must be {} characters or less.",
     Cleaning::CommasRemoved},
    {.name = "Include-company flag", .width = 1, .stored = &ContactRecord::includeCompany},
    {.name = "Reminder flag", .width = 1, .stored = &ContactRecord::reminder},
}};

// Index of a field in kFieldDescriptions (the contact file's order); the size of the table
// for a member no row stores.
constexpr std::size_t fieldIndex(std::string ContactRecord::*member) {
    for (std::size_t i = 0; i < kFieldDescriptions.size(); ++i) {
        if (kFieldDescriptions[i].stored == member) {
            return i;
        }
    }
    return kFieldDescriptions.size();
}
constexpr std::size_t fieldIndex(ContactField field) {
    for (std::size_t i = 0; i < kFieldDescriptions.size(); ++i) {
        if (kFieldDescriptions[i].typed == field) {
            return i;
        }
    }
    return kFieldDescriptions.size();
}

constexpr const FieldDescription& describe(ContactField field) {
    return kFieldDescriptions[fieldIndex(field)];
}

// Every typed field in the order the windows show them, for loops over the form.
inline constexpr std::array<ContactField, kContactFieldCount> kAllContactFields = [] {
    std::array<ContactField, kContactFieldCount> all{};
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<ContactField>(i);
    }
    return all;
}();

// What each typed field may hold in one kind of contact store: the longest value and the
// letters. Save's checks and their messages, the import's readers, the contact file's
// records and every window or command that turns text into a contact value ask here, so a
// store that holds more changes this one lookup.
struct FieldLimits {
    std::array<std::size_t, kContactFieldCount> longest{};
    // The letters the store holds: code page 1252's alone, or any.
    TextEncoding letters = TextEncoding::Utf8;

    constexpr std::size_t of(ContactField field) const {
        return longest[static_cast<std::size_t>(field)];
    }

    // A UTF-8 value with its letters as the store holds them: in a store of code page 1252,
    // a letter the code page lacks folded to its nearest (foldToCodePage, which `enough`
    // may stop early), and `changed` set. Its length is the field's business (the checks,
    // or the cut as it is stored).
    FoldedText storable(std::string_view utf8,
                        std::size_t enough = std::numeric_limits<std::size_t>::max()) const;
};

// The contact file holds each field at its width, in code page 1252.
inline constexpr FieldLimits kContactFileLimits = [] {
    FieldLimits limits;
    for (ContactField field : kAllContactFields) {
        limits.longest[static_cast<std::size_t>(field)] = describe(field).width;
    }
    limits.letters = TextEncoding::CodePage1252;
    return limits;
}();

}  // namespace qm
