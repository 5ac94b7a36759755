#include "exchange/csv_layout.h"

#include "exchange/own_layout.h"
#include "records/text_rules.h"

namespace qm {

namespace {

bool contains(std::string_view text, std::string_view what) {
    return text.find(what) != std::string_view::npos;
}

using Member = std::string ContactRecord::*;

constexpr Member kFirst = &ContactRecord::firstName;
constexpr Member kMiddle = &ContactRecord::middleInitial;
constexpr Member kLast = &ContactRecord::lastName;
constexpr Member kEmail = &ContactRecord::email;

constexpr LayoutColumn kLayoutA[] = {
    {"First", kFirst},
    {"Middle", kMiddle},
    {"Last", kLast},
    {"Email", kEmail},
    {"Category", &ContactRecord::category},
    {"Home", &ContactRecord::homePhone},
    {"Work", &ContactRecord::workPhone},
    {"Mobile", &ContactRecord::cellPhone},
    {"Company", &ContactRecord::company},
    {"Home Address", &ContactRecord::street},
    {"Home City", &ContactRecord::city},
    {"Home State", &ContactRecord::state},
    {"Home ZIP", &ContactRecord::zip},
    {"Home Country", &ContactRecord::country},
    {"Birthday", &ContactRecord::birthdate},
};

constexpr LayoutColumn kLayoutB[] = {
    {"First Name", kFirst},
    {"Middle Name", kMiddle},
    {"Last Name", kLast},
    {"Birthday", &ContactRecord::birthdate},
    {"E-mail Address", kEmail},
    {"Home Phone", &ContactRecord::homePhone},
    {"Mobile Phone", &ContactRecord::cellPhone},
};

constexpr LayoutColumn kLayoutC[] = {
    {"First Name", kFirst},
    {"Last Name", kLast},
    {"Middle Name", kMiddle},
    {"E-mail Address", kEmail},
};

// Layout D is the export's own table.
constexpr std::array<LayoutColumn, kOwnColumns.size()> kLayoutD = [] {
    std::array<LayoutColumn, kOwnColumns.size()> columns{};
    for (std::size_t i = 0; i < kOwnColumns.size(); ++i) {
        columns[i] = {kOwnColumns[i].title, kOwnColumns[i].member};
    }
    return columns;
}();

// Later rows replace earlier matches, so the order of each group matters.
constexpr LayoutColumn kLayoutE[] = {
    {"First Name", kFirst}, {"First", kFirst},           {"Last Name", kLast},
    {"Last", kLast},        {"Middle Name", kMiddle},    {"Middle", kMiddle},
    {"MI", kMiddle},        {"Middle Initial", kMiddle}, {"E-mail Address", kEmail},
    {"E-mail", kEmail},     {"Email Address", kEmail},   {"Email", kEmail},
};

}  // namespace

std::optional<CsvLayout> detectLayout(std::string_view header) {
    if (contains(header, "Yahoo! Phone") || contains(header, "Yahoo Phone")) {
        return CsvLayout::A;
    }
    if (contains(header, "Primary Phone") && contains(header, "Web Page")) {
        return CsvLayout::B;
    }
    if (contains(header, "Name,E-mail Address")) {
        return CsvLayout::C;
    }
    if (contains(header, "First Name,MI") && contains(header, "Birthdate,Category,Notes")) {
        return CsvLayout::D;
    }
    if (contains(header, "Name,") && !contains(header, "Suffix,Initials,Web Page,") &&
        !contains(header, "Name,E-mail Address,") && !contains(header, "Distribution Lists") &&
        !contains(header, "Birthdate,Category,Notes")) {
        return CsvLayout::E;
    }
    return std::nullopt;
}

std::string_view layoutFormatName(CsvLayout layout) {
    switch (layout) {
        case CsvLayout::A:
            return "CSV file (Yahoo! contacts)";
        case CsvLayout::B:
            return "CSV file (Outlook contacts)";
        case CsvLayout::C:
            return "CSV file (web mail contacts)";
        case CsvLayout::D:
            return "CSV file (Quillmark export)";
        case CsvLayout::E:
            return "CSV file (names and e-mail addresses)";
    }
    return "CSV file";
}

std::span<const LayoutColumn> layoutColumns(CsvLayout layout) {
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

bool skipLineByText(CsvLayout layout, std::string_view line) {
    switch (layout) {
        case CsvLayout::A:
            return contains(line, "Yahoo! Phone") || contains(line, "Yahoo Phone");
        case CsvLayout::B:
            return contains(line, "Primary Phone") && contains(line, "Web Page");
        case CsvLayout::C:
            return contains(line, "Name,E-mail Address");
        case CsvLayout::D:
            return contains(line, "Birthdate,Category,Notes");
        case CsvLayout::E:
            return contains(line, "Name,") || contains(line, "First,");
    }
    return false;
}

bool removesQuotes(CsvLayout layout) {
    return layout == CsvLayout::A || layout == CsvLayout::D || layout == CsvLayout::E;
}

}  // namespace qm
