// The ~/.netrc reader over any bytes, for a host named in it and one that is not, with and
// without a user name.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "exchange/carddav_credentials.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const char* host : {"dav.example.com", ""}) {
        qm::findNetrcLogin(bytes, host, "");
        qm::findNetrcLogin(bytes, host, "ann");
    }
    return 0;
}
