#include "contacts/field_rules.h"

#include <utility>

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

void removeCommas(std::string& text) {
    text = removeAll(text, ",");
}

void commasToBlanks(std::string& text) {
    text = replaceAll(text, ",", " ");
}

bool birthdateShapeOk(const std::string& date) {
    return date.empty() || (date.size() == 10 && date[2] == '/' && date[5] == '/');
}

// A field with only a length limit and comma removal after it.
std::optional<FieldCheck> limitThenRemoveCommas(std::string& text, std::size_t limit,
                                                ContactField field, const char* message) {
    if (longer(text, limit)) {
        return incorrect(field, message);
    }
    removeCommas(text);
    return std::nullopt;
}

std::optional<FieldCheck> checkPhone(std::string& phone, std::size_t limit, ContactField field,
                                     const char* message) {
    phone = normalisePhone(phone);
    return limitThenRemoveCommas(phone, limit, field, message);
}

std::optional<FieldCheck> checkEmail(const std::string& email) {
    constexpr ContactField kField = ContactField::Email;
    if (longer(email, 50)) {
        return incorrect(kField, "Email address must be 50 characters or less.");
    }
    if (email.find(',') != std::string::npos) {
        return incorrect(kField, "Email address cannot contain a comma.");
    }
    if (email.find(' ') != std::string::npos) {
        return incorrect(kField, "Email address cannot contain a space.");
    }
    if (!email.empty() && email.find('@') == std::string::npos) {
        return incorrect(kField, "Email address must contain the '@' character.");
    }
    if (!email.empty() && email.find('.') == std::string::npos) {
        return incorrect(kField, "Email address must contain the '.' character.");
    }
    return std::nullopt;
}

std::optional<FieldCheck> checkNames(ContactFields& f, const CheckVariant& variant) {
    if (longer(f.firstName, 11)) {
        return incorrect(ContactField::FirstName, "First name must be 11 characters or less.");
    }
    removeCommas(f.firstName);

    removeCommas(f.middleInitial);
    f.middleInitial = removeAll(f.middleInitial, ".");
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
    removeCommas(f.lastName);
    if (!variant.lastNameEmptyBeforeCommas && f.lastName.empty()) {
        return incorrect(ContactField::LastName, lastNameText);
    }
    return std::nullopt;
}

std::optional<FieldCheck> checkAddress(ContactFields& f, const CheckVariant& variant) {
    if (auto failed = limitThenRemoveCommas(f.street, 30, ContactField::Street,
                                            "Street address must be 30 characters or less.")) {
        return failed;
    }
    if (auto failed = limitThenRemoveCommas(f.street2, 15, ContactField::Street2,
                                            "Street address2 must be 15 characters or less.")) {
        return failed;
    }
    // The city keeps its commas until the very last step.
    if (longer(f.city, 16)) {
        return incorrect(ContactField::City, "City must be 16 characters or less.");
    }
    const bool badState =
        variant.shortStateAllowed ? longer(f.state, 2) : (!f.state.empty() && f.state.size() != 2);
    if (badState) {
        return incorrect(ContactField::State, "State must be 2 character abbreviation.");
    }
    removeCommas(f.state);
    if (auto failed = limitThenRemoveCommas(f.zip, 10, ContactField::Zip,
                                            "Zip Code must be 10 characters or less.")) {
        return failed;
    }
    if (longer(f.country, 19)) {
        return incorrect(ContactField::Country, std::string(variant.countryLengthText));
    }
    if (variant.countryCommasRemoved) {
        removeCommas(f.country);
    } else {
        commasToBlanks(f.country);
    }
    return limitThenRemoveCommas(f.company, 30, ContactField::Company,
                                 "Company Name must be 30 characters or less.");
}

std::optional<FieldCheck> checkPhonesAndMore(ContactFields& f) {
    if (auto failed = checkPhone(f.homePhone, 15, ContactField::HomePhone,
                                 "Home Phone must be 15 characters or less.")) {
        return failed;
    }
    if (auto failed = checkPhone(f.cellPhone, 15, ContactField::CellPhone,
                                 "Cell Phone must be 15 characters or less.")) {
        return failed;
    }
    if (auto failed = checkPhone(f.workPhone, 13, ContactField::WorkPhone,
                                 "Work Phone must be 13 characters or less.")) {
        return failed;
    }
    if (auto failed = checkEmail(f.email)) {
        return failed;
    }
    if (longer(f.category, 80)) {
        return incorrect(ContactField::Category, "Category must be 80 characters or less.");
    }
    commasToBlanks(f.category);
    if (longer(f.notes, 160)) {
        return incorrect(ContactField::Notes, "Notes must be 160 characters or less.");
    }
    commasToBlanks(f.notes);
    return std::nullopt;
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
    if (auto failed = checkPhonesAndMore(fields)) {
        return failed;
    }
    removeCommas(fields.city);
    return std::nullopt;
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
