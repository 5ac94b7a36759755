#include "contacts/address_parser.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "records/error.h"
#include "records/text_rules.h"

namespace qm {

namespace {

// The first n characters, where n comes from a position found in the text. Every caller
// below checks its position first; a negative count that still gets here is an error, never
// a silent guess.
std::string leadingPart(std::string_view text, long n) {
    if (n < 0) {
        throwError(err::kInvalidCall, "Invalid procedure call or argument");
    }
    return leftOf(text, n);
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// ---- Name (line 1) ----

std::string removeTitles(std::string w) {
    for (const char* title : {"Mrs.", "Mr.", "Ms.", "Dr.", "Miss "}) {
        w = removeAll(w, title);
    }
    // A title typed without its dot counts only at the very start.
    const std::pair<const char*, const char*> leading[] = {
        {"Mrs", "Mrs"}, {"Miss ", "Miss"}, {"Mr", "Mr"}, {"Ms", "Ms"}, {"Dr ", "Dr"}};
    for (const auto& [prefix, removed] : leading) {
        if (startsWith(w, prefix)) {
            w = removeAll(w, removed);
        }
    }
    return w;
}

// The highest letter code standing alone (" Q " or " Q. ") from the 3rd character on; the
// six codes between the capitals and the small letters clear it instead.
std::string scanMiddleInitial(const std::string& t) {
    std::string initial;
    for (int code = 'A'; code <= 'z'; ++code) {
        const std::string letter(1, static_cast<char>(code));
        if (findFrom(t, " " + letter + ". ", 3) > 0 || findFrom(t, " " + letter + " ", 3) > 0) {
            initial = (code >= 91 && code <= 96) ? std::string() : letter;
        }
    }
    return initial;
}

// Where a word of the title-free line starts in the whole line: as a word of its own if it
// stands so, else wherever it first occurs; 0 when it does not occur.
long wordPosition(const std::string& line, const std::string& word) {
    const std::size_t lineLength = characterCount(line);
    for (long p = findFrom(line, word); p > 0; p = findFrom(line, word, p + 1)) {
        const auto start = static_cast<std::size_t>(p - 1);
        const std::size_t end = start + characterCount(word);
        const bool ownStart = start == 0 || characterAt(line, start - 1) == ' ';
        const bool ownEnd = end == lineLength || characterAt(line, end) == ' ';
        if (ownStart && ownEnd) {
            return p;
        }
    }
    return findFrom(line, word);
}

std::string cleanLastName(std::string raw) {
    raw = removeAll(raw, ".");
    if (characterAt(raw, 1) == ' ') {
        raw.erase(0, byteOffsetOf(raw, 2));
    }
    return trim(raw);
}

// Position just past the whole word that starts at `at`: the name window of 18 characters
// may have cut the first name short of its end in the line.
long pastWord(const std::string& t, long at) {
    const long blank = findFrom(t, " ", at);
    return blank > 0 ? blank : static_cast<long>(characterCount(t)) + 1;
}

void parseName(const std::string& line1, ContactFields& out) {
    const std::string first18 = leftOf(line1, 18);
    const std::string w = trimLeft(removeTitles(first18));
    const std::string t = trim(line1);
    out.middleInitial = scanMiddleInitial(t);
    if (w.empty()) {
        return;  // blanks or a title alone: no name to take
    }
    const long blank = findFrom(w, " ");
    const std::string word = blank > 0 ? leadingPart(w, blank - 1) : w;
    const long at = wordPosition(t, word);
    if (at == 0) {
        // Taking the title out joined parts of the line: count from its start.
        out.firstName = trim(word);
        const auto named =
            static_cast<long>(characterCount(out.firstName) + characterCount(out.middleInitial));
        out.lastName = cleanLastName(midOf(t, named + 1));
        return;
    }
    // The rest starts at the blank after the first name. With a middle initial, the blanks
    // before it go, so that the initial itself is what the 2-character drop takes off.
    std::string rest = midOf(t, pastWord(t, at));
    if (!out.middleInitial.empty()) {
        rest = trimLeft(rest);
    }
    // "Dr. Smith": after a title, a lone name is the last name.
    const bool titled = w != trimLeft(first18);
    if (blank == 0 && titled && trim(rest).empty()) {
        out.lastName = cleanLastName(midOf(t, at));
        return;
    }
    out.firstName = trim(word);
    out.lastName = cleanLastName(rest);
}

// ---- Street (line 2) ----

struct SuffixGroup {
    std::vector<std::string_view> tests;  // case-sensitive
    long testFrom;
    std::string_view cutWord;  // located ignoring case
    long cutFrom;
    long n;
};

const std::vector<SuffixGroup>& suffixGroups() {
    static const std::vector<SuffixGroup> groups = {
        {{" ave "}, 1, " Ave", 1, 4},
        {{" AVENUE", " Avenue", " avenue"}, 1, " Avenue", 1, 7},
        {{" st "}, 1, " st", 1, 3},
        {{" STREET", " Street", " street"}, 1, " Street", 1, 7},
        {{" blvd ", " Blvd", " blvd"}, 1, " blvd ", 6, 5},
        {{" BOULEVARD", " Boulevard", " boulevard"}, 1, " Boulevard", 6, 10},
        {{" cir "}, 1, " Cir ", 6, 4},
        {{" CIRCLE", " Circle", " circle"}, 1, " Circle", 6, 7},
        {{" ct ", " CT"}, 1, " Ct ", 6, 3},
        {{" COURT", " Court", " court"}, 1, " Court", 6, 6},
        {{" Dr ", " dr ", " DR "}, 1, " Dr", 6, 3},
        {{" DRIVE", " Drive", " drive"}, 1, " Drive", 1, 6},
        {{" hwy ", " HWY"}, 1, " Hwy", 6, 4},
        {{" HIGHWAY", " Highway", " highway"}, 1, " Highway", 6, 8},
        {{" ln ", " LN"}, 1, " Ln ", 6, 3},
        {{" LANE", " Lane", " lane"}, 1, " Lane", 6, 5},
        {{" pkwy ", " PKWY"}, 1, " Pkwy", 6, 5},
        {{" PARKWAY", " Parkway", " parkway"}, 1, " Parkway", 6, 8},
        {{" pl ", " PL "}, 1, " Pl ", 6, 3},
        {{" PLACE", " Place", " place"}, 1, " Place", 6, 6},
        {{" Rd", " rd ", " RD"}, 1, " Rd", 6, 3},
        {{" ROAD", " Road", " road"}, 1, " Road", 1, 5},
        {{" ter ", " TER "}, 1, " Ter ", 6, 4},
        {{" TERRACE", " Terrace", " terrace"}, 1, " Terrace", 6, 8},
        {{" WAY", " Way", " way"}, 8, " Way", 6, 4},
    };
    return groups;
}

// Length of the street part of s by the suffix groups; 0 when no group's test text occurs.
long streetBySuffix(const std::string& s) {
    for (const SuffixGroup& group : suffixGroups()) {
        for (std::string_view test : group.tests) {
            const long hit = findFrom(s, test, group.testFrom);
            if (hit == 0) {
                continue;
            }
            const long p = findFromNoCase(s, group.cutWord, group.cutFrom);
            if (p > 0) {
                return p + group.n;
            }
            // The cut word is not there (a line ending in "Blvd"): the street runs through
            // the text that matched.
            return hit + static_cast<long>(test.size()) - 1;
        }
    }
    return 0;
}

long streetLength(const std::string& s) {
    // A comma, a "#" or a blank looked for only from a later position is a rule that does
    // not apply when it is missing there; the next rule decides.
    if (const long comma = findFrom(s, ",", 6); comma > 0) {
        return comma - 1;
    }
    if (const long bySuffix = streetBySuffix(s); bySuffix > 0) {
        return bySuffix;
    }
    if (findFrom(s, " #") > 0) {
        if (const long q = findFrom(s, "#", 6); q > 0) {
            return q - 2;
        }
    }
    return static_cast<long>(characterCount(s));
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// False when line 2 is neither a numbered street nor a PO box: parsing stops there.
bool parseStreet(const std::string& line2, ContactFields& out, std::string& rest) {
    const std::string s = removeAll(trim(line2), ".");
    if (!startsWith(s, "PO B") && !(!s.empty() && isDigit(s[0]))) {
        return false;
    }
    const long length = streetLength(s);
    out.street = trim(leadingPart(s, length));
    rest = trim(removeAll(removeAll(midOf(s, length + 1), ","), "."));
    return true;
}

// ---- Apartment line and city line ----

// Blanks typed at the end of a line are invisible; they must not decide its length.
bool isApartmentLine(const std::string& line3, const std::string& rest) {
    constexpr std::string_view kMarks[] = {"#",     "SUITE", "STE",  "UNIT", "APT",
                                           "Suite", "Ste",   "Unit", "Apt"};
    const bool marked = std::any_of(std::begin(kMarks), std::end(kMarks), [&](auto mark) {
        return line3.find(mark) != std::string::npos;
    });
    return marked && rest.empty() && characterCount(trimRight(line3)) <= 11;
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A Canadian postcode ("K1A 0B1", or without the blank) at the end of the city line: the
// five-character zip rule would cut it.
std::string trailingPostcode(const std::string& c) {
    for (const char* shape : {"A9A 9A9", "A9A9A9"}) {
        const std::string_view pattern(shape);
        if (characterCount(c) < pattern.size()) {
            continue;
        }
        // A letter beyond ASCII fails every place of the pattern with its first byte, so
        // the pattern may be laid over the tail's bytes.
        const std::string tail = rightOf(c, static_cast<long>(pattern.size()));
        const bool fits =
            std::equal(pattern.begin(), pattern.end(), tail.begin(), [](char want, char got) {
                return want == 'A' ? isLetter(got) : want == '9' ? isDigit(got) : got == want;
            });
        const bool ownWord = c.size() == tail.size() || c[c.size() - tail.size() - 1] == ' ';
        if (fits && ownWord) {
            return tail;
        }
    }
    return {};
}

// The two state characters after the first comma of the line's end, past the blanks that
// follow it ("Salem,OR" and "Salem,  OR" as well as "Salem, OR").
std::string stateAfterComma(const std::string& r15, long comma) {
    long from = comma + 1;
    while (characterAt(r15, static_cast<std::size_t>(from - 1)) == ' ') {
        ++from;
    }
    return midOf(r15, from, 2);
}

void parseCityLine(const std::string& typed, ContactFields& out) {
    const std::string c = trimRight(typed);
    const std::string c16 = leftOf(c, 16);
    if (characterCount(c16) < 12) {
        return;
    }
    if (const long comma = findFrom(c16, ",", 3); comma > 0) {
        out.city = trim(leadingPart(c16, comma - 1));
    } else if (const long blank = findFrom(c16, " ", 5); blank > 0) {
        out.city = trim(leadingPart(c16, blank - 1));
    } else {
        out.city = trim(c16);  // one long word: the city runs to the cut
    }

    const std::string r15 = rightOf(c, 15);
    const long comma = findFrom(r15, ",");
    out.state =
        trim(comma == 0 ? midOf(r15, findFrom(r15, " ") + 1, 2) : stateAfterComma(r15, comma));

    const std::string r10 = rightOf(c, 10);
    if (std::string postcode = trailingPostcode(c); !postcode.empty()) {
        out.zip = std::move(postcode);
    } else {
        out.zip = trim(findFrom(r10, "-") > 0 ? r10 : rightOf(r10, 5));
    }
}

}  // namespace

AddressParse parseAddressLines(const AddressLines& lines) {
    AddressParse result;
    ContactFields& out = result.fields;
    const std::string& line1 = lines[0];
    if (!line1.empty()) {
        if (line1.find(' ') == std::string::npos) {
            result.outcome = AddressParseOutcome::LineOneWithoutBlank;
            return result;
        }
        parseName(line1, out);
    }

    std::string rest;
    if (!trim(lines[1]).empty() && !parseStreet(lines[1], out, rest)) {
        return result;
    }
    const bool apartment = isApartmentLine(lines[2], rest);
    out.street2 = apartment ? trim(lines[2]) : rest;
    parseCityLine(apartment ? lines[3] : lines[2], out);
    return result;
}

}  // namespace qm
