#pragma once

// Export of the whole contact file, in file order, as comma-separated values, as a
// "|"-separated text file or as vCards, in the application folder. A value a spreadsheet
// would run as a formula gets an apostrophe before it; a CSV value that holds a quote or a
// comma or begins with a blank is quoted (RFC 4180); every other value is written as it is.
// The file reads back in the import's own layout.

#include <string>
#include <string_view>
#include <vector>

#include "exchange/contact_formats.h"
#include "records/contact_record.h"
#include "records/contact_store.h"
#include "records/file_ops.h"

namespace qm {

// The contact file's path without the application folder + "/", ".DAT" and ".dat".
std::string exportBaseName(std::string_view contactPath, std::string_view appFolder);
// Application folder + "/" + the format's prefix + base + its ending: "/QMKC_" + base +
// ".csv", "/QMKT_" + base + ".txt", "/QMKV_" + base + ".vcf".
std::string exportFilePath(std::string_view appFolder, std::string_view base, ExportFormat format);

// The file's first line (none for vCards) and a contact's part of the file, in UTF-8.
std::string exportHeaderLine(ExportFormat format);
std::string exportLine(const ContactRecord& record, ExportFormat format);
// The encoding an export file of the format is written in: CSV and text in the one asked
// for (a contact file's in its code page, byte for byte as it holds them), vCards in UTF-8
// whatever is asked.
TextEncoding exportEncoding(ExportFormat format, TextEncoding asked);
// Header line and one line per record, each ended by CR LF; for vCards, one card per record;
// in exportEncoding(format, encoding).
std::string exportText(const std::vector<ContactRecord>& records, ExportFormat format,
                       TextEncoding encoding);

struct ExportResult {
    std::string path;
    std::string base;
    int count = 0;
};

// Writes every open contact to the export file in the encoding of the letters the contacts'
// store holds (exportEncoding), whole or not at all: a failure leaves an earlier file of that
// name as it was.
ExportResult exportContacts(const ContactStore& contacts, const std::string& contactPath,
                            const std::string& appFolder, ExportFormat format,
                            FileOps& ops = systemFileOps());

}  // namespace qm
