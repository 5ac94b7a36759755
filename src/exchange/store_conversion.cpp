#include "exchange/store_conversion.h"

#include "exchange/contact_import.h"
#include "records/contact_book.h"
#include "records/error.h"

namespace qm {

Conversion convertContacts(const ContactStore& from, const FieldLimits& limits) {
    Conversion conversion;
    from.forEachRecord([&](int n, const ContactRecord& record) {
        std::vector<CutValue> cuts;
        std::uint32_t folded = 0;
        ContactRecord stored = storedForm(record, limits, &cuts, &folded);
        // Values the new store keeps as they were are not told, whatever the rules did.
        for (std::size_t i = 0; i < kFieldDescriptions.size(); ++i) {
            const std::string ContactRecord::*member = kFieldDescriptions[i].stored;
            if (stored.*member == record.*member) {
                continue;
            }
            ConvertedValue value{n, i, stored.*member};
            value.folded = (folded >> i & 1u) != 0;
            for (const CutValue& cut : cuts) {
                value.cut = value.cut || cut.field == i;
            }
            conversion.changed.push_back(std::move(value));
        }
        stored.card = keepsCards(limits) ? record.card : std::string();
        conversion.records.push_back(std::move(stored));
    });
    return conversion;
}

std::string convertedValueLine(const ConvertedValue& value) {
    std::string what = value.cut && value.folded ? "cut, letters changed"
                       : value.cut               ? "cut"
                       : value.folded            ? "letters changed"
                                                 : "changed";
    return std::to_string(value.contact) + "\t" +
           std::string(kFieldDescriptions[value.field].name) + "\t" + value.stored + "\t" + what;
}

void writeConversion(const Conversion& conversion, ContactStore& to) {
    const ContactStore::Lock lock(to, LockKind::Exclusive);
    if (to.count() != 0) {
        throwError(err::kFileAlreadyExists,
                   "File already exists (" + to.path() + " holds contacts already)");
    }
    if (!conversion.records.empty()) {
        to.appendAll(conversion.records);
    }
}

}  // namespace qm
