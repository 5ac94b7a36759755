#pragma once

// The 513-byte contact record: 18 text fields separated by "|", two one-character flags and
// a CR LF end, so that a contact file viewed as text shows one contact per line.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

inline constexpr std::size_t kRecordSize = 513;

// Field values as the program uses them: trimmed text in code page 1252. The birthdate is
// the stored eight-character form (YYYYMMDD) or empty; the flags are "1" or "0".
struct ContactRecord {
    std::string firstName;
    std::string middleInitial;
    std::string lastName;
    std::string street;
    std::string street2;
    std::string city;
    std::string state;
    std::string zip;
    std::string country;
    std::string homePhone;
    std::string cellPhone;
    std::string workPhone;
    std::string email;
    std::string birthdate;
    std::string category;
    std::string notes;
    std::string company;
    std::string includeCompany = "0";
    std::string reminder = "0";

    bool operator==(const ContactRecord&) const = default;
};

struct FieldLayout {
    const char* name;
    std::size_t offset;
    std::size_t width;
    std::string ContactRecord::*member;
};

// The data fields in record order; each is followed by a separator byte.
namespace field {
inline constexpr FieldLayout kFirstName{"First name", 0, 11, &ContactRecord::firstName};
inline constexpr FieldLayout kMiddleInitial{"Middle initial", 12, 1, &ContactRecord::middleInitial};
inline constexpr FieldLayout kLastName{"Last name", 14, 16, &ContactRecord::lastName};
inline constexpr FieldLayout kStreet{"Street address", 31, 30, &ContactRecord::street};
inline constexpr FieldLayout kStreet2{"Additional street info", 62, 15, &ContactRecord::street2};
inline constexpr FieldLayout kCity{"City", 78, 16, &ContactRecord::city};
inline constexpr FieldLayout kState{"State", 95, 2, &ContactRecord::state};
inline constexpr FieldLayout kZip{"Zip code", 98, 10, &ContactRecord::zip};
inline constexpr FieldLayout kCountry{"Country", 109, 19, &ContactRecord::country};
inline constexpr FieldLayout kHomePhone{"Home phone", 129, 15, &ContactRecord::homePhone};
inline constexpr FieldLayout kCellPhone{"Cell phone", 145, 15, &ContactRecord::cellPhone};
inline constexpr FieldLayout kWorkPhone{"Work phone", 161, 13, &ContactRecord::workPhone};
inline constexpr FieldLayout kEmail{"Email address", 175, 50, &ContactRecord::email};
inline constexpr FieldLayout kBirthdate{"Birthdate", 226, 8, &ContactRecord::birthdate};
inline constexpr FieldLayout kCategory{"Category", 235, 80, &ContactRecord::category};
inline constexpr FieldLayout kNotes{"Notes", 316, 160, &ContactRecord::notes};
inline constexpr FieldLayout kCompany{"Company name", 477, 30, &ContactRecord::company};
inline constexpr FieldLayout kIncludeCompany{"Include-company flag", 508, 1,
                                             &ContactRecord::includeCompany};
inline constexpr FieldLayout kReminder{"Reminder flag", 510, 1, &ContactRecord::reminder};
inline constexpr std::size_t kRecordEndOffset = 511;

inline constexpr std::array<FieldLayout, 19> kAll = {
    kFirstName, kMiddleInitial, kLastName,  kStreet,         kStreet2,   kCity,  kState,
    kZip,       kCountry,       kHomePhone, kCellPhone,      kWorkPhone, kEmail, kBirthdate,
    kCategory,  kNotes,         kCompany,   kIncludeCompany, kReminder};
}  // namespace field

static_assert(field::kReminder.offset + field::kReminder.width + 2 == kRecordSize);

using RecordBytes = std::array<char, kRecordSize>;

// Stored form of a value: on one line, left-trimmed, then padded with blanks or cut to the
// width. Every way a value comes in (typed, imported, edited) passes here.
std::string storedField(std::string_view value, std::size_t width);
// The value with each line break (a run of CR and LF) as one blank and NUL bytes dropped, so
// that a record stays one line of text and its list line one line.
std::string singleLine(std::string_view value);

RecordBytes encodeRecord(const ContactRecord& record);
// Decodes 513 bytes (or fewer: missing bytes read as blanks) into trimmed values.
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
