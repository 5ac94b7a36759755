#pragma once

// The vCard reader: versions 2.1, 3.0 and 4.0, one contact or many. Folded lines are
// unfolded, quoted-printable values decoded in their character set, escaped commas,
// semicolons and line breaks read back. A contact takes N (FN when it has no N), the home
// address (else the preferred one, else the first), phones by their types, the preferred
// e-mail address, BDAY, ORG, CATEGORIES and NOTE, cleaned as Add Contact cleans typed
// values. A vCard this program exported is read back exactly as it was stored.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/contact_reader.h"

namespace qm {

// Whether a decoded text is a vCard file: its first line that holds something is BEGIN:VCARD.
bool looksLikeVCard(std::string_view utf8Text);

class VCardReader : public ContactReader {
  public:
    // The values are made storable by `limits`.
    explicit VCardReader(std::string utf8Text, const FieldLimits& limits = kContactFileLimits);

    std::string formatName() const override;
    std::optional<ContactRow> next() override;

  private:
    // The next physical line; false at the end.
    bool nextLine(std::string_view& line);

    std::string text_;
    FieldLimits limits_;
    std::size_t pos_ = 0;
    std::string pending_;  // a line read past the end of the last card
    std::string format_;
};

}  // namespace qm
