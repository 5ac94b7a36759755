#pragma once

// The columns of the program's own CSV and text export, in order. The export writes them and
// the import reads them back by the same table, so the two cannot drift apart.

#include <array>
#include <string>
#include <string_view>

#include "records/contact_record.h"

namespace qm {

struct OwnColumn {
    std::string_view title;
    std::string ContactRecord::*member;
};

inline constexpr std::array<OwnColumn, 18> kOwnColumns = {{
    {"First Name", &ContactRecord::firstName},
    {"MI", &ContactRecord::middleInitial},
    {"Last Name", &ContactRecord::lastName},
    {"Street1", &ContactRecord::street},
    {"Street2", &ContactRecord::street2},
    {"City", &ContactRecord::city},
    {"State", &ContactRecord::state},
    {"Zip", &ContactRecord::zip},
    {"Country", &ContactRecord::country},
    {"Company", &ContactRecord::company},
    {"Include Company in Address", &ContactRecord::includeCompany},
    {"Home Phone", &ContactRecord::homePhone},
    {"Cell Phone", &ContactRecord::cellPhone},
    {"Work Phone", &ContactRecord::workPhone},
    {"Email", &ContactRecord::email},
    {"Birthdate", &ContactRecord::birthdate},
    {"Category", &ContactRecord::category},
    {"Notes", &ContactRecord::notes},
}};

// The header line and a contact's line with the separator between the values, each ended by
// CR LF. Each value gets the formula guard below; CSV values are quoted as RFC 4180 asks
// (quotedCell), text values are written as they are.
enum class CellQuoting { None, Csv };
std::string ownLayoutHeader(char separator);
std::string ownLayoutLine(const ContactRecord& record, char separator, CellQuoting quoting);

// Stored YYYYMMDD as MM-DD-YYYY; a blank birthdate as nothing.
std::string exportedBirthdate(std::string_view stored);

// A spreadsheet takes a cell that begins with =, +, -, @, a tab or a carriage return for a
// formula and runs it. Such a cell is written with an apostrophe before it, and so is one
// that already begins with apostrophes before such a character, so that reading the
// export back takes exactly one apostrophe off and gives the value again.
std::string guardedCell(std::string_view value);
std::string_view unguardedCell(std::string_view value);

// A CSV cell as RFC 4180 writes it: in double quotes, each quote doubled, when it holds a
// quote or a comma or begins with a blank; every other cell as it is, so that a program that
// reads commas alone reads the export as before.
std::string quotedCell(std::string value);

}  // namespace qm
