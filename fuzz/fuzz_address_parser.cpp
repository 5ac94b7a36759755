// The address-line parser over up to five typed lines (the input split at line feeds).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "contacts/address_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    qm::AddressLines lines;
    for (std::string& line : lines) {
        const auto end = rest.find('\n');
        line = std::string(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    }
    qm::parseAddressLines(lines);
    return 0;
}
