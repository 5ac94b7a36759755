#include "exchange/vcard_reader.h"

#include <unicode/unistr.h>

#include <algorithm>

#include "exchange/typed_contact.h"
#include "records/code_page.h"
#include "records/code_page_fold.h"
#include "records/text_rules.h"

namespace qm {

namespace {

struct Property {
    std::string name;                // upper case, group ("item1.") taken off
    std::vector<std::string> types;  // upper case: TYPE values and 2.1's bare parameters
    std::string encoding;            // upper case
    std::string charset;
    std::string omitYear;  // X-APPLE-OMIT-YEAR: the year that stands for none
    bool preferred = false;
    std::string value;  // decoded, still escaped

    bool hasType(std::string_view t) const {
        return std::find(types.begin(), types.end(), t) != types.end();
    }
};

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

// Splits at an unescaped separator (a backslash escapes the next character); escapes stay.
std::vector<std::string> splitEscaped(std::string_view value, char separator) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            parts.back() += value.substr(i, 2);
            ++i;
        } else if (value[i] == separator) {
            parts.emplace_back();
        } else {
            parts.back() += value[i];
        }
    }
    return parts;
}

std::string unescaped(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            out += (next == 'n' || next == 'N') ? '\n' : next;
        } else {
            out += value[i];
        }
    }
    return out;
}

// Component n of a structured value (N, ADR, ORG), unescaped; empty when missing.
std::string component(const Property& p, std::size_t n) {
    const std::vector<std::string> parts = splitEscaped(p.value, ';');
    return n < parts.size() ? unescaped(parts[n]) : std::string();
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::string quotedPrintable(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '=' && i + 2 < value.size() && hexDigit(value[i + 1]) >= 0 &&
            hexDigit(value[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(value[i + 1]) * 16 + hexDigit(value[i + 2]));
            i += 2;
        } else {
            out += value[i];
        }
    }
    return out;
}

// Bytes in a named character set as UTF-8; without a name, UTF-8 when valid, else the
// Windows code page.
std::string toUtf8(const std::string& bytes, const std::string& charset) {
    if (!charset.empty()) {
        const icu::UnicodeString text(bytes.data(), static_cast<std::int32_t>(bytes.size()),
                                      charset.c_str());
        if (!text.isBogus()) {
            std::string out;
            text.toUTF8String(out);
            return out;
        }
    }
    return isValidUtf8(bytes) ? bytes : cp1252ToUtf8(bytes);
}

void addTypes(Property& p, std::string_view list) {
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        p.types.push_back(upper(list.substr(0, comma)));
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
}

void addParameter(Property& p, std::string_view parameter) {
    const std::size_t eq = parameter.find('=');
    std::string value(eq == std::string_view::npos ? parameter : parameter.substr(eq + 1));
    std::erase(value, '"');
    if (eq == std::string_view::npos) {
        addTypes(p, value);  // 2.1 names types (and the encoding) bare
        return;
    }
    const std::string key = upper(parameter.substr(0, eq));
    if (key == "TYPE") {
        addTypes(p, value);
    } else if (key == "ENCODING") {
        p.encoding = upper(value);
    } else if (key == "CHARSET") {
        p.charset = value;
    } else if (key == "PREF") {
        p.preferred = true;
    } else if (key == "X-APPLE-OMIT-YEAR") {
        p.omitYear = value;
    }
}

// Splits "NAME;PARAM=A,B;BARE:value" into its parts; none for a line without a colon.
std::optional<Property> parseLine(std::string_view line) {
    bool quoted = false;
    std::size_t colon = std::string_view::npos;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (line[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    Property p;
    p.value = std::string(line.substr(colon + 1));
    std::string_view head = line.substr(0, colon);
    const std::size_t semicolon = head.find(';');
    const std::string_view name = head.substr(0, semicolon);
    const std::size_t dot = name.rfind('.');
    p.name = upper(dot == std::string_view::npos ? name : name.substr(dot + 1));
    head = semicolon == std::string_view::npos ? std::string_view() : head.substr(semicolon + 1);
    while (!head.empty()) {
        const std::size_t next = head.find(';');
        addParameter(p, head.substr(0, next));
        head = next == std::string_view::npos ? std::string_view() : head.substr(next + 1);
    }
    if (p.hasType("QUOTED-PRINTABLE")) {
        p.encoding = "QUOTED-PRINTABLE";
    }
    p.preferred = p.preferred || p.hasType("PREF");
    return p;
}

// What one card says, as UTF-8, before it is taken into a contact.
struct Card {
    std::string version;
    bool ours = false;
    std::string first, middle, last, fullName;
    std::string street, street2, city, state, zip, country;
    std::string home, cell, work, otherPhone;
    std::string email, company, birthday, category, notes, includeCompany;
    std::string categoryAsWritten;  // every item kept, for a card of our own
    bool addressIsHome = false, addressIsPreferred = false, hasAddress = false;
    bool emailIsPreferred = false;
};

void takeAddress(Card& card, const Property& p) {
    const bool home = p.hasType("HOME");
    const bool better = !card.hasAddress || (home && !card.addressIsHome) ||
                        (!card.addressIsHome && p.preferred && !card.addressIsPreferred);
    if (!better) {
        return;
    }
    card.hasAddress = true;
    card.addressIsHome = home;
    card.addressIsPreferred = p.preferred;
    const std::vector<std::string> parts = splitEscaped(p.value, ';');
    const auto part = [&parts](std::size_t n) {
        return n < parts.size() ? parts[n] : std::string();
    };
    // Since 3.0 a component may hold several values separated by commas: street lines.
    std::string street;
    for (const std::string& line :
         card.version == "2.1" ? std::vector<std::string>{part(2)} : splitEscaped(part(2), ',')) {
        street += (street.empty() ? "" : "\n") + unescaped(line);
    }
    card.street = street;
    card.street2 = unescaped(part(1));
    card.city = unescaped(part(3));
    card.state = unescaped(part(4));
    card.zip = unescaped(part(5));
    card.country = unescaped(part(6));
}

void takePhone(Card& card, const Property& p) {
    std::string number = unescaped(p.value);
    if (number.rfind("tel:", 0) == 0) {
        number = number.substr(4);
    }
    std::string* slot = &card.otherPhone;
    if (p.hasType("CELL") || p.hasType("MOBILE") || p.hasType("IPHONE")) {
        slot = &card.cell;
    } else if (p.hasType("FAX") || p.hasType("PAGER")) {
        return;
    } else if (p.hasType("WORK")) {
        slot = &card.work;
    } else if (p.hasType("HOME")) {
        slot = &card.home;
    }
    if (slot->empty() || p.preferred) {
        *slot = number;
    }
}

void takeProperty(Card& card, const Property& p) {
    const std::string& n = p.name;
    if (n == "VERSION") {
        card.version = trim(p.value);
    } else if (n == "PRODID") {
        card.ours = p.value.find("Quillmark") != std::string::npos;
    } else if (n == "N") {
        card.last = component(p, 0);
        card.first = component(p, 1);
        const std::vector<std::string> parts = splitEscaped(p.value, ';');
        card.middle = parts.size() > 2 ? unescaped(splitEscaped(parts[2], ',')[0]) : "";
    } else if (n == "FN") {
        card.fullName = unescaped(p.value);
    } else if (n == "ORG") {
        card.company = component(p, 0);
    } else if (n == "ADR") {
        takeAddress(card, p);
    } else if (n == "TEL") {
        takePhone(card, p);
    } else if (n == "EMAIL") {
        if (card.email.empty() || (p.preferred && !card.emailIsPreferred)) {
            card.email = trim(unescaped(p.value));
            card.emailIsPreferred = p.preferred;
        }
    } else if (n == "BDAY") {
        const std::string date = unescaped(p.value);
        // Apple writes a birthday without a year in a year it names as none.
        card.birthday = !p.omitYear.empty() && date.rfind(p.omitYear, 0) == 0 ? "" : date;
    } else if (n == "CATEGORIES") {
        // The category's own separator is the semicolon.
        std::string joined;
        const std::vector<std::string> items = splitEscaped(p.value, ',');
        card.categoryAsWritten.clear();
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::string item = unescaped(items[i]);
            card.categoryAsWritten += (i == 0 ? "" : ";") + item;
            if (!trim(item).empty()) {
                joined += (joined.empty() ? "" : ";") + trim(item);
            }
        }
        card.category = joined;
    } else if (n == "NOTE") {
        card.notes = unescaped(p.value);
    } else if (n == "X-QUILLMARK-INCLUDE-COMPANY") {
        card.includeCompany = trim(p.value);
    }
}

// A card as another program wrote it: cleaned as Add Contact cleans typed values.
ContactRow typedRow(const Card& card, const FieldLimits& limits) {
    TypedContact c(limits);
    c.offer(ContactField::FirstName, card.first);
    c.offer(ContactField::MiddleInitial, card.middle);
    c.offer(ContactField::LastName, card.last);
    if (!c.has(ContactField::FirstName) && !c.has(ContactField::LastName)) {
        offerFullName(c, card.fullName);
    }
    c.offer(ContactField::Street, card.street);
    c.offer(ContactField::Street2, card.street2);
    c.offer(ContactField::City, card.city);
    c.offer(ContactField::State, card.state);
    c.offer(ContactField::Zip, card.zip);
    c.offer(ContactField::Country, card.country);
    c.offer(ContactField::Company, card.company);
    c.offer(ContactField::HomePhone, card.home);
    c.offer(ContactField::CellPhone, card.cell);
    c.offer(ContactField::WorkPhone, card.work);
    c.offer(ContactField::HomePhone, card.otherPhone);
    c.offer(ContactField::Email, card.email);
    if (const auto date = enteredBirthdate(card.birthday)) {
        c.offer(ContactField::Birthdate, *date);
    }
    c.offer(ContactField::Category, card.category);
    c.offer(ContactField::Notes, card.notes);
    return c.cleanedRow();
}

// A card this program exported: the values as they were stored.
ContactRow storedRow(const Card& card, const FieldLimits& limits) {
    ContactRow row;
    ContactRecord& r = row.contact;
    const std::pair<std::string ContactRecord::*, const std::string*> values[] = {
        {&ContactRecord::firstName, &card.first},
        {&ContactRecord::middleInitial, &card.middle},
        {&ContactRecord::lastName, &card.last},
        {&ContactRecord::street, &card.street},
        {&ContactRecord::street2, &card.street2},
        {&ContactRecord::city, &card.city},
        {&ContactRecord::state, &card.state},
        {&ContactRecord::zip, &card.zip},
        {&ContactRecord::country, &card.country},
        {&ContactRecord::company, &card.company},
        {&ContactRecord::homePhone, &card.home},
        {&ContactRecord::cellPhone, &card.cell},
        {&ContactRecord::workPhone, &card.work},
        {&ContactRecord::email, &card.email},
        {&ContactRecord::category, &card.categoryAsWritten},
        {&ContactRecord::notes, &card.notes},
    };
    for (const auto& [member, value] : values) {
        FoldedText folded = limits.storable(*value, kFoldedForAField);
        r.*member = std::move(folded.text);
        if (folded.changed) {
            row.foldedFields |= 1u << fieldIndex(member);
        }
    }
    r.birthdate = removeAll(card.birthday, "-");
    r.includeCompany = card.includeCompany.empty() ? "0" : card.includeCompany;
    return row;
}

}  // namespace

bool looksLikeVCard(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && upper(text.substr(start, 11)) == "BEGIN:VCARD";
}

VCardReader::VCardReader(std::string utf8Text, const FieldLimits& limits)
    : text_(std::move(utf8Text)), limits_(limits) {
    // The first card's version names the format.
    const std::size_t at = upper(std::string_view(text_).substr(0, 4096)).find("\nVERSION:");
    std::string version;
    if (at != std::string::npos) {
        const std::size_t end = text_.find_first_of("\r\n", at + 9);
        version = trim(text_.substr(at + 9, end - at - 9));
    }
    format_ = "vCard file" + (version.empty() ? std::string() : " (version " + version + ")");
    if (text_.substr(0, 4096).find("PRODID:-//Quillmark//") != std::string::npos) {
        format_ = "vCard file (Quillmark export)";
    }
}

std::string VCardReader::formatName() const {
    return format_;
}

bool VCardReader::nextLine(std::string_view& line) {
    if (pos_ >= text_.size()) {
        return false;
    }
    std::size_t end = pos_;
    while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') {
        ++end;
    }
    line = std::string_view(text_).substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size() && text_[pos_] == '\r') {
        ++pos_;
    }
    if (pos_ < text_.size() && text_[pos_] == '\n') {
        ++pos_;
    }
    return true;
}

std::optional<ContactRow> VCardReader::next() {
    std::string_view physical;
    std::string logical = std::move(pending_);
    pending_.clear();
    std::optional<Card> card;
    int depth = 0;
    const auto finish = [&]() -> bool {
        // One content line is complete: take it into the card.
        if (logical.empty()) {
            return false;
        }
        std::optional<Property> p = parseLine(logical);
        logical.clear();
        if (!p) {
            return false;
        }
        if (p->name == "BEGIN" && upper(trim(p->value)) == "VCARD") {
            if (depth++ == 0) {
                card.emplace();
            }
            return false;
        }
        if (p->name == "END" && upper(trim(p->value)) == "VCARD") {
            return --depth == 0 && card.has_value();
        }
        if (!card || depth != 1) {
            return false;
        }
        if (p->encoding == "QUOTED-PRINTABLE") {
            p->value = toUtf8(quotedPrintable(p->value), p->charset);
        } else if (!p->charset.empty() && !isValidUtf8(p->value)) {
            p->value = toUtf8(p->value, p->charset);
        }
        takeProperty(*card, *p);
        return false;
    };
    while (nextLine(physical)) {
        const bool continued = !physical.empty() && (physical[0] == ' ' || physical[0] == '\t');
        // A quoted-printable value ending in "=" goes on at the start of the next line.
        const bool softBreak =
            !logical.empty() && logical.back() == '=' &&
            upper(logical.substr(0, logical.find(':'))).find("QUOTED-PRINTABLE") !=
                std::string::npos;
        if (continued && !logical.empty()) {
            logical.append(physical.substr(1));
            continue;
        }
        if (softBreak) {
            logical.pop_back();
            logical.append(physical);
            continue;
        }
        if (finish()) {
            // The line just read belongs to what follows the card.
            pending_.assign(physical);
            return card->ours ? storedRow(*card, limits_) : typedRow(*card, limits_);
        }
        logical.assign(physical);
    }
    if (finish()) {
        return card->ours ? storedRow(*card, limits_) : typedRow(*card, limits_);
    }
    return std::nullopt;
}

}  // namespace qm
