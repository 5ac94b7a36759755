#include "exchange/csv_export.h"

#include <array>

#include "records/error.h"
#include "records/text_rules.h"

namespace qm {

namespace {

constexpr std::array<std::string_view, 18> kTitles = {"First Name",
                                                      "MI",
                                                      "Last Name",
                                                      "Street1",
                                                      "Street2",
                                                      "City",
                                                      "State",
                                                      "Zip",
                                                      "Country",
                                                      "Company",
                                                      "Include Company in Address",
                                                      "Home Phone",
                                                      "Cell Phone",
                                                      "Work Phone",
                                                      "Email",
                                                      "Birthdate",
                                                      "Category",
                                                      "Notes"};

char separatorOf(ExportFormat format) {
    return format == ExportFormat::Csv ? ',' : '|';
}

// Stored YYYYMMDD as MM-DD-YYYY, the form the import's own layout reads back.
std::string exportedBirthdate(std::string_view stored) {
    if (trim(stored).empty()) {
        return {};
    }
    return midOf(stored, 5, 2) + "-" + midOf(stored, 7, 2) + "-" + leftOf(stored, 4);
}

template <typename Values>
std::string joined(const Values& values, char separator) {
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            line += separator;
        }
        line += values[i];
    }
    line += "\r\n";
    return line;
}

}  // namespace

std::string exportBaseName(std::string_view contactPath, std::string_view appFolder) {
    std::string base = replaceAll(contactPath, std::string(appFolder) + "/", "");
    base = removeAll(base, ".DAT");
    return removeAll(base, ".dat");
}

std::string exportFilePath(std::string_view appFolder, std::string_view base, ExportFormat format) {
    const bool csv = format == ExportFormat::Csv;
    return std::string(appFolder) + "/" + (csv ? "QMKC_" : "QMKT_") + std::string(base) +
           (csv ? ".csv" : ".txt");
}

std::string exportHeaderLine(ExportFormat format) {
    return joined(kTitles, separatorOf(format));
}

std::string exportLine(const ContactRecord& r, ExportFormat format) {
    const std::string birthdate = exportedBirthdate(r.birthdate);
    const std::array<std::string_view, 18> values = {
        r.firstName, r.middleInitial, r.lastName, r.street,  r.street2,        r.city,
        r.state,     r.zip,           r.country,  r.company, r.includeCompany, r.homePhone,
        r.cellPhone, r.workPhone,     r.email,    birthdate, r.category,       r.notes};
    return joined(values, separatorOf(format));
}

std::string exportText(const std::vector<ContactRecord>& records, ExportFormat format) {
    std::string text = exportHeaderLine(format);
    text.reserve(text.size() + records.size() * 160);
    for (const ContactRecord& r : records) {
        text += exportLine(r, format);
    }
    return text;
}

ExportResult exportContacts(const ContactFile& contacts, const std::string& contactPath,
                            const std::string& appFolder, ExportFormat format, FileOps& ops) {
    ExportResult result;
    result.base = exportBaseName(contactPath, appFolder);
    // A base with a folder in it (a contact file outside the application folder, or folders
    // whose names hold ".DAT") would put the export somewhere else.
    if (result.base.find('/') != std::string::npos) {
        throwError(err::kBadFileNameOrNumber,
                   "Bad file name or number (the contact file must lie in the application "
                   "folder " +
                       appFolder + ")");
    }
    result.path = exportFilePath(appFolder, result.base, format);
    const std::vector<ContactRecord> records = contacts.readAll();
    result.count = static_cast<int>(records.size());
    // The export holds the same private data as the contact file.
    writeFileAtomically(result.path, exportText(records, format), ops, contacts.permissions());
    return result;
}

}  // namespace qm
