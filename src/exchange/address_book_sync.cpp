#include "exchange/address_book_sync.h"

#include <map>
#include <optional>
#include <set>
#include <unordered_map>

#include "exchange/import_into_file.h"
#include "records/contact_store.h"
#include "records/error.h"

namespace qm {

namespace {

// Where a fingerprint stands in the contact file: the record a card names is tried first,
// then the whole file (indexed when first needed).
class RecordFinder {
  public:
    explicit RecordFinder(const std::vector<ContactRecord>& onFile) : onFile_(onFile) {}

    // The record number holding `fingerprint`, `hint` first; 0 when none does.
    std::int64_t find(std::int64_t hint, std::uint64_t fingerprint) {
        if (hint >= 1 && static_cast<std::size_t>(hint) <= onFile_.size() &&
            recordFingerprint(onFile_[static_cast<std::size_t>(hint) - 1]) == fingerprint) {
            return hint;
        }
        if (!index_) {
            index_.emplace();
            for (std::size_t i = onFile_.size(); i > 0; --i) {
                (*index_)[recordFingerprint(onFile_[i - 1])] = static_cast<std::int64_t>(i);
            }
        }
        const auto found = index_->find(fingerprint);
        return found == index_->end() ? 0 : found->second;
    }

  private:
    const std::vector<ContactRecord>& onFile_;
    std::optional<std::unordered_map<std::uint64_t, std::int64_t>> index_;  // first record
};

class Planner {
  public:
    Planner(const std::vector<ContactRecord>& onFile, bool remindersOn)
        : onFile_(onFile), step_(DuplicateIndex(onFile), remindersOn), finder_(onFile) {}

    SyncPlan plan(const CarddavSyncState& known, const AddressBookChanges& changes,
                  const FieldLimits& limits) {
        std::vector<ContactRow> rows = readServerCards(changes.cards, limits);
        if (known.addressBookUrl == changes.addressBookUrl) {
            for (const SyncedCard& card : known.cards) {
                cards_[card.href] = card;
            }
        }
        for (const std::string& href : changes.removed) {
            plan_.counts.removed += cards_.erase(href);
        }
        for (const auto& [href, card] : cards_) {
            if (card.record > 0) {
                claimed_.insert(card.record);
            }
        }
        plan_.counts.unchanged = changes.unchanged;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const ServerCard& card = changes.cards[i];
            const auto knownCard = cards_.find(card.href);
            if (knownCard != cards_.end() && knownCard->second.record > 0) {
                knownCard->second.etag = card.etag;
                update(knownCard->second, std::move(rows[i]));
            } else {
                cards_[card.href] = add(card, std::move(rows[i]));
            }
        }
        plan_.state.addressBookUrl = changes.addressBookUrl;
        plan_.state.syncToken = changes.syncToken;
        for (auto& [href, card] : cards_) {
            plan_.state.cards.push_back(std::move(card));
        }
        return std::move(plan_);
    }

  private:
    // A changed card of a contact on file.
    void update(SyncedCard& card, ContactRow row) {
        ImportStep::Taken taken =
            step_.take(std::move(row), plan_.counts.skipped, ImportStep::DuplicateTest::Skip);
        if (taken.verdict == ImportStep::Verdict::WithoutNameOrEmail) {
            return;  // the contact stays as it is; the skip is counted
        }
        const std::uint64_t now = recordFingerprint(taken.stored);
        const std::int64_t at = finder_.find(card.record, card.fingerprint);
        if (at == 0) {
            const std::int64_t done = finder_.find(card.record, now);
            if (done == 0) {
                ++plan_.counts.leftAlone;
                return;
            }
            card.record = done;
            card.fingerprint = now;
            ++plan_.counts.unchanged;
            return;
        }
        card.record = at;
        if (now == card.fingerprint) {
            ++plan_.counts.unchanged;  // nothing the contact file holds changed
            return;
        }
        // The reminder flag is the user's, not the card's.
        taken.stored.reminder = onFile_[static_cast<std::size_t>(at) - 1].reminder;
        plan_.updates.emplace_back(static_cast<int>(at), std::move(taken.stored));
        card.fingerprint = now;
        ++plan_.counts.updated;
    }

    // A card new to the contact file (or one that had nothing to store before).
    SyncedCard add(const ServerCard& card, ContactRow row) {
        SyncedCard synced{card.href, card.etag, 0, 0};
        ImportStep::Taken taken = step_.take(std::move(row), plan_.counts.skipped);
        switch (taken.verdict) {
            case ImportStep::Verdict::Add:
                synced.fingerprint = recordFingerprint(taken.stored);
                plan_.additions.push_back(std::move(taken.stored));
                synced.record = static_cast<std::int64_t>(onFile_.size() + plan_.additions.size());
                ++plan_.counts.added;
                break;
            case ImportStep::Verdict::Duplicate: {
                // Its later changes update that contact, unless another card has it already.
                const auto record = static_cast<std::int64_t>(taken.match + 1);
                if (claimed_.insert(record).second) {
                    synced.record = record;
                    synced.fingerprint = recordFingerprint(onFile_[taken.match]);
                }
                break;
            }
            case ImportStep::Verdict::WithoutNameOrEmail:
                break;
        }
        return synced;
    }

    const std::vector<ContactRecord>& onFile_;
    ImportStep step_;
    RecordFinder finder_;
    SyncPlan plan_;
    std::map<std::string, SyncedCard> cards_;  // the next state's cards, by href
    std::set<std::int64_t> claimed_;           // records some card stands for
};

}  // namespace

SyncPlan planSync(const std::vector<ContactRecord>& onFile, const CarddavSyncState& known,
                  const AddressBookChanges& changes, bool remindersOn, const FieldLimits& limits) {
    return Planner(onFile, remindersOn).plan(known, changes, limits);
}

SyncCounts syncContactFile(ContactStore& contacts, const std::string& statePath,
                           const CarddavSyncState& known, const AddressBookChanges& changes,
                           bool remindersOn) {
    // The plan and its writes see the same contacts, and two syncs do not interleave.
    const ContactStore::Lock lock(contacts, LockKind::Exclusive);
    const SyncPlan plan =
        planSync(contacts.readAll(), known, changes, remindersOn, contacts.fieldLimits());
    for (const auto& [record, contact] : plan.updates) {
        contacts.write(record, contact);
    }
    if (!plan.additions.empty()) {
        contacts.appendAll(plan.additions);
    }
    SyncCounts counts = plan.counts;
    if (plan.state != known) {
        try {
            writeSyncState(statePath, plan.state, contacts.permissions());
        } catch (const QmError& e) {
            // The contacts are written; the state as it was still leads the next run right.
            counts.stateNotWritten = e.description();
        }
    }
    return counts;
}

std::string syncCompletedText(const SyncCounts& counts) {
    std::string text = "D O N E !  " + counted(counts.added, "contact", "contacts") + " added, " +
                       std::to_string(counts.updated) + " updated, " +
                       std::to_string(counts.unchanged) + " unchanged.";
    std::vector<std::string> notes;
    if (counts.leftAlone > 0) {
        notes.push_back("Left alone: " + counted(counts.leftAlone, "contact", "contacts") +
                        " changed or deleted here since the last sync.");
    }
    if (counts.removed > 0) {
        notes.push_back("Kept here: " + counted(counts.removed, "contact", "contacts") +
                        " removed on the server.");
    }
    const std::string skipped = importSkippedText(counts.skipped);
    if (!skipped.empty()) {
        notes.push_back(skipped);
    }
    if (!counts.stateNotWritten.empty()) {
        notes.push_back("The sync file could not be written (" + counts.stateNotWritten +
                        "); the next sync reads these changes again and adds nothing twice.");
    }
    for (std::size_t i = 0; i < notes.size(); ++i) {
        text += (i == 0 ? "\n" : "  ") + notes[i];
    }
    return text;
}

}  // namespace qm
