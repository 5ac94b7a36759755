#pragma once

// Import of a provider CSV file: from the file's bytes, the contacts on file and the
// birthday-reminder state to the records to append at the end of the contact file.

#include <optional>
#include <string_view>
#include <vector>

#include "records/contact_record.h"
#include "records/error.h"

namespace qm {

enum class ImportOutcome {
    Done,           // read to the end of the file
    UnknownLayout,  // the header matches no layout: the import ends without a word
    NotCompatible,  // a names-and-e-mail header without an e-mail column name
    Stopped,        // an error stopped the import at `error`
};

struct ImportResult {
    ImportOutcome outcome = ImportOutcome::Done;
    // The contacts to append, in line order, as the contact file will hold them. When an
    // error stopped the import these are the contacts of the lines before it.
    std::vector<ContactRecord> records;
    std::optional<QmError> error;
};

// Decodes the file (UTF-8, UTF-16 with byte-order mark, else code page 1252) and imports
// its data lines. A contact is skipped when it matches a record in `onFile` (the contacts
// on file before this import) or has neither names nor e-mail address.
ImportResult importCsv(std::string_view fileBytes, const std::vector<ContactRecord>& onFile,
                       bool remindersOn);

}  // namespace qm
