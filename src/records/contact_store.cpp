#include "records/contact_store.h"

#include <new>

#include "records/error.h"

namespace qm {

void HeldLock::refuseUpgrade(LockKind wanted) const {
    if (held() && wanted == LockKind::Exclusive && kind == LockKind::Shared) {
        throwError(err::kInvalidCall, "Invalid procedure call (a read lock is held)");
    }
}

bool HeldLock::join(LockKind wanted) {
    if (!held()) {
        return false;
    }
    refuseUpgrade(wanted);
    ++depth;
    return true;
}

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
