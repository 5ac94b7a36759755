#pragma once

// Contacts as vCard 3.0 in UTF-8, the form address books and mail programs read. The cards
// name this program as their maker, so that its own import reads them back exactly as the
// contacts were stored.

#include <string>
#include <vector>

#include "records/contact_record.h"

namespace qm {

std::string vcardText(const std::vector<ContactRecord>& records);
std::string vcardOf(const ContactRecord& record);

}  // namespace qm
