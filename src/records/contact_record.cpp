#include "records/contact_record.h"

#include <algorithm>

#include "records/code_page.h"
#include "records/text_rules.h"

namespace qm {

std::string storedField(std::string_view value, std::size_t width) {
    return fitWidth(trimLeft(singleLine(value)), width);
}

std::string singleLine(std::string_view value) {
    std::string line;
    line.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\r' || c == '\n') {
            // One blank for a whole line break (CR LF, LF, CR CR LF).
            if (i == 0 || (value[i - 1] != '\r' && value[i - 1] != '\n')) {
                line += ' ';
            }
        } else if (c != '\0') {
            line += c;
        }
    }
    return line;
}

namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A value in the file's code page at the field's width: letters the code page lacks are
// folded first (the one rule of kContactFileLimits), so whatever reaches the file is the
// nearest it can hold, never a "?".
std::string fieldBytes(std::string_view value, std::size_t width) {
    std::string stored = storedField(value, width);
    if (isAscii(stored)) {
        return stored;
    }
    return utf8ToCp1252(storedField(kContactFileLimits.storable(value).text, width));
}

}  // namespace

RecordBytes encodeRecord(const ContactRecord& record) {
    RecordBytes bytes;
    bytes.fill('|');
    for (const FieldLayout& f : field::kAll) {
        fieldBytes(record.*(f.member), f.width).copy(bytes.data() + f.offset, f.width);
    }
    bytes[field::kRecordEndOffset] = '\r';
    bytes[field::kRecordEndOffset + 1] = '\n';
    return bytes;
}

ContactRecord decodeRecord(std::string_view bytes) {
    ContactRecord record;
    decodeRecordInto(bytes, record);
    return record;
}

void decodeRecordInto(std::string_view bytes, ContactRecord& record) {
    for (const FieldLayout& f : field::kAll) {
        const std::string_view raw =
            f.offset < bytes.size() ? bytes.substr(f.offset, f.width) : std::string_view{};
        const std::string_view stored = trimmedView(raw);
        std::string& value = record.*(f.member);
        if (isAscii(stored)) {
            value.assign(stored);
        } else {
            value.clear();
            appendCp1252AsUtf8(value, stored);
        }
    }
}

bool flagIsSet(std::string_view flag) {
    return numberValue(flag) != 0.0;
}

std::string birthdateToStored(std::string_view entered) {
    if (entered.empty()) {
        return {};
    }
    return rightOf(entered, 4) + leftOf(entered, 2) + midOf(entered, 4, 2);
}

std::string birthdateToDisplay(std::string_view stored) {
    if (trim(stored).empty()) {
        return {};
    }
    return midOf(stored, 5, 2) + "/" + midOf(stored, 7, 2) + "/" + midOf(stored, 1, 4);
}

}  // namespace qm
