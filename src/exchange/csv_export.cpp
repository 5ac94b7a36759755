#include "exchange/csv_export.h"

#include "records/code_page.h"
#include "records/error.h"
#include "records/text_rules.h"

namespace qm {

std::string exportBaseName(std::string_view contactPath, std::string_view appFolder) {
    std::string base = replaceAll(contactPath, std::string(appFolder) + "/", "");
    base = removeAll(base, ".DAT");
    return removeAll(base, ".dat");
}

std::string exportFilePath(std::string_view appFolder, std::string_view base, ExportFormat format) {
    const ContactFormat& row = exportRow(format);
    return std::string(appFolder) + "/" + std::string(row.exportPrefix) + std::string(base) +
           std::string(row.exportEnding);
}

std::string exportHeaderLine(ExportFormat format) {
    const ContactFormat& row = exportRow(format);
    return row.exportHeader != nullptr ? row.exportHeader() : std::string();
}

std::string exportLine(const ContactRecord& r, ExportFormat format) {
    return exportRow(format).exportRecord(r);
}

TextEncoding exportEncoding(ExportFormat format, TextEncoding asked) {
    return format == ExportFormat::VCard ? TextEncoding::Utf8 : asked;
}

namespace {

void appendEncoded(std::string& out, std::string_view utf8, TextEncoding encoding) {
    if (encoding == TextEncoding::CodePage1252) {
        appendUtf8AsCp1252(out, utf8);
    } else {
        out.append(utf8);
    }
}

}  // namespace

std::string exportText(const std::vector<ContactRecord>& records, ExportFormat format,
                       TextEncoding encoding) {
    const TextEncoding written = exportEncoding(format, encoding);
    std::string text;
    appendEncoded(text, exportHeaderLine(format), written);
    text.reserve(text.size() + records.size() * 160);
    for (const ContactRecord& r : records) {
        appendEncoded(text, exportLine(r, format), written);
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
    const TextEncoding written = exportEncoding(format, contacts.fieldLimits().letters);
    std::string text;
    appendEncoded(text, exportHeaderLine(format), written);
    contacts.forEachRecord([&](int, const ContactRecord& r) {
        appendEncoded(text, exportLine(r, format), written);
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
