#pragma once

// A contact file of its own holding the given records, for tests of the passes over the open
// contacts.

#include <vector>

#include "records/contact_file.h"
#include "support/temp_folder.h"

namespace qm::test {

class ContactsOnFile {
  public:
    explicit ContactsOnFile(const std::vector<ContactRecord>& records = {}) {
        file_.open(folder_.file("Contacts.DAT"));
        file_.appendAll(records);
    }

    ContactFile& file() { return file_; }
    // The records as the file holds them: values trimmed and cut to their fields.
    std::vector<ContactRecord> stored() const { return file_.readAll(); }

  private:
    TempFolder folder_;
    ContactFile file_;
};

}  // namespace qm::test
