#pragma once

// The checks a contact passes before it is saved, and the cleaning they do on the way:
// commas taken out or turned to blanks, dots out of the middle initial, phone numbers
// normalised. Adding a contact and saving an edited one share the checks; the few places
// where they part are the CheckVariant below.

#include <optional>
#include <string>
#include <string_view>

#include "records/contact_fields.h"
#include "records/contact_record.h"

namespace qm {

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
    // Country: this message for a value too long instead of the field's own.
    std::string_view countryTooLong;
};

extern const CheckVariant kAddContactChecks;
extern const CheckVariant kEditContactChecks;

// Runs the checks in order on the fields, cleaning them in place as it goes. Stops at the
// first failure and returns it; the cleaning done up to there stays in the fields. A value
// may be as long as the store's limits say.
std::optional<FieldCheck> checkAndClean(ContactFields& fields, const CheckVariant& variant,
                                        const FieldLimits& limits = kContactFileLimits);
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
