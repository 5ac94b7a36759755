// The parameter file reader over any bytes, for each section. A field that is not a number
// is the reader's own refusal (QmError), not a fault.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "records/error.h"
#include "records/parameter_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const char* section : {qm::kSectionOnTheFly, qm::kSectionBulkList, qm::kSectionEnvelope}) {
        try {
            qm::adjustmentIn(bytes, section);
        } catch (const qm::QmError&) {
        }
    }
    return 0;
}
