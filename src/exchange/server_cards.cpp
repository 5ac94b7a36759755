#include "exchange/server_cards.h"

#include "exchange/carddav_errors.h"
#include "exchange/vcard_reader.h"
#include "records/contact_store.h"

namespace qm {

namespace {

// Hands over rows already read.
class ReadRows : public ContactReader {
  public:
    explicit ReadRows(std::vector<ContactRow> rows) : rows_(std::move(rows)) {}
    std::string formatName() const override { return "vCards of an address book server"; }
    std::optional<ContactRow> next() override {
        if (next_ == rows_.size()) {
            return std::nullopt;
        }
        return std::move(rows_[next_++]);
    }

  private:
    std::vector<ContactRow> rows_;
    std::size_t next_ = 0;
};

ContactRow readCard(const ServerCard& card, const FieldLimits& limits) {
    if (!looksLikeVCard(card.vcard)) {
        throw carddav_error::cardUnreadable(card.href, "is not a vCard");
    }
    VCardReader reader(card.vcard, limits);
    std::optional<ContactRow> row = reader.next();
    if (!row) {
        throw carddav_error::cardUnreadable(card.href, "is not a vCard");
    }
    if (reader.next()) {
        throw carddav_error::cardUnreadable(card.href, "holds more than one vCard");
    }
    return std::move(*row);
}

}  // namespace

std::vector<ContactRow> readServerCards(const std::vector<ServerCard>& cards,
                                        const FieldLimits& limits) {
    std::vector<ContactRow> rows;
    rows.reserve(cards.size());
    for (const ServerCard& card : cards) {
        rows.push_back(readCard(card, limits));
    }
    return rows;
}

ImportResult importServerCards(const std::vector<ServerCard>& cards, DuplicateIndex onFile,
                               bool remindersOn, const FieldLimits& limits) {
    ReadRows rows(readServerCards(cards, limits));
    return importRows(rows, std::move(onFile), remindersOn);
}

ImportResult importServerCardsIntoFile(const std::vector<ServerCard>& cards, ContactStore& contacts,
                                       bool remindersOn) {
    // The duplicate test and the append see the same contacts: no other writer in between.
    const ContactStore::Lock lock(contacts, LockKind::Exclusive);
    // Every card is read before the contacts are.
    ReadRows rows(readServerCards(cards, contacts.fieldLimits()));
    ImportResult result = importRows(rows, indexContacts(contacts), remindersOn);
    if (!result.records.empty()) {
        contacts.appendAll(result.records);
    }
    return result;
}

}  // namespace qm
