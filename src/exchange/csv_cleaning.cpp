#include "exchange/csv_cleaning.h"

#include <algorithm>

#include "records/code_page.h"
#include "records/text_rules.h"

namespace qm {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether value has the shape of pattern, where '#' stands for one digit and '*' for any
// character.
bool hasForm(std::string_view value, std::string_view pattern) {
    if (characterCount(value) != pattern.size()) {
        return false;
    }
    std::size_t at = 0;
    for (const char want : pattern) {
        const char32_t got = nextUtf8(value, at);
        if (want == '*') {
            continue;
        }
        if (want == '#' ? !(got >= '0' && got <= '9') : got != static_cast<char32_t>(want)) {
            return false;
        }
    }
    return true;
}

std::string withSeparator(std::string_view pattern, char separator) {
    std::string out(pattern);
    std::replace(out.begin(), out.end(), '/', separator);
    return out;
}

bool hasDigit(std::string_view text) {
    return std::any_of(text.begin(), text.end(), isDigit);
}

void emptyUnlessLastFourNumeric(std::string& phone) {
    if (!isNumeric(rightOf(phone, 4))) {
        phone.clear();
    }
}

void emptyUnlessDash(std::string& phone) {
    if (phone.find('-') == std::string::npos) {
        phone.clear();
    }
}

void removePhonePunctuation(std::string& phone) {
    std::erase_if(phone, [](char c) { return c == '+' || c == '(' || c == ')'; });
}

void upperState(ContactRecord& w) {
    w.state = toUpper(w.state);
}

// The address rules of layout A: a city with digits, a state that is not two
// letters, a zip that does not start with five digits, a country with digits or "#".
void cleanAddress(ContactRecord& w) {
    if (hasDigit(w.city)) {
        w.city.clear();
    }
    if (hasDigit(w.state) || w.state.find('#') != std::string::npos) {
        w.state.clear();
    }
    if (characterCount(w.state) > 2) {
        w.state.clear();
    }
    if (!isNumeric(leftOf(w.zip, 5))) {
        w.zip.clear();
    }
    if (hasDigit(w.country) || w.country.find('#') != std::string::npos) {
        w.country.clear();
    }
}

// A value of another form (a spreadsheet's 4/10/1980 in this program's own layout, a
// written-out month) is rearranged by position into something that is no date; it is
// dropped with the dates of other centuries rather than stored.
void emptyUnlessCentury(std::string& birthdate) {
    const std::string century = leftOf(birthdate, 2);
    const bool eightDigits =
        birthdate.size() == 8 && std::all_of(birthdate.begin(), birthdate.end(), isDigit);
    if ((century != "19" && century != "20") || !eightDigits) {
        birthdate.clear();
    }
}

void cleanLayoutA(ContactRecord& w) {
    w.birthdate = normaliseBirthdate(w.birthdate, '/', true);
    upperState(w);
    for (std::string* phone : {&w.homePhone, &w.cellPhone, &w.workPhone}) {
        emptyUnlessLastFourNumeric(*phone);
    }
    for (std::string* phone : {&w.homePhone, &w.cellPhone, &w.workPhone}) {
        emptyUnlessDash(*phone);
    }
    if (w.homePhone.empty()) {
        w.homePhone = w.workPhone;
    }
    if (characterCount(w.street) < 6) {
        w.street.clear();
    }
    cleanAddress(w);
    emptyUnlessCentury(w.birthdate);
}

void cleanLayoutB(ContactRecord& w) {
    w.birthdate = normaliseBirthdate(w.birthdate, '/', true);
    for (std::string* phone : {&w.homePhone, &w.cellPhone}) {
        removePhonePunctuation(*phone);
    }
    for (std::string* phone : {&w.homePhone, &w.cellPhone}) {
        emptyUnlessLastFourNumeric(*phone);
    }
    for (std::string* phone : {&w.homePhone, &w.cellPhone}) {
        emptyUnlessDash(*phone);
    }
    emptyUnlessCentury(w.birthdate);
}

// This program's own export reads back to the records it was written from: a value the
// program stored (a Canadian postcode, a city "Area 51", a phone typed with letters, any
// year) comes back as it was. Only a birthdate in another form than the export's (a file
// edited in a spreadsheet) is normalised and checked.
void cleanLayoutD(ContactRecord& w) {
    if (hasForm(w.birthdate, "**-**-****")) {
        w.birthdate = rightOf(w.birthdate, 4) + leftOf(w.birthdate, 2) + midOf(w.birthdate, 4, 2);
    } else {
        w.birthdate = normaliseBirthdate(w.birthdate, '-', false);
        emptyUnlessCentury(w.birthdate);
    }
    upperState(w);
}

}  // namespace

std::string normaliseBirthdate(std::string_view value, char separator, bool checkMonthAndDay) {
    std::string date(value);
    if (hasForm(date, withSeparator("#/#/####", separator))) {
        date = "0" + leftOf(date, 2) + "0" + midOf(date, 3, 2) + rightOf(date, 4);
    }
    if (hasForm(date, withSeparator("#/##/####", separator))) {
        date = "0" + date;
    }
    if (hasForm(date, withSeparator("##/#/####", separator))) {
        date = leftOf(date, 3) + "0" + rightOf(date, 6);
    }
    if (checkMonthAndDay &&
        (numberValue(leftOf(date, 2)) > 12 || numberValue(midOf(date, 4, 2)) > 31)) {
        date.clear();
    }
    return birthdateToStored(date);
}

void cleanContact(CsvLayout layout, ContactRecord& working) {
    switch (layout) {
        case CsvLayout::A:
            cleanLayoutA(working);
            break;
        case CsvLayout::B:
            cleanLayoutB(working);
            break;
        case CsvLayout::D:
            cleanLayoutD(working);
            break;
        case CsvLayout::C:
        case CsvLayout::E:
            break;
    }
}

}  // namespace qm
