#pragma once

// The contact store for a path: the kind of store that holds the contacts there, opened.
// Every kind of store is chosen here and nowhere else.

#include <memory>
#include <string>

#include "records/contact_store.h"

namespace qm {

// ReadWrite makes an empty store when nothing is at the path yet. Throws QmError.
std::unique_ptr<ContactStore> openContactStore(
    const std::string& path, ContactStore::Access access = ContactStore::Access::ReadWrite);

// What the store at path holds, or the one openContactStore would make there: a book's
// limits for a book or a new file ending in ".qmbook", else the contact file's. Throws
// QmError when the file cannot be read.
const FieldLimits& fieldLimitsAt(const std::string& path);

// What stands for the open contacts while none are open: every operation fails as after
// close (error 52), and closing it does nothing.
std::unique_ptr<ContactStore> noContactStore();

}  // namespace qm
