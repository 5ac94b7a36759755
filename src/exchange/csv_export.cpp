#include "exchange/csv_export.h"

#include <array>

#include "exchange/own_layout.h"
#include "exchange/vcard_export.h"
#include "records/error.h"
#include "records/text_rules.h"

namespace qm {

namespace {

char separatorOf(ExportFormat format) {
    return format == ExportFormat::Csv ? ',' : '|';
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
    const char* prefix = format == ExportFormat::Csv   ? "QMKC_"
                         : format == ExportFormat::Txt ? "QMKT_"
                                                       : "QMKV_";
    const char* extension = format == ExportFormat::Csv   ? ".csv"
                            : format == ExportFormat::Txt ? ".txt"
                                                          : ".vcf";
    return std::string(appFolder) + "/" + prefix + std::string(base) + extension;
}

std::string exportHeaderLine(ExportFormat format) {
    std::array<std::string_view, kOwnColumns.size()> titles;
    for (std::size_t i = 0; i < kOwnColumns.size(); ++i) {
        titles[i] = kOwnColumns[i].title;
    }
    return joined(titles, separatorOf(format));
}

std::string exportLine(const ContactRecord& r, ExportFormat format) {
    std::array<std::string, kOwnColumns.size()> values;
    for (std::size_t i = 0; i < kOwnColumns.size(); ++i) {
        const std::string& value = r.*(kOwnColumns[i].member);
        values[i] = guardedCell(
            kOwnColumns[i].member == &ContactRecord::birthdate ? exportedBirthdate(value) : value);
        if (format == ExportFormat::Csv) {
            values[i] = quotedCell(std::move(values[i]));
        }
    }
    return joined(values, separatorOf(format));
}

std::string exportText(const std::vector<ContactRecord>& records, ExportFormat format) {
    if (format == ExportFormat::VCard) {
        return vcardText(records);
    }
    std::string text = exportHeaderLine(format);
    text.reserve(text.size() + records.size() * 160);
    for (const ContactRecord& r : records) {
        text += exportLine(r, format);
    }
    return text;
}

ExportResult exportContacts(const ContactStore& contacts, const std::string& contactPath,
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
    // The records stream from the contacts into the export a block at a time, so a file of
    // any size exports in the same memory; the export appears only once it is whole. The
    // contacts are locked for the pass alone, not while the export is synced.
    // The export holds the same private data as the contacts.
    AtomicFileWriter out(result.path, ops, contacts.permissions());
    constexpr std::size_t kWriteAt = 1 << 20;
    std::string text = format == ExportFormat::VCard ? std::string() : exportHeaderLine(format);
    contacts.forEachRecord([&](int, const ContactRecord& r) {
        text += format == ExportFormat::VCard ? vcardOf(r) : exportLine(r, format);
        ++result.count;
        if (text.size() >= kWriteAt) {
            out.write(text);
            text.clear();
        }
    });
    out.write(text);
    out.commit();
    return result;
}

}  // namespace qm
