#include "exchange/csv_column_map.h"

#include <limits>
#include <span>

#include "exchange/csv_text.h"
#include "records/text_rules.h"

namespace qm {

namespace {

using Member = std::string ContactRecord::*;

// Column kLastColumn stands for the header's last column and the line's last field.
constexpr std::size_t kLastColumn = std::numeric_limits<std::size_t>::max();

struct MapRow {
    std::size_t column;
    std::string_view header;
    Member target;
};

constexpr Member kFirst = &ContactRecord::firstName;
constexpr Member kMiddle = &ContactRecord::middleInitial;
constexpr Member kLast = &ContactRecord::lastName;
constexpr Member kEmail = &ContactRecord::email;

constexpr MapRow kLayoutA[] = {
    {0, "First", kFirst},
    {1, "Middle", kMiddle},
    {2, "Last", kLast},
    {4, "Email", kEmail},
    {5, "Category", &ContactRecord::category},
    {8, "Home", &ContactRecord::homePhone},
    {9, "Work", &ContactRecord::workPhone},
    {12, "Mobile", &ContactRecord::cellPhone},
    {21, "Company", &ContactRecord::company},
    {27, "Home Address", &ContactRecord::street},
    {28, "Home City", &ContactRecord::city},
    {29, "Home State", &ContactRecord::state},
    {30, "Home ZIP", &ContactRecord::zip},
    {31, "Home Country", &ContactRecord::country},
    {32, "Birthday", &ContactRecord::birthdate},
};

constexpr MapRow kLayoutB[] = {
    {0, "First Name", kFirst},
    {1, "Middle Name", kMiddle},
    {2, "Last Name", kLast},
    {8, "Birthday", &ContactRecord::birthdate},
    {14, "E-mail Address", kEmail},
    {18, "Home Phone", &ContactRecord::homePhone},
    {20, "Mobile Phone", &ContactRecord::cellPhone},
};

constexpr MapRow kLayoutC[] = {
    {0, "First Name", kFirst},     {1, "Last Name", kLast},
    {2, "Middle Name", kMiddle},   {2, "E-mail Address", kEmail},
    {3, "E-mail Address", kEmail}, {kLastColumn, "E-mail Address", kEmail},
};

constexpr MapRow kLayoutD[] = {
    {0, "First Name", kFirst},
    {1, "MI", kMiddle},
    {2, "Last Name", kLast},
    {3, "Street1", &ContactRecord::street},
    {4, "Street2", &ContactRecord::street2},
    {5, "City", &ContactRecord::city},
    {6, "State", &ContactRecord::state},
    {7, "Zip", &ContactRecord::zip},
    {8, "Country", &ContactRecord::country},
    {9, "Company", &ContactRecord::company},
    {10, "Include Company in Address", &ContactRecord::includeCompany},
    {11, "Home Phone", &ContactRecord::homePhone},
    {12, "Cell Phone", &ContactRecord::cellPhone},
    {13, "Work Phone", &ContactRecord::workPhone},
    {14, "Email", kEmail},
    {15, "Birthdate", &ContactRecord::birthdate},
    {16, "Category", &ContactRecord::category},
    {17, "Notes", &ContactRecord::notes},
};

// Later rows replace earlier matches, so the order of each group matters.
constexpr MapRow kLayoutE[] = {
    {0, "First Name", kFirst},
    {1, "First Name", kFirst},
    {0, "First", kFirst},
    {1, "First", kFirst},
    {0, "Last Name", kLast},
    {1, "Last Name", kLast},
    {2, "Last Name", kLast},
    {0, "Last", kLast},
    {1, "Last", kLast},
    {2, "Last", kLast},
    {1, "Middle Name", kMiddle},
    {2, "Middle", kMiddle},
    {1, "MI", kMiddle},
    {2, "MI", kMiddle},
    {1, "Middle Initial", kMiddle},
    {2, "Middle Initial", kMiddle},
    {2, "E-mail Address", kEmail},
    {3, "E-mail Address", kEmail},
    {4, "E-mail Address", kEmail},
    {5, "E-mail Address", kEmail},
    {6, "E-mail Address", kEmail},
    {7, "E-mail Address", kEmail},
    {2, "E-mail", kEmail},
    {3, "E-mail", kEmail},
    {4, "E-mail", kEmail},
    {5, "E-mail", kEmail},
    {6, "E-mail", kEmail},
    {7, "E-mail", kEmail},
    {2, "Email Address", kEmail},
    {3, "Email Address", kEmail},
    {4, "Email Address", kEmail},
    {5, "Email Address", kEmail},
    {6, "Email Address", kEmail},
    {7, "Email Address", kEmail},
    {2, "Email", kEmail},
    {3, "Email", kEmail},
    {4, "Email", kEmail},
    {5, "Email", kEmail},
    {6, "Email", kEmail},
    {7, "Email", kEmail},
};

std::span<const MapRow> rowsOf(CsvLayout layout) {
    switch (layout) {
        case CsvLayout::A:
            return kLayoutA;
        case CsvLayout::B:
            return kLayoutB;
        case CsvLayout::C:
            return kLayoutC;
        case CsvLayout::D:
            return kLayoutD;
        case CsvLayout::E:
            return kLayoutE;
    }
    return {};
}

// An empty list has no last index; the wrapped value is beyond it and fails the lookup.
std::size_t lastIndex(std::size_t size) {
    return size - 1;
}

}  // namespace

ContactRecord mapColumns(CsvLayout layout, const std::vector<std::string>& header,
                         const std::vector<std::string_view>& fields) {
    ContactRecord working;
    // Layout D takes the flag from the file; the others always include the company.
    working.includeCompany.assign(layout == CsvLayout::D ? 0 : 1, '1');
    working.reminder.clear();
    for (const MapRow& row : rowsOf(layout)) {
        const bool last = row.column == kLastColumn;
        const std::size_t headerColumn = last ? lastIndex(header.size()) : row.column;
        if (fieldAt(header, headerColumn) != row.header) {
            continue;
        }
        // Trimmed first: a blank beside a value would make a state too long, a birthdate
        // of no known form, a middle initial blank.
        const std::string value =
            trim(fieldAt(fields, last ? lastIndex(fields.size()) : row.column));
        working.*(row.target) = row.target == kMiddle ? leftOf(value, 1) : value;
    }
    return working;
}

}  // namespace qm
