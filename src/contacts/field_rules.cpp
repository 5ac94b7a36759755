#include "contacts/field_rules.h"

#include <utility>

#include "records/code_page_fold.h"
#include "records/text_rules.h"

namespace qm {

const CheckVariant kAddContactChecks{
    .lastNameEmptyBeforeCommas = false,
    .shortStateAllowed = false,
    .countryCommasRemoved = false,
    .countryLengthText = "Country must be 19 characters or less.  For example, USA.",
};

const CheckVariant kEditContactChecks{
    .lastNameEmptyBeforeCommas = true,
    .shortStateAllowed = true,
    .countryCommasRemoved = true,
    .countryLengthText = "Country must be 19 characters or less. For example, USA.",
};

std::string& ContactFields::text(ContactField field) {
    return const_cast<std::string&>(std::as_const(*this).text(field));
}

const std::string& ContactFields::text(ContactField field) const {
    switch (field) {
        case ContactField::FirstName:
            return firstName;
        case ContactField::MiddleInitial:
            return middleInitial;
        case ContactField::LastName:
            return lastName;
        case ContactField::Street:
            return street;
        case ContactField::Street2:
            return street2;
        case ContactField::City:
            return city;
        case ContactField::State:
            return state;
        case ContactField::Zip:
            return zip;
        case ContactField::Country:
            return country;
        case ContactField::Company:
            return company;
        case ContactField::Birthdate:
            return birthdate;
        case ContactField::HomePhone:
            return homePhone;
        case ContactField::CellPhone:
            return cellPhone;
        case ContactField::WorkPhone:
            return workPhone;
        case ContactField::Email:
            return email;
        case ContactField::Category:
            return category;
        case ContactField::Notes:
            return notes;
    }
    return notes;
}

namespace {

FieldCheck incorrect(ContactField field, std::string text) {
    return FieldCheck{"Incorrect entry", std::move(text), field, true};
}

bool longer(const std::string& text, std::size_t limit) {
    return text.size() > limit;
}

void clean(ContactField field, std::string& text, const CheckVariant& variant) {
    text = cleanFieldText(field, text, variant);
}

bool birthdateShapeOk(std::string_view date) {
    return date.empty() || (date.size() == 10 && date[2] == '/' && date[5] == '/');
}

bool stateShapeOk(std::string_view state, const CheckVariant& variant) {
    return variant.shortStateAllowed ? state.size() <= 2 : (state.empty() || state.size() == 2);
}

// The e-mail checks after the length, in their order; none for an acceptable address.
const char* emailFormProblem(std::string_view email) {
    if (email.find(',') != std::string_view::npos) {
        return "Email address cannot contain a comma.";
    }
    if (email.find(' ') != std::string_view::npos) {
        return "Email address cannot contain a space.";
    }
    if (!email.empty() && email.find('@') == std::string_view::npos) {
        return "Email address must contain the '@' character.";
    }
    if (!email.empty() && email.find('.') == std::string_view::npos) {
        return "Email address must contain the '.' character.";
    }
    return nullptr;
}

// A field with only a length limit and its cleaning after it.
std::optional<FieldCheck> limitThenClean(ContactFields& f, ContactField field, std::size_t limit,
                                         const char* message, const CheckVariant& variant) {
    if (longer(f.text(field), limit)) {
        return incorrect(field, message);
    }
    clean(field, f.text(field), variant);
    return std::nullopt;
}

std::optional<FieldCheck> checkPhone(ContactFields& f, ContactField field, std::size_t limit,
                                     const char* message) {
    f.text(field) = normalisePhone(f.text(field));
    return limitThenClean(f, field, limit, message, kAddContactChecks);
}

std::optional<FieldCheck> checkEmail(const std::string& email) {
    constexpr ContactField kField = ContactField::Email;
    if (longer(email, 50)) {
        return incorrect(kField, "Email address must be 50 characters or less.");
    }
    if (const char* problem = emailFormProblem(email)) {
        return incorrect(kField, problem);
    }
    return std::nullopt;
}

std::optional<FieldCheck> checkNames(ContactFields& f, const CheckVariant& variant) {
    if (auto failed = limitThenClean(f, ContactField::FirstName, 11,
                                     "First name must be 11 characters or less.", variant)) {
        return failed;
    }
    clean(ContactField::MiddleInitial, f.middleInitial, variant);
    if (longer(f.middleInitial, 1)) {
        return incorrect(ContactField::MiddleInitial, "Enter only 1 character for middle initial.");
    }

    const char* lastNameText = "Enter last name, 16 characters or less.";
    if (longer(f.lastName, 16)) {
        return incorrect(ContactField::LastName, lastNameText);
    }
    if (variant.lastNameEmptyBeforeCommas && f.lastName.empty()) {
        return incorrect(ContactField::LastName, lastNameText);
    }
    clean(ContactField::LastName, f.lastName, variant);
    if (!variant.lastNameEmptyBeforeCommas && f.lastName.empty()) {
        return incorrect(ContactField::LastName, lastNameText);
    }
    return std::nullopt;
}

std::optional<FieldCheck> checkAddress(ContactFields& f, const CheckVariant& variant) {
    if (auto failed = limitThenClean(f, ContactField::Street, 30,
                                     "Street address must be 30 characters or less.", variant)) {
        return failed;
    }
    if (auto failed = limitThenClean(f, ContactField::Street2, 15,
                                     "Street address2 must be 15 characters or less.", variant)) {
        return failed;
    }
    // The city keeps its commas until the very last step.
    if (longer(f.city, 16)) {
        return incorrect(ContactField::City, "City must be 16 characters or less.");
    }
    if (!stateShapeOk(f.state, variant)) {
        return incorrect(ContactField::State, "State must be 2 character abbreviation.");
    }
    clean(ContactField::State, f.state, variant);
    if (auto failed = limitThenClean(f, ContactField::Zip, 10,
                                     "Zip Code must be 10 characters or less.", variant)) {
        return failed;
    }
    if (longer(f.country, 19)) {
        return incorrect(ContactField::Country, std::string(variant.countryLengthText));
    }
    clean(ContactField::Country, f.country, variant);
    return limitThenClean(f, ContactField::Company, 30,
                          "Company Name must be 30 characters or less.", variant);
}

std::optional<FieldCheck> checkPhonesAndMore(ContactFields& f, const CheckVariant& variant) {
    if (auto failed = checkPhone(f, ContactField::HomePhone, 15,
                                 "Home Phone must be 15 characters or less.")) {
        return failed;
    }
    if (auto failed = checkPhone(f, ContactField::CellPhone, 15,
                                 "Cell Phone must be 15 characters or less.")) {
        return failed;
    }
    if (auto failed = checkPhone(f, ContactField::WorkPhone, 13,
                                 "Work Phone must be 13 characters or less.")) {
        return failed;
    }
    if (auto failed = checkEmail(f.email)) {
        return failed;
    }
    if (auto failed = limitThenClean(f, ContactField::Category, 80,
                                     "Category must be 80 characters or less.", variant)) {
        return failed;
    }
    return limitThenClean(f, ContactField::Notes, 160, "Notes must be 160 characters or less.",
                          variant);
}

}  // namespace

std::optional<FieldCheck> checkAndClean(ContactFields& fields, const CheckVariant& variant) {
    if (!birthdateShapeOk(fields.birthdate)) {
        return FieldCheck{"Date error",
                          "Date must be in format MM/DD/YYYY   Example: April 10, 1980 is "
                          "04/10/1980",
                          ContactField::Birthdate, false};
    }
    if (auto failed = checkNames(fields, variant)) {
        return failed;
    }
    if (auto failed = checkAddress(fields, variant)) {
        return failed;
    }
    if (auto failed = checkPhonesAndMore(fields, variant)) {
        return failed;
    }
    clean(ContactField::City, fields.city, variant);
    return std::nullopt;
}

bool commasBecomeBlanks(ContactField field, const CheckVariant& variant) {
    switch (field) {
        case ContactField::Country:
            return !variant.countryCommasRemoved;
        case ContactField::Category:
        case ContactField::Notes:
            return true;
        default:
            return false;
    }
}

std::string cleanFieldText(ContactField field, std::string_view text, const CheckVariant& variant) {
    switch (field) {
        case ContactField::Email:
        case ContactField::Birthdate:
            return std::string(text);
        case ContactField::MiddleInitial:
            return removeAll(removeAll(text, ","), ".");
        case ContactField::HomePhone:
        case ContactField::CellPhone:
        case ContactField::WorkPhone:
            return removeAll(normalisePhone(text), ",");
        default:
            return commasBecomeBlanks(field, variant) ? replaceAll(text, ",", " ")
                                                      : removeAll(text, ",");
    }
}

bool passesFormCheck(ContactField field, std::string_view text, const CheckVariant& variant) {
    switch (field) {
        case ContactField::State:
            return stateShapeOk(text, variant);
        case ContactField::Email:
            return emailFormProblem(text) == nullptr;
        case ContactField::Birthdate:
            return birthdateShapeOk(text);
        default:
            return true;
    }
}

const FieldLayout& recordFieldOf(ContactField field) {
    switch (field) {
        case ContactField::FirstName:
            return field::kFirstName;
        case ContactField::MiddleInitial:
            return field::kMiddleInitial;
        case ContactField::LastName:
            return field::kLastName;
        case ContactField::Street:
            return field::kStreet;
        case ContactField::Street2:
            return field::kStreet2;
        case ContactField::City:
            return field::kCity;
        case ContactField::State:
            return field::kState;
        case ContactField::Zip:
            return field::kZip;
        case ContactField::Country:
            return field::kCountry;
        case ContactField::Company:
            return field::kCompany;
        case ContactField::Birthdate:
            return field::kBirthdate;
        case ContactField::HomePhone:
            return field::kHomePhone;
        case ContactField::CellPhone:
            return field::kCellPhone;
        case ContactField::WorkPhone:
            return field::kWorkPhone;
        case ContactField::Email:
            return field::kEmail;
        case ContactField::Category:
            return field::kCategory;
        case ContactField::Notes:
            return field::kNotes;
    }
    return field::kNotes;
}

TypedStoredForm storedFormOfTyped(ContactField field, std::string_view typedUtf8) {
    const FoldedText folded = foldToCodePage(typedUtf8);
    TypedStoredForm out;
    out.lettersChanged = folded.changed;
    out.text = cleanFieldText(field, folded.text);
    if (field == ContactField::Birthdate) {
        return out;
    }
    // Built and stored as Save builds and stores it: upper case where Save makes it so,
    // trimmed, cut to the width.
    ContactFields fields;
    fields.text(field) = out.text;
    const ContactRecord stored = decodeRecord(
        std::string_view(encodeRecord(buildContactRecord(fields, false)).data(), kRecordSize));
    out.text = stored.*(recordFieldOf(field).member);
    return out;
}

std::string normalisePhone(std::string_view phone) {
    std::string out = removeAll(phone, "(");
    out = replaceAll(out, ")", "-");
    out = removeAll(out, " ");
    return removeAll(out, "+");
}

ContactRecord buildContactRecord(const ContactFields& f, bool remindersOn) {
    ContactRecord r;
    r.firstName = trim(f.firstName);
    r.middleInitial = trim(toUpper(f.middleInitial));
    r.lastName = trim(f.lastName);
    r.street = trim(f.street);
    r.street2 = trim(f.street2);
    r.city = trim(f.city);
    r.state = trim(toUpper(f.state));
    r.zip = trim(f.zip);
    r.country = trim(toUpper(f.country));
    r.homePhone = trim(f.homePhone);
    r.cellPhone = trim(f.cellPhone);
    r.workPhone = trim(f.workPhone);
    r.email = trim(f.email);
    r.birthdate = birthdateToStored(f.birthdate);
    r.category = trim(f.category);
    r.notes = trim(f.notes);
    r.company = trim(f.company);
    // A blank company counts as none: the flag never points at an empty name.
    r.includeCompany = f.includeCompany && !r.company.empty() ? "1" : "0";
    r.reminder = remindersOn ? "1" : "0";
    return r;
}

ContactFields fieldsFromRecord(const ContactRecord& r) {
    ContactFields f;
    f.firstName = trim(r.firstName);
    f.middleInitial = trim(r.middleInitial);
    f.lastName = trim(r.lastName);
    f.street = trim(r.street);
    f.street2 = trim(r.street2);
    f.city = trim(r.city);
    f.state = trim(r.state);
    f.zip = trim(r.zip);
    f.country = trim(r.country);
    f.company = trim(r.company);
    f.birthdate = numberValue(r.birthdate) > 1 ? trim(birthdateToDisplay(r.birthdate)) : "";
    f.homePhone = trim(r.homePhone);
    f.cellPhone = trim(r.cellPhone);
    f.workPhone = trim(r.workPhone);
    f.email = trim(r.email);
    f.category = trim(r.category);
    f.notes = trim(r.notes);
    f.includeCompany = flagIsSet(r.includeCompany);
    return f;
}

}  // namespace qm
