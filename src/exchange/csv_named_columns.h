#pragma once

// Columns of a CSV header found by the names real exports give them (Google, Outlook,
// Outlook.com, Thunderbird, Yahoo, LinkedIn, old Gmail and others): names, e-mail,
// phones, one address, company, birthday, categories, notes. Used for files no layout fits,
// and for the fields a layout does not take.

#include <string>
#include <vector>

#include "exchange/contact_reader.h"

namespace qm {

class NamedColumns {
  public:
    explicit NamedColumns(const std::vector<std::string>& header);

    // Whether some column holds a name or an e-mail address: without one, nothing in the
    // file can be told apart.
    bool namesNameOrEmail() const;
    // Whether some column feeds the record field.
    bool feeds(std::string ContactRecord::*member) const;

    // The contact of one line, cleaned as Add Contact cleans typed values, its values made
    // storable by `limits`. A line shorter than the header has empty values in the missing
    // columns.
    ContactRow read(const std::vector<std::string>& fields, const FieldLimits& limits) const;

    // What a column holds. Address parts and phones come in groups (home, work...); a
    // group of Google's "Phone 1 - Type" / "Phone 1 - Value" kind is typed on each line.
    enum class Slot {
        First,
        Middle,
        Last,
        FullName,
        Email,
        HomePhone,
        CellPhone,
        WorkPhone,
        TypedPhone,
        Company,
        Birthday,
        BirthYear,
        BirthMonth,
        BirthDay,
        Category,
        Notes,
        Street,
        Street2,
        City,
        State,
        Zip,
        Country,
    };
    enum class Group { Home, Plain, Work, Other, Typed };

    struct Binding {
        std::size_t column;
        Slot slot;
        Group group = Group::Plain;
        std::size_t typeColumn = 0;  // for a typed group: the column that names its type
    };

  private:
    std::vector<Binding> bindings_;
};

}  // namespace qm
