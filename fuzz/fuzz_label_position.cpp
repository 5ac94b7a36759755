// The answer to the label position prompt ("4", "4-9", anything typed).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "printing/label_stock.h"
#include "printing/print_command.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qm::enterLabelPosition(qm::kAddressSheet,
                           std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
