#include "records/open_contact_store.h"

#include "records/contact_file.h"

namespace qm {

std::unique_ptr<ContactStore> openContactStore(const std::string& path,
                                               ContactStore::Access access) {
    // Every path holds a contact file so far; another kind of store is recognised here,
    // by the file's ending or its first bytes, before this last choice.
    auto file = std::make_unique<ContactFile>();
    file->open(path, access);
    return file;
}

std::unique_ptr<ContactStore> noContactStore() {
    // A contact file never opened fails each operation as a closed store does.
    return std::make_unique<ContactFile>();
}

}  // namespace qm
