#include "exchange/csv_named_columns.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "exchange/typed_contact.h"
#include "records/text_rules.h"

namespace qm {

namespace {

using Slot = NamedColumns::Slot;
using Group = NamedColumns::Group;

struct KnownName {
    std::string_view name;  // lower case
    Slot slot;
    Group group = Group::Plain;
};

// Header names of real exports, in lower case.
constexpr KnownName kKnownNames[] = {
    {"first name", Slot::First},
    {"given name", Slot::First},
    {"first", Slot::First},
    {"firstname", Slot::First},
    {"middle name", Slot::Middle},
    {"additional name", Slot::Middle},
    {"middle", Slot::Middle},
    {"middle initial", Slot::Middle},
    {"mi", Slot::Middle},
    {"last name", Slot::Last},
    {"family name", Slot::Last},
    {"surname", Slot::Last},
    {"last", Slot::Last},
    {"lastname", Slot::Last},
    {"name", Slot::FullName},
    {"full name", Slot::FullName},
    {"display name", Slot::FullName},
    {"e-mail address", Slot::Email},
    {"email address", Slot::Email},
    {"e-mail", Slot::Email},
    {"email", Slot::Email},
    {"primary email", Slot::Email},
    {"secondary email", Slot::Email},
    {"e-mail 2 address", Slot::Email},
    {"e-mail 3 address", Slot::Email},
    {"alternate email 1", Slot::Email},
    {"alternate email 2", Slot::Email},
    {"home phone", Slot::HomePhone},
    {"home phone 2", Slot::HomePhone},
    {"home", Slot::HomePhone},
    {"phone", Slot::HomePhone},
    {"phone number", Slot::HomePhone},
    {"telephone", Slot::HomePhone},
    {"mobile phone", Slot::CellPhone},
    {"mobile number", Slot::CellPhone},
    {"mobile", Slot::CellPhone},
    {"cell phone", Slot::CellPhone},
    {"cell", Slot::CellPhone},
    {"business phone", Slot::WorkPhone},
    {"business phone 2", Slot::WorkPhone},
    {"work phone", Slot::WorkPhone},
    {"work", Slot::WorkPhone},
    {"company main phone", Slot::WorkPhone},
    {"company", Slot::Company},
    {"company name", Slot::Company},
    {"organization", Slot::Company},
    {"organization name", Slot::Company},
    {"birthday", Slot::Birthday},
    {"birthdate", Slot::Birthday},
    {"birth date", Slot::Birthday},
    {"date of birth", Slot::Birthday},
    {"birth year", Slot::BirthYear},
    {"birth month", Slot::BirthMonth},
    {"birth day", Slot::BirthDay},
    {"categories", Slot::Category},
    {"category", Slot::Category},
    {"labels", Slot::Category},
    {"group membership", Slot::Category},
    {"notes", Slot::Notes},
    {"note", Slot::Notes},
    {"comments", Slot::Notes},
    {"home street", Slot::Street, Group::Home},
    {"home address", Slot::Street, Group::Home},
    {"home street 2", Slot::Street2, Group::Home},
    {"home address 2", Slot::Street2, Group::Home},
    {"home city", Slot::City, Group::Home},
    {"home state", Slot::State, Group::Home},
    {"home postal code", Slot::Zip, Group::Home},
    {"home zip", Slot::Zip, Group::Home},
    {"home zipcode", Slot::Zip, Group::Home},
    {"home country/region", Slot::Country, Group::Home},
    {"home country", Slot::Country, Group::Home},
    {"street", Slot::Street},
    {"street address", Slot::Street},
    {"address", Slot::Street},
    {"address 1", Slot::Street},
    {"address line 1", Slot::Street},
    {"street 2", Slot::Street2},
    {"address 2", Slot::Street2},
    {"address line 2", Slot::Street2},
    {"city", Slot::City},
    {"state", Slot::State},
    {"state/province", Slot::State},
    {"province", Slot::State},
    {"region", Slot::State},
    {"zip", Slot::Zip},
    {"zip code", Slot::Zip},
    {"zipcode", Slot::Zip},
    {"postal code", Slot::Zip},
    {"postcode", Slot::Zip},
    {"country", Slot::Country},
    {"country/region", Slot::Country},
    {"business street", Slot::Street, Group::Work},
    {"work address", Slot::Street, Group::Work},
    {"work street", Slot::Street, Group::Work},
    {"business street 2", Slot::Street2, Group::Work},
    {"work address 2", Slot::Street2, Group::Work},
    {"business city", Slot::City, Group::Work},
    {"work city", Slot::City, Group::Work},
    {"business state", Slot::State, Group::Work},
    {"work state", Slot::State, Group::Work},
    {"business postal code", Slot::Zip, Group::Work},
    {"work zip", Slot::Zip, Group::Work},
    {"work zipcode", Slot::Zip, Group::Work},
    {"business country/region", Slot::Country, Group::Work},
    {"work country", Slot::Country, Group::Work},
    {"other street", Slot::Street, Group::Other},
    {"other street 2", Slot::Street2, Group::Other},
    {"other city", Slot::City, Group::Other},
    {"other state", Slot::State, Group::Other},
    {"other postal code", Slot::Zip, Group::Other},
    {"other country/region", Slot::Country, Group::Other},
};

// Numbered columns: Google's "Phone 1 - Value", "Address 2 - City", old Gmail's
// "Section 1 - Mobile". The entry with an empty slot names the column that holds the type.
struct NumberedName {
    std::string_view kind;
    std::string_view part;
    std::optional<Slot> slot;
    bool typed = false;
};

constexpr NumberedName kNumberedNames[] = {
    {"e-mail", "value", Slot::Email},
    {"email", "value", Slot::Email},
    {"phone", "value", Slot::TypedPhone, true},
    {"phone", "type", std::nullopt},
    {"phone", "label", std::nullopt},
    {"address", "street", Slot::Street, true},
    {"address", "extended address", Slot::Street2, true},
    {"address", "city", Slot::City, true},
    {"address", "region", Slot::State, true},
    {"address", "postal code", Slot::Zip, true},
    {"address", "country", Slot::Country, true},
    {"address", "type", std::nullopt},
    {"address", "label", std::nullopt},
    {"organization", "name", Slot::Company},
    {"section", "email", Slot::Email},
    {"section", "phone", Slot::TypedPhone, true},
    {"section", "mobile", Slot::CellPhone},
    {"section", "company", Slot::Company},
    {"section", "description", std::nullopt},
};

struct Numbered {
    std::string kind;
    std::string number;
    std::string part;
};

// "phone 1 - value" as kind "phone", number "1", part "value".
std::optional<Numbered> numberedName(const std::string& name) {
    const std::size_t dash = name.find(" - ");
    if (dash == std::string::npos) {
        return std::nullopt;
    }
    const std::string left = name.substr(0, dash);
    const std::size_t blank = left.rfind(' ');
    if (blank == std::string::npos ||
        left.find_first_not_of("0123456789", blank + 1) != std::string::npos) {
        return std::nullopt;
    }
    return Numbered{left.substr(0, blank), left.substr(blank + 1), name.substr(dash + 3)};
}

constexpr std::size_t kGroups = 4;  // Home, Plain, Work, Other in the order they are chosen
constexpr std::size_t kParts = 6;   // Street ... Country

std::size_t partIndex(Slot slot) {
    return static_cast<std::size_t>(slot) - static_cast<std::size_t>(Slot::Street);
}

Group typedGroup(std::string_view type) {
    if (containsNoCase(type, "home") || containsNoCase(type, "personal")) {
        return Group::Home;
    }
    if (containsNoCase(type, "work") || containsNoCase(type, "business")) {
        return Group::Work;
    }
    return Group::Other;
}

bool isMobile(std::string_view type) {
    return containsNoCase(type, "mobile") || containsNoCase(type, "cell");
}

// Google's labels: "* myContacts ::: Suppliers" is the user's label Suppliers; the ones
// with a star are the system's own.
std::string categoriesOf(std::string_view value) {
    std::string out;
    while (!value.empty()) {
        const std::size_t sep = value.find(" ::: ");
        const std::string_view item = trimmedView(value.substr(0, sep));
        if (!item.empty() && item.front() != '*') {
            out += (out.empty() ? "" : ";") + std::string(item);
        }
        value = sep == std::string_view::npos ? std::string_view() : value.substr(sep + 5);
    }
    return out;
}

}  // namespace

NamedColumns::NamedColumns(const std::vector<std::string>& header) {
    std::map<std::string, std::size_t> typeColumns;  // "phone 1" -> its type column
    std::vector<std::pair<Binding, std::string>> typed;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string name = toLower(trimmedView(header[i]));
        bool known = false;
        for (const KnownName& k : kKnownNames) {
            if (name == k.name) {
                bindings_.push_back({i, k.slot, k.group});
                known = true;
                break;
            }
        }
        const std::optional<Numbered> numbered = known ? std::nullopt : numberedName(name);
        if (!numbered) {
            continue;
        }
        for (const NumberedName& n : kNumberedNames) {
            if (numbered->kind != n.kind || numbered->part != n.part) {
                continue;
            }
            const std::string key = numbered->kind + " " + numbered->number;
            if (!n.slot) {
                typeColumns.emplace(key, i);
            } else if (n.typed) {
                typed.push_back({{i, *n.slot, Group::Typed}, key});
            } else {
                bindings_.push_back({i, *n.slot});
            }
            break;
        }
    }
    for (auto& [binding, key] : typed) {
        const auto type = typeColumns.find(key);
        binding.typeColumn = type == typeColumns.end() ? header.size() : type->second;
        bindings_.push_back(binding);
    }
    std::stable_sort(bindings_.begin(), bindings_.end(),
                     [](const Binding& a, const Binding& b) { return a.column < b.column; });
}

bool NamedColumns::namesNameOrEmail() const {
    for (const Binding& b : bindings_) {
        if (b.slot == Slot::First || b.slot == Slot::Last || b.slot == Slot::FullName ||
            b.slot == Slot::Email) {
            return true;
        }
    }
    return false;
}

bool NamedColumns::feeds(std::string ContactRecord::*member) const {
    static constexpr std::pair<Slot, std::string ContactRecord::*> kFeeds[] = {
        {Slot::First, &ContactRecord::firstName},
        {Slot::FullName, &ContactRecord::firstName},
        {Slot::Middle, &ContactRecord::middleInitial},
        {Slot::Last, &ContactRecord::lastName},
        {Slot::FullName, &ContactRecord::lastName},
        {Slot::Email, &ContactRecord::email},
        {Slot::HomePhone, &ContactRecord::homePhone},
        {Slot::TypedPhone, &ContactRecord::homePhone},
        {Slot::CellPhone, &ContactRecord::cellPhone},
        {Slot::TypedPhone, &ContactRecord::cellPhone},
        {Slot::WorkPhone, &ContactRecord::workPhone},
        {Slot::TypedPhone, &ContactRecord::workPhone},
        {Slot::Company, &ContactRecord::company},
        {Slot::Company, &ContactRecord::includeCompany},
        {Slot::Birthday, &ContactRecord::birthdate},
        {Slot::BirthYear, &ContactRecord::birthdate},
        {Slot::Category, &ContactRecord::category},
        {Slot::Notes, &ContactRecord::notes},
        {Slot::Street, &ContactRecord::street},
        {Slot::Street, &ContactRecord::street2},
        {Slot::Street2, &ContactRecord::street2},
        {Slot::City, &ContactRecord::city},
        {Slot::State, &ContactRecord::state},
        {Slot::Zip, &ContactRecord::zip},
        {Slot::Country, &ContactRecord::country},
    };
    for (const Binding& b : bindings_) {
        for (const auto& [slot, fed] : kFeeds) {
            if (b.slot == slot && fed == member) {
                return true;
            }
        }
    }
    return false;
}

ContactRow NamedColumns::read(const std::vector<std::string>& fields,
                              const FieldLimits& limits) const {
    const auto value = [&fields](std::size_t column) {
        return column < fields.size() ? trimmedView(fields[column]) : std::string_view();
    };
    TypedContact c(limits);
    std::array<std::array<std::string_view, kParts>, kGroups> address{};
    std::string_view fullName, otherPhone, birthday, year, month, day;
    const auto first = [](std::string_view& slot, std::string_view v) {
        if (slot.empty()) {
            slot = v;
        }
    };
    for (const Binding& b : bindings_) {
        const std::string_view v = value(b.column);
        if (v.empty()) {
            continue;
        }
        switch (b.slot) {
            case Slot::First:
                c.offer(ContactField::FirstName, v);
                break;
            case Slot::Middle:
                c.offer(ContactField::MiddleInitial, v);
                break;
            case Slot::Last:
                c.offer(ContactField::LastName, v);
                break;
            case Slot::FullName:
                first(fullName, v);
                break;
            case Slot::Email:
                c.offer(ContactField::Email, trimmedView(firstListItem(v)));
                break;
            case Slot::HomePhone:
                c.offer(ContactField::HomePhone, firstListItem(v));
                break;
            case Slot::CellPhone:
                c.offer(ContactField::CellPhone, firstListItem(v));
                break;
            case Slot::WorkPhone:
                c.offer(ContactField::WorkPhone, firstListItem(v));
                break;
            case Slot::TypedPhone: {
                const std::string_view type = value(b.typeColumn);
                const std::string_view number = firstListItem(v);
                if (isMobile(type)) {
                    c.offer(ContactField::CellPhone, number);
                } else if (typedGroup(type) == Group::Work) {
                    c.offer(ContactField::WorkPhone, number);
                } else if (typedGroup(type) == Group::Home) {
                    c.offer(ContactField::HomePhone, number);
                } else {
                    first(otherPhone, number);
                }
                break;
            }
            case Slot::Company:
                c.offer(ContactField::Company, v);
                break;
            case Slot::Birthday:
                first(birthday, v);
                break;
            case Slot::BirthYear:
                first(year, v);
                break;
            case Slot::BirthMonth:
                first(month, v);
                break;
            case Slot::BirthDay:
                first(day, v);
                break;
            case Slot::Category:
                c.offer(ContactField::Category, categoriesOf(v));
                break;
            case Slot::Notes:
                c.offer(ContactField::Notes, v);
                break;
            default: {
                const Group g = b.group == Group::Typed ? typedGroup(value(b.typeColumn)) : b.group;
                first(address[static_cast<std::size_t>(g)][partIndex(b.slot)], v);
                break;
            }
        }
    }
    static constexpr ContactField kPartFields[kParts] = {
        ContactField::Street, ContactField::Street2, ContactField::City,
        ContactField::State,  ContactField::Zip,     ContactField::Country};
    for (const auto& group : address) {
        if (std::any_of(group.begin(), group.end(), [](auto p) { return !p.empty(); })) {
            for (std::size_t p = 0; p < kParts; ++p) {
                c.offer(kPartFields[p], group[p]);
            }
            break;
        }
    }
    if (!c.has(ContactField::FirstName) && !c.has(ContactField::LastName)) {
        offerFullName(c, fullName);
    }
    c.offer(ContactField::HomePhone, otherPhone);
    if (birthday.empty() && !year.empty()) {
        const std::string composed =
            std::string(year) + "-" + std::string(month) + "-" + std::string(day);
        if (const auto date = enteredBirthdate(composed)) {
            c.offer(ContactField::Birthdate, *date);
        }
    } else if (const auto date = enteredBirthdate(birthday)) {
        c.offer(ContactField::Birthdate, *date);
    }
    return c.cleanedRow();
}

}  // namespace qm
