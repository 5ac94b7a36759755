#include "exchange/typed_contact.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "records/code_page_fold.h"
#include "records/text_rules.h"

namespace qm {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

int number(std::string_view s) {
    int n = 0;
    for (char c : s.substr(0, 6)) {
        n = n * 10 + (c - '0');
    }
    return n;
}

std::optional<std::string> dateOf(int year, int month, int day) {
    if (year < 1000 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) {
        return std::nullopt;
    }
    char out[16];
    std::snprintf(out, sizeof out, "%02d/%02d/%04d", month, day, year);
    return std::string(out);
}

// Pieces of a date split at one separator character.
std::array<std::string_view, 3> threeParts(std::string_view s, char separator, bool& ok) {
    std::array<std::string_view, 3> parts;
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t end = i < 2 ? s.find(separator, start) : s.size();
        if (end == std::string_view::npos) {
            ok = false;
            return parts;
        }
        parts[i] = s.substr(start, end - start);
        start = end + 1;
    }
    ok = allDigits(parts[0]) && allDigits(parts[1]) && allDigits(parts[2]);
    return parts;
}

// A street written on several lines: the first line is the street, the others go before
// the second street line.
void splitStreetLines(ContactFields& f) {
    const std::size_t br = f.street.find_first_of("\r\n");
    if (br == std::string::npos) {
        return;
    }
    std::string rest = trim(withoutControlCharacters(f.street.substr(br)));
    f.street = trim(f.street.substr(0, br));
    if (!f.street2.empty()) {
        rest += (rest.empty() ? "" : " ") + f.street2;
    }
    f.street2 = rest;
}

}  // namespace

void TypedContact::set(ContactField field, std::string_view utf8) {
    FoldedText folded = limits_.storable(utf8, kFoldedForAField);
    std::string& text = fields_.text(field);
    text = std::move(folded.text);
    if (!text.empty() && (text.front() == ' ' || text.back() == ' ')) {
        text = trim(text);
    }
    const std::uint32_t bit = 1u << fieldIndex(field);
    foldedFields_ = folded.changed && !text.empty() ? foldedFields_ | bit : foldedFields_ & ~bit;
}

void TypedContact::offer(ContactField field, std::string_view utf8) {
    if (!has(field) && utf8.find_first_not_of(' ') != std::string_view::npos) {
        set(field, utf8);
    }
}

ContactRow TypedContact::cleanedRow() {
    ContactFields& f = fields_;
    splitStreetLines(f);
    std::uint32_t folded = foldedFields_;
    for (ContactField field : kAllContactFields) {
        std::string& text = f.text(field);
        if (text.empty()) {
            continue;
        }
        if (std::any_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
            text = trim(withoutControlCharacters(text));
        }
        text = trim(cleanFieldText(field, text));
        if (!passesFormCheck(field, text)) {
            text.clear();
        }
        if (text.empty()) {
            folded &= ~(1u << fieldIndex(field));
        }
    }
    f.includeCompany = true;
    return ContactRow{buildContactRecord(f, false), folded, false};
}

std::optional<std::string> enteredBirthdate(std::string_view value) {
    std::string_view v = value.substr(0, value.find('T'));
    v = v.substr(0, v.find(' '));
    bool ok = false;
    if (v.size() == 8 && allDigits(v)) {
        return dateOf(number(v.substr(0, 4)), number(v.substr(4, 2)), number(v.substr(6, 2)));
    }
    if (v.size() >= 8 && isDigit(v[0]) && v.find('-') != std::string_view::npos) {
        auto p = threeParts(v, '-', ok);
        if (ok && p[0].size() == 4) {
            return dateOf(number(p[0]), number(p[1]), number(p[2]));
        }
        if (ok && p[2].size() == 4) {  // this program's own MM-DD-YYYY
            return dateOf(number(p[2]), number(p[0]), number(p[1]));
        }
        return std::nullopt;
    }
    if (v.find('/') != std::string_view::npos) {
        auto p = threeParts(v, '/', ok);
        if (ok && p[0].size() == 4) {
            return dateOf(number(p[0]), number(p[1]), number(p[2]));
        }
        if (ok && p[2].size() == 4) {
            return dateOf(number(p[2]), number(p[0]), number(p[1]));
        }
        return std::nullopt;
    }
    if (v.find('.') != std::string_view::npos) {
        auto p = threeParts(v, '.', ok);
        if (ok && p[2].size() == 4) {
            return dateOf(number(p[2]), number(p[1]), number(p[0]));
        }
    }
    return std::nullopt;
}

void offerFullName(TypedContact& contact, std::string_view fullName) {
    const std::string name = trim(fullName);
    const std::size_t blank = name.rfind(' ');
    if (blank == std::string::npos) {
        contact.offer(ContactField::LastName, name);
        return;
    }
    contact.offer(ContactField::FirstName, name.substr(0, blank));
    contact.offer(ContactField::LastName, name.substr(blank + 1));
}

std::string_view firstListItem(std::string_view value) {
    const std::size_t google = value.find(" ::: ");
    if (google != std::string_view::npos) {
        value = value.substr(0, google);
    }
    return value.substr(0, value.find_first_of(",;"));
}

}  // namespace qm
