// The vCard reader over any bytes: as a file's contacts, then as one card of an address book
// server (which must be exactly one vCard). A card refused with QmError is the reader's own
// refusal, not a fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "exchange/server_cards.h"
#include "exchange/vcard_reader.h"
#include "records/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    qm::VCardReader reader(text);
    while (reader.next()) {
    }
    try {
        qm::readServerCards({{"/book/a.vcf", "\"1\"", text}});
    } catch (const qm::QmError&) {
    }
    return 0;
}
