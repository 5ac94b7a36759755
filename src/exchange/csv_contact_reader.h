#pragma once

// The CSV reader: the header is found (a preamble before it, such as LinkedIn's notes, is
// passed over), then each line is read by the first of the five layouts whose header rule
// holds and whose name and e-mail columns the header names, the fields that layout does not
// take completed from the columns found by their names; a file no layout fits is read by
// the named columns alone.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "exchange/contact_reader.h"
#include "exchange/csv_layout_map.h"
#include "exchange/csv_named_columns.h"
#include "exchange/csv_text.h"

namespace qm {

class CsvContactReader : public ContactReader {
  public:
    // None when no header names a name or an e-mail column. The values are made storable by
    // `limits`.
    static std::unique_ptr<CsvContactReader> open(std::string utf8Text,
                                                  const FieldLimits& limits = kContactFileLimits);

    std::string formatName() const override;
    std::optional<ContactRow> next() override;

  private:
    CsvContactReader(std::string text, std::size_t headerSkip, const FieldLimits& limits);
    void complete(ContactRow& row, const ContactRow& named, bool address) const;

    std::string text_;
    FieldLimits limits_;
    CsvReader csv_;
    std::vector<std::string> header_;
    std::optional<LayoutMap> layout_;
    std::optional<CsvLayout> layoutKind_;
    NamedColumns named_;
    std::vector<std::string ContactRecord::*> completed_;  // fields the named columns add
    bool addressFallback_ = false;
    CsvRecord record_;
};

}  // namespace qm
