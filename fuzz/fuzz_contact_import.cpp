// The import over any bytes (the reader is chosen by the content: CSV layouts or vCards),
// against a file that already holds two contacts (so the duplicate test runs too). An error
// the import reports (QmError, shown to the user) is its own refusal, not a fault.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "exchange/contact_import.h"
#include "records/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const qm::DuplicateIndex onFile = [] {
        qm::ContactRecord a;
        a.firstName = "Ann";
        a.lastName = "Lee";
        a.email = "ann@example.com";
        qm::ContactRecord b;
        b.firstName = "Bob";
        b.lastName = "Ray";
        return qm::DuplicateIndex({a, b});
    }();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        qm::importContacts(bytes, onFile, size % 2 == 0);
    } catch (const qm::QmError&) {
    }
    return 0;
}
