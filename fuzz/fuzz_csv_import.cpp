// The CSV import over any bytes, against a file that already holds two contacts (so the
// duplicate test runs too).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "exchange/csv_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<qm::ContactRecord> onFile = [] {
        qm::ContactRecord a;
        a.firstName = "Ann";
        a.lastName = "Lee";
        a.email = "ann@example.com";
        qm::ContactRecord b;
        b.firstName = "Bob";
        b.lastName = "Ray";
        return std::vector<qm::ContactRecord>{a, b};
    }();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qm::importCsv(bytes, onFile, size % 2 == 0);
    return 0;
}
