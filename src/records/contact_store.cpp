#include "records/contact_store.h"

#include <new>

#include "records/error.h"

namespace qm {

std::vector<ContactRecord> ContactStore::readAll() const {
    const Lock lock(*this, LockKind::Shared);
    const int n = count();
    std::vector<ContactRecord> records;
    try {
        records.reserve(static_cast<std::size_t>(n));
        forEachRecord([&records](int, const ContactRecord& r) { records.push_back(r); });
    } catch (const std::bad_alloc&) {
        throwError(err::kOutOfMemory, "Out of memory (" + std::to_string(n) + " contacts)");
    }
    return records;
}

}  // namespace qm
