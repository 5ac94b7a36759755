#pragma once

// The import of any reader's rows: each row stored as the contact file stores values, rows
// without a name or e-mail address and contacts already on file skipped, the reminder flag
// set. Used by the import window and the command line alike.

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/contact_reader.h"
#include "exchange/duplicate_index.h"
#include "records/contact_record.h"

namespace qm {

enum class ImportOutcome {
    Done,           // read to the end of the file
    NotCompatible,  // no header names a name or an e-mail column
};

struct ImportCounts {
    std::size_t duplicates = 0;          // already on file
    std::size_t withoutNameOrEmail = 0;  // nothing to tell the contact apart by
    std::size_t foldedValues = 0;        // of the imported contacts, letters folded
};

struct ImportResult {
    ImportOutcome outcome = ImportOutcome::Done;
    std::string format;  // the recognised format; empty when not compatible
    // The contacts to append, in file order, exactly as the contact file will hold them.
    std::vector<ContactRecord> records;
    ImportCounts counts;
};

// A reader's row as the contact file will hold it: control characters out, commas out of
// each field as Save takes them out (blanks in the country, category and notes; an e-mail
// address keeps what stands before its first comma), left-trimmed and cut to the widths.
ContactRecord storedForm(ContactRecord row);

// The import step for one row at a time, for a caller that must know what became of each
// row (keeping a contact file in step with an address book).
class ImportStep {
  public:
    // `onFile`: the contacts on file before the import.
    ImportStep(DuplicateIndex onFile, bool remindersOn);

    enum class Verdict { Add, WithoutNameOrEmail, Duplicate };
    struct Taken {
        Verdict verdict = Verdict::Add;
        ContactRecord stored;   // as the contact file will hold it
        std::size_t match = 0;  // Duplicate: index in onFile of the contact it matches
    };
    enum class DuplicateTest { Run, Skip };

    // Counts what is skipped, and the folded values of a row to add, into `counts`.
    Taken take(ContactRow row, ImportCounts& counts, DuplicateTest test = DuplicateTest::Run) const;

  private:
    DuplicateIndex duplicates_;
    bool remindersOn_;
};

// Reads every row (at most `limit` contacts to append) through the one import step. A
// contact is a duplicate when it matches one of `onFile`, the contacts on file before the
// import (indexContacts of the open contacts).
ImportResult importRows(ContactReader& reader, DuplicateIndex onFile, bool remindersOn,
                        std::size_t limit = std::numeric_limits<std::size_t>::max());

// The import of a file's bytes in whatever format its content shows, into a store of these
// limits.
ImportResult importContacts(std::string_view fileBytes, DuplicateIndex onFile, bool remindersOn,
                            const FieldLimits& limits = kContactFileLimits);

// What an import would do, for showing before it runs: the recognised format and the first
// `count` contacts as they will be stored.
ImportResult previewImport(std::string_view fileBytes, DuplicateIndex onFile, bool remindersOn,
                           std::size_t count = 5, const FieldLimits& limits = kContactFileLimits);

}  // namespace qm
