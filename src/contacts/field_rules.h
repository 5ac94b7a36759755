#pragma once

// The checks a contact passes before it is saved, and the cleaning they do on the way:
// commas taken out or turned to blanks, dots out of the middle initial, phone numbers
// normalised. Adding a contact and saving an edited one share the checks; the few places
// where they part are the CheckVariant below.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "records/contact_record.h"

namespace qm {

// The seventeen contact text fields, in tab order.
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

// The fields as typed (code page 1252), plus the include-company box. The birthdate is the
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

// Every field in tab order, for loops over the form.
inline constexpr std::array<ContactField, kContactFieldCount> kAllContactFields = {
    ContactField::FirstName, ContactField::MiddleInitial, ContactField::LastName,
    ContactField::Street,    ContactField::Street2,       ContactField::City,
    ContactField::State,     ContactField::Zip,           ContactField::Country,
    ContactField::Company,   ContactField::Birthdate,     ContactField::HomePhone,
    ContactField::CellPhone, ContactField::WorkPhone,     ContactField::Email,
    ContactField::Category,  ContactField::Notes};

// A failed check: the message to show (OK button) and the field to put the focus on.
struct FieldCheck {
    std::string title;
    std::string text;
    ContactField field;
    bool moveFocus;  // the birthdate message leaves the focus where it was

    bool operator==(const FieldCheck&) const = default;
};

// Where saving an edited contact checks differently from adding one.
struct CheckVariant {
    // Empty last name checked before its commas go (so "," alone passes and saves empty).
    bool lastNameEmptyBeforeCommas = false;
    // State: only "longer than 2" fails, instead of "neither empty nor 2 long".
    bool shortStateAllowed = false;
    // Country: commas removed instead of turned to blanks.
    bool countryCommasRemoved = false;
    std::string_view countryLengthText;
};

extern const CheckVariant kAddContactChecks;
extern const CheckVariant kEditContactChecks;

// Runs the checks in order on the fields, cleaning them in place as it goes. Stops at the
// first failure and returns it; the cleaning done up to there stays in the fields.
std::optional<FieldCheck> checkAndClean(ContactFields& fields, const CheckVariant& variant);
inline std::optional<FieldCheck> checkAndCleanForAdd(ContactFields& fields) {
    return checkAndClean(fields, kAddContactChecks);
}
inline std::optional<FieldCheck> checkAndCleanForBrowser(ContactFields& fields) {
    return checkAndClean(fields, kEditContactChecks);
}

// What Save does to a field's text apart from its checks: commas out, or turned to blanks in
// the country (as the variant says), the category and the notes; dots out of the middle
// initial; phone numbers normalised. The e-mail address and the birthdate keep their text.
std::string cleanFieldText(ContactField field, std::string_view text,
                           const CheckVariant& variant = kAddContactChecks);
bool commasBecomeBlanks(ContactField field, const CheckVariant& variant = kAddContactChecks);

// Whether a value passes the field's checks other than its length: a state of two
// characters or none, an e-mail address without comma or blank and with "@" and ".", a
// birthdate of the form MM/DD/YYYY.
bool passesFormCheck(ContactField field, std::string_view text,
                     const CheckVariant& variant = kAddContactChecks);

// The record field a form field is stored in.
const FieldLayout& recordFieldOf(ContactField field);

// How a value typed as UTF-8 will be stored: letters the code page cannot hold folded to
// their nearest ones, the field's cleaning done, cut to the field's width. Lets a window
// show the stored form before saving when the letters had to change.
struct TypedStoredForm {
    std::string text;  // code page 1252; the birthdate stays in its entered form
    bool lettersChanged = false;
};
TypedStoredForm storedFormOfTyped(ContactField field, std::string_view typedUtf8);

// "(" out, ")" to "-", blanks and "+" out: "(555) 123-4567" becomes "555-123-4567".
std::string normalisePhone(std::string_view phone);

// The record for checked fields: first name trimmed, middle initial, state and country in
// upper case, the birthdate in its stored form, the include-company flag "1" only when the
// box is ticked and a company is given, the reminder flag from the reminder setting.
// Adding and saving an edited contact build it the same way.
ContactRecord buildContactRecord(const ContactFields& fields, bool remindersOn);

// The other way, for showing a stored contact: trimmed values, the birthdate as MM/DD/YYYY.
ContactFields fieldsFromRecord(const ContactRecord& record);

}  // namespace qm
