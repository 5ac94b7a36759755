#pragma once

// CSV as written by spreadsheets and address books (RFC 4180): a field in double quotes may
// hold commas, doubled quotes and line breaks. A file without quotes reads line by line and
// comma by comma, as it always did.

#include <string>
#include <string_view>
#include <vector>

namespace qm {

struct CsvRecord {
    std::vector<std::string> fields;
    std::vector<char> quoted;  // per field: whether it stood in double quotes
    std::string_view text;     // the record as it stands in the file, without its line end
};

class CsvReader {
  public:
    // A record ends at a carriage return (with or without a line feed after it) outside
    // quotes. A file without any carriage return has its records ended by line feeds
    // instead (files written on Linux and macOS).
    explicit CsvReader(std::string_view text);

    // The next record that holds something; false at the end of the file. Records whose
    // fields are all blank (a doubled line end, a spreadsheet's empty row) are passed over.
    bool next(CsvRecord& record);

  private:
    bool atLineEnd(std::size_t at) const;
    std::size_t skipLineEnd(std::size_t at) const;
    // Reads one field from pos_; true when a line end or the end of the text follows it.
    bool readField(std::string& field, char& quoted);
    bool readQuoted(std::string& field);

    std::string_view text_;
    std::size_t pos_ = 0;
    char lineEnd_;
};

// Whether every field is blank.
bool isBlankRecord(const std::vector<std::string>& fields);

}  // namespace qm
