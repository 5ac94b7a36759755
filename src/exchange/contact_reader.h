#pragma once

// A contact reader turns an import file into rows of named contact fields; one step
// (contact_import.h) takes every reader's rows into the contact file the same way. The CSV
// reader (five header layouts, else columns found by their names) and the vCard reader
// are the readers; which one reads a file is decided by its content, not its name
// (openContactReader in contact_formats.h).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "records/contact_record.h"

namespace qm {

struct ContactRow {
    // UTF-8 values with their letters as the store holds them (FieldLimits::storable), as
    // the reader's own rules cleaned them; the birthdate in its stored form (YYYYMMDD) or
    // empty; the include-company flag. The step that stores the row still applies the rules
    // every contact follows (no comma, no line break, widths).
    ContactRecord contact;
    // Bit n set: field::kAll[n] (fieldIndex) had letters the store cannot hold, folded by the
    // reader.
    std::uint32_t foldedFields = 0;
    // The reader's own rule drops the row (a layout that needs both names, for instance).
    bool skipped = false;
};

class ContactReader {
  public:
    virtual ~ContactReader() = default;
    // The recognised format, as the import names it to the user.
    virtual std::string formatName() const = 0;
    // The next contact of the file; none at its end.
    virtual std::optional<ContactRow> next() = 0;
};

}  // namespace qm
