// The address book sync file over any bytes. A damaged file is refused (QmError); one that is
// read must be written back to a file that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "exchange/carddav_sync_state.h"
#include "records/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qm::CarddavSyncState state;
    try {
        state = qm::parseSyncState(bytes, "fuzz");
    } catch (const qm::QmError&) {
        return 0;
    }
    if (qm::parseSyncState(qm::formatSyncState(state), "again") != state) {
        std::abort();
    }
    return 0;
}
