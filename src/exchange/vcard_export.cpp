#include "exchange/vcard_export.h"

namespace qm {

namespace {

// Backslash, comma, semicolon and line breaks escaped, as a text value needs them.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == ',' || c == ';') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c != '\r') {
            out += c;
        }
    }
    return out;
}

// A content line folded after 75 bytes (never inside a UTF-8 sequence), ended by CR LF.
void appendLine(std::string& out, const std::string& line) {
    std::size_t start = 0;
    std::size_t room = 75;
    while (line.size() - start > room) {
        std::size_t cut = start + room;
        while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        out.append(line, start, cut - start);
        out += "\r\n ";
        start = cut;
        room = 74;
    }
    out.append(line, start, std::string::npos);
    out += "\r\n";
}

void appendIf(std::string& out, const std::string& name, const std::string& value) {
    if (!value.empty()) {
        appendLine(out, name + ":" + escaped(value));
    }
}

std::string fullName(const ContactRecord& r) {
    std::string name;
    for (const std::string* part : {&r.firstName, &r.middleInitial, &r.lastName}) {
        if (!part->empty()) {
            name += (name.empty() ? "" : " ") + *part;
        }
    }
    if (name.empty()) {
        name = !r.company.empty() ? r.company : r.email;
    }
    return name;
}

}  // namespace

std::string vcardOf(const ContactRecord& r) {
    std::string out;
    appendLine(out, "BEGIN:VCARD");
    appendLine(out, "VERSION:3.0");
    appendLine(out, "PRODID:-//Quillmark//Quillmark//EN");
    appendLine(out, "N:" + escaped(r.lastName) + ";" + escaped(r.firstName) + ";" +
                        escaped(r.middleInitial) + ";;");
    appendLine(out, "FN:" + escaped(fullName(r)));
    if (!r.company.empty()) {
        appendLine(out, "ORG:" + escaped(r.company));
    }
    if (!(r.street + r.street2 + r.city + r.state + r.zip + r.country).empty()) {
        appendLine(out, "ADR;TYPE=HOME:;" + escaped(r.street2) + ";" + escaped(r.street) + ";" +
                            escaped(r.city) + ";" + escaped(r.state) + ";" + escaped(r.zip) + ";" +
                            escaped(r.country));
    }
    appendIf(out, "TEL;TYPE=HOME,VOICE", r.homePhone);
    appendIf(out, "TEL;TYPE=CELL,VOICE", r.cellPhone);
    appendIf(out, "TEL;TYPE=WORK,VOICE", r.workPhone);
    appendIf(out, "EMAIL;TYPE=INTERNET,PREF", r.email);
    if (r.birthdate.size() == 8) {
        appendLine(out, "BDAY:" + r.birthdate.substr(0, 4) + "-" + r.birthdate.substr(4, 2) + "-" +
                            r.birthdate.substr(6, 2));
    }
    if (!r.category.empty()) {
        // The category's own separator is the semicolon; a vCard lists categories with commas.
        std::string categories;
        std::size_t start = 0;
        while (start <= r.category.size()) {
            const std::size_t end = std::min(r.category.find(';', start), r.category.size());
            categories += (start == 0 ? "" : ",") + escaped(r.category.substr(start, end - start));
            start = end + 1;
        }
        appendLine(out, "CATEGORIES:" + categories);
    }
    appendIf(out, "NOTE", r.notes);
    appendLine(out, "X-QUILLMARK-INCLUDE-COMPANY:" + r.includeCompany);
    appendLine(out, "END:VCARD");
    return out;
}

std::string vcardText(const std::vector<ContactRecord>& records) {
    std::string text;
    text.reserve(records.size() * 300);
    for (const ContactRecord& r : records) {
        text += vcardOf(r);
    }
    return text;
}

}  // namespace qm
