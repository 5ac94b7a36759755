#include "contacts/field_rules.h"

#include <utility>

#include "records/text_rules.h"

namespace qm {

const CheckVariant kAddContactChecks{
    .lastNameEmptyBeforeCommas = false,
    .shortStateAllowed = false,
    .countryCommasRemoved = false,
    .countryTooLong = {},
};

const CheckVariant kEditContactChecks{
    .lastNameEmptyBeforeCommas = true,
    .shortStateAllowed = true,
    .countryCommasRemoved = true,
    .countryTooLong = "Country must be {} characters or less. For example, USA.",
};

namespace {

FieldCheck incorrect(ContactField field, std::string text) {
    return FieldCheck{"Incorrect entry", std::move(text), field, true};
}

void clean(ContactField field, std::string& text, const CheckVariant& variant) {
    text = cleanFieldText(field, text, variant);
}

bool birthdateShapeOk(std::string_view date) {
    return date.empty() || (characterCount(date) == 10 && characterAt(date, 2) == '/' &&
                            characterAt(date, 5) == '/');
}

bool stateShapeOk(std::string_view state, const CheckVariant& variant) {
    const std::size_t length = characterCount(state);
    return variant.shortStateAllowed ? length <= 2 : (length == 0 || length == 2);
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

// One run of the checks: the fields being cleaned, how this window checks, and how long a
// value the store holds.
class Checks {
  public:
    Checks(ContactFields& fields, const CheckVariant& variant, const FieldLimits& limits)
        : f_(fields), variant_(variant), limits_(limits) {}

    std::optional<FieldCheck> run() {
        if (!birthdateShapeOk(f_.birthdate)) {
            return FieldCheck{"Date error",
                              "Date must be in format MM/DD/YYYY   Example: April 10, 1980 is "
                              "04/10/1980",
                              ContactField::Birthdate, false};
        }
        if (auto failed = names()) {
            return failed;
        }
        if (auto failed = address()) {
            return failed;
        }
        if (auto failed = phonesAndMore()) {
            return failed;
        }
        clean(ContactField::City, f_.city, variant_);
        return std::nullopt;
    }

  private:
    bool tooLong(ContactField field) const {
        return characterCount(f_.text(field)) > limits_.of(field);
    }

    FieldCheck tooLongCheck(ContactField field) const {
        const std::string_view text =
            field == ContactField::Country && !variant_.countryTooLong.empty()
                ? variant_.countryTooLong
                : describe(field).tooLong;
        return incorrect(field, replaceAll(text, "{}", std::to_string(limits_.of(field))));
    }

    // A field with only a length limit and its cleaning after it.
    std::optional<FieldCheck> limitThenClean(ContactField field) {
        if (tooLong(field)) {
            return tooLongCheck(field);
        }
        clean(field, f_.text(field), variant_);
        return std::nullopt;
    }

    std::optional<FieldCheck> phone(ContactField field) {
        f_.text(field) = normalisePhone(f_.text(field));
        return limitThenClean(field);
    }

    std::optional<FieldCheck> email() const {
        if (tooLong(ContactField::Email)) {
            return tooLongCheck(ContactField::Email);
        }
        if (const char* problem = emailFormProblem(f_.email)) {
            return incorrect(ContactField::Email, problem);
        }
        return std::nullopt;
    }

    std::optional<FieldCheck> names() {
        if (auto failed = limitThenClean(ContactField::FirstName)) {
            return failed;
        }
        clean(ContactField::MiddleInitial, f_.middleInitial, variant_);
        if (tooLong(ContactField::MiddleInitial)) {
            return tooLongCheck(ContactField::MiddleInitial);
        }
        // The last name is required; its one message covers both its length and its absence.
        const bool emptyFirst = variant_.lastNameEmptyBeforeCommas;
        if (tooLong(ContactField::LastName) || (emptyFirst && f_.lastName.empty())) {
            return tooLongCheck(ContactField::LastName);
        }
        clean(ContactField::LastName, f_.lastName, variant_);
        if (!emptyFirst && f_.lastName.empty()) {
            return tooLongCheck(ContactField::LastName);
        }
        return std::nullopt;
    }

    std::optional<FieldCheck> address() {
        if (auto failed = limitThenClean(ContactField::Street)) {
            return failed;
        }
        if (auto failed = limitThenClean(ContactField::Street2)) {
            return failed;
        }
        // The city keeps its commas until the very last step.
        if (tooLong(ContactField::City)) {
            return tooLongCheck(ContactField::City);
        }
        if (!stateShapeOk(f_.state, variant_)) {
            return incorrect(ContactField::State, "State must be 2 character abbreviation.");
        }
        clean(ContactField::State, f_.state, variant_);
        if (auto failed = limitThenClean(ContactField::Zip)) {
            return failed;
        }
        if (auto failed = limitThenClean(ContactField::Country)) {
            return failed;
        }
        return limitThenClean(ContactField::Company);
    }

    std::optional<FieldCheck> phonesAndMore() {
        for (ContactField field :
             {ContactField::HomePhone, ContactField::CellPhone, ContactField::WorkPhone}) {
            if (auto failed = phone(field)) {
                return failed;
            }
        }
        if (auto failed = email()) {
            return failed;
        }
        if (auto failed = limitThenClean(ContactField::Category)) {
            return failed;
        }
        return limitThenClean(ContactField::Notes);
    }

    ContactFields& f_;
    const CheckVariant& variant_;
    const FieldLimits& limits_;
};

}  // namespace

std::optional<FieldCheck> checkAndClean(ContactFields& fields, const CheckVariant& variant,
                                        const FieldLimits& limits) {
    return Checks(fields, variant, limits).run();
}

bool commasBecomeBlanks(ContactField field, const CheckVariant& variant) {
    if (field == ContactField::Country && variant.countryCommasRemoved) {
        return false;
    }
    return describe(field).cleaning == Cleaning::CommasToBlanks;
}

std::string cleanFieldText(ContactField field, std::string_view text, const CheckVariant& variant) {
    switch (describe(field).cleaning) {
        case Cleaning::Kept:
            return std::string(text);
        case Cleaning::InitialCommasAndDotsRemoved:
            return removeAll(removeAll(text, ","), ".");
        case Cleaning::PhoneNormalised:
            return removeAll(normalisePhone(text), ",");
        case Cleaning::CommasRemoved:
        case Cleaning::CommasToBlanks:
            break;
    }
    return commasBecomeBlanks(field, variant) ? replaceAll(text, ",", " ") : removeAll(text, ",");
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

std::string normalisePhone(std::string_view phone) {
    std::string out = removeAll(phone, "(");
    out = replaceAll(out, ")", "-");
    out = removeAll(out, " ");
    return removeAll(out, "+");
}

ContactRecord buildContactRecord(const ContactFields& f, bool remindersOn) {
    ContactRecord r;
    for (ContactField field : kAllContactFields) {
        const FieldDescription& d = describe(field);
        const std::string& text = f.*(d.entered);
        r.*(d.stored) = trim(d.storedUpperCase ? toUpper(text) : text);
    }
    r.birthdate = birthdateToStored(f.birthdate);
    // A blank company counts as none: the flag never points at an empty name.
    r.includeCompany = f.includeCompany && !r.company.empty() ? "1" : "0";
    r.reminder = remindersOn ? "1" : "0";
    return r;
}

ContactFields fieldsFromRecord(const ContactRecord& r) {
    ContactFields f;
    for (ContactField field : kAllContactFields) {
        const FieldDescription& d = describe(field);
        f.*(d.entered) = trim(r.*(d.stored));
    }
    f.birthdate = numberValue(r.birthdate) > 1 ? trim(birthdateToDisplay(r.birthdate)) : "";
    f.includeCompany = flagIsSet(r.includeCompany);
    return f;
}

}  // namespace qm
