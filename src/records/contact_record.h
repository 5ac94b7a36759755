#pragma once

// The 513-byte contact record: 18 text fields separated by "|", two one-character flags and
// a CR LF end, so that a contact file viewed as text shows one contact per line.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "records/contact_fields.h"

namespace qm {

struct FieldLayout {
    std::string_view name;
    std::size_t offset;
    std::size_t width;
    std::string ContactRecord::*member;
};

// The stored fields in record order, each at its width and followed by a separator byte.
namespace field {
inline constexpr std::array<FieldLayout, kFieldDescriptions.size()> kAll = [] {
    std::array<FieldLayout, kFieldDescriptions.size()> all{};
    std::size_t offset = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const FieldDescription& d = kFieldDescriptions[i];
        all[i] = FieldLayout{d.name, offset, d.width, d.stored};
        offset += d.width + 1;
    }
    return all;
}();

constexpr const FieldLayout& layoutOf(std::string ContactRecord::*member) {
    return kAll[fieldIndex(member)];
}

inline constexpr FieldLayout kFirstName = layoutOf(&ContactRecord::firstName);
inline constexpr FieldLayout kMiddleInitial = layoutOf(&ContactRecord::middleInitial);
inline constexpr FieldLayout kLastName = layoutOf(&ContactRecord::lastName);
inline constexpr FieldLayout kStreet = layoutOf(&ContactRecord::street);
inline constexpr FieldLayout kStreet2 = layoutOf(&ContactRecord::street2);
inline constexpr FieldLayout kCity = layoutOf(&ContactRecord::city);
inline constexpr FieldLayout kState = layoutOf(&ContactRecord::state);
inline constexpr FieldLayout kZip = layoutOf(&ContactRecord::zip);
inline constexpr FieldLayout kCountry = layoutOf(&ContactRecord::country);
inline constexpr FieldLayout kHomePhone = layoutOf(&ContactRecord::homePhone);
inline constexpr FieldLayout kCellPhone = layoutOf(&ContactRecord::cellPhone);
inline constexpr FieldLayout kWorkPhone = layoutOf(&ContactRecord::workPhone);
inline constexpr FieldLayout kEmail = layoutOf(&ContactRecord::email);
inline constexpr FieldLayout kBirthdate = layoutOf(&ContactRecord::birthdate);
inline constexpr FieldLayout kCategory = layoutOf(&ContactRecord::category);
inline constexpr FieldLayout kNotes = layoutOf(&ContactRecord::notes);
inline constexpr FieldLayout kCompany = layoutOf(&ContactRecord::company);
inline constexpr FieldLayout kIncludeCompany = layoutOf(&ContactRecord::includeCompany);
inline constexpr FieldLayout kReminder = layoutOf(&ContactRecord::reminder);
// The last field is followed by the record end (CR LF) instead of a separator.
inline constexpr std::size_t kRecordEndOffset = kAll.back().offset + kAll.back().width;
}  // namespace field

inline constexpr std::size_t kRecordSize = field::kRecordEndOffset + 2;
// Stored files are made of such records: a field that changes this changes the file format.
static_assert(kRecordSize == 513);

using RecordBytes = std::array<char, kRecordSize>;

// Stored form of a value: on one line, left-trimmed, then padded with blanks or cut to the
// width in characters. Every way a value comes in (typed, imported, edited) passes here.
std::string storedField(std::string_view value, std::size_t width);
// The value with each line break (a run of CR and LF) as one blank and NUL bytes dropped, so
// that a record stays one line of text and its list line one line.
std::string singleLine(std::string_view value);

// The record in the file's code page 1252: each value's letters as kContactFileLimits
// holds them, cut or padded to its width.
RecordBytes encodeRecord(const ContactRecord& record);
// Decodes 513 bytes (or fewer: missing bytes read as blanks) into trimmed UTF-8 values: each
// byte of the code page is one character, so the way back is exact.
ContactRecord decodeRecord(std::string_view bytes);
// The same into a record whose strings are reused: a pass over many records allocates only
// when a value is longer than any before it in that field.
void decodeRecordInto(std::string_view bytes, ContactRecord& record);

// The flag's state as the check box shows it: its number value, so a blank reads as off.
bool flagIsSet(std::string_view flag);

// "MM/DD/YYYY" (or whatever ten characters were accepted) -> "YYYYMMDD"; empty stays empty.
std::string birthdateToStored(std::string_view entered);
// "YYYYMMDD" -> "MM/DD/YYYY"; empty or blank -> empty.
std::string birthdateToDisplay(std::string_view stored);

}  // namespace qm
