// Keeping a contact file in step with an address book, without a server: the cards a read
// brings against the records on file and the sync state.
#include "exchange/address_book_sync.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "records/contact_file.h"
#include "records/error.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

const std::string kBook = "http://127.0.0.1/alice/family/";

ServerCard card(const std::string& uid, const std::string& first, const std::string& city,
                const std::string& etag = "\"1\"") {
    return {"/alice/family/" + uid + ".vcf", etag,
            "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;" + first + ";;;\r\nEMAIL:" + uid +
                "@example.com\r\nADR;TYPE=HOME:;;12 Oak St;" + city +
                ";NY;12180;\r\nEND:VCARD\r\n"};
}

// What the second run works on: the file and the changes, set up by each case.
struct SecondRun {
    std::vector<ContactRecord> file;
    AddressBookChanges changes{kBook, "token-2", {}, {}, 0};
};

TEST(AddressBookSync, ASecondRunTakesWhatChangedAndLeavesLocalChangesAlone) {
    const AddressBookChanges first{
        kBook, "token-1", {card("ann", "Ann", "Troy"), card("bob", "Bob", "Troy")}, {}, 0};
    const SyncPlan initial = planSync({}, {}, first, true);
    ASSERT_EQ(initial.additions.size(), 2u);
    const CarddavSyncState known = initial.state;

    struct Case {
        const char* name;
        std::function<void(SecondRun&)> setUp;
        // added updated unchanged leftAlone removed duplicates / updated record numbers
        std::string counts;
        std::vector<int> updatedRecords;
        std::int64_t bobRecordAfter;  // in the next state; -1: bob is no longer in it
    };
    const ServerCard bobMoved = card("bob", "Bob", "Albany", "\"2\"");
    const Case cases[] = {
        {"nothing changed", [](SecondRun& r) { r.changes.unchanged = 2; }, "0 0 2 0 0 0", {}, 2},
        {"a changed card updates its record",
         [&](SecondRun& r) { r.changes.cards = {bobMoved}; },
         "0 1 0 0 0 0",
         {2},
         2},
        {"found where it moved to",
         [&](SecondRun& r) {
             r.file.erase(r.file.begin());
             r.changes.cards = {bobMoved};
         },
         "0 1 0 0 0 0",
         {1},
         1},
        {"edited here: left alone",
         [&](SecondRun& r) {
             r.file[1].city = "Here";
             r.changes.cards = {bobMoved};
         },
         "0 0 0 1 0 0",
         {},
         2},
        {"already written by a run that did not write its state",
         [&](SecondRun& r) {
             r.file[1].city = "Albany";
             r.changes.cards = {bobMoved};
         },
         "0 0 1 0 0 0",
         {},
         2},
        {"removed on the server: forgotten, kept here",
         [](SecondRun& r) { r.changes.removed = {"/alice/family/bob.vcf"}; },
         "0 0 0 0 1 0",
         {},
         -1},
        {"a new card of a contact on file is remembered as it",
         [&](SecondRun& r) {
             r.file.push_back(r.file[1]);
             r.file[1].lastName = "Other";
             r.file[1].email = "other@example.com";
             r.changes.cards = {bobMoved};
             r.changes.addressBookUrl += "elsewhere/";
         },
         "0 0 0 0 0 1",
         {},
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SecondRun run{initial.additions};
        run.file[1].reminder = "0";  // switched here; no change of the contact
        c.setUp(run);
        const SyncPlan plan = planSync(run.file, known, run.changes, true);
        const SyncCounts& n = plan.counts;
        EXPECT_EQ(std::to_string(n.added) + " " + std::to_string(n.updated) + " " +
                      std::to_string(n.unchanged) + " " + std::to_string(n.leftAlone) + " " +
                      std::to_string(n.removed) + " " + std::to_string(n.skipped.duplicates),
                  c.counts);
        std::vector<int> updated;
        for (const auto& [record, contact] : plan.updates) {
            updated.push_back(record);
            EXPECT_EQ(contact.city, "Albany");
            EXPECT_EQ(contact.reminder, "0");
        }
        EXPECT_EQ(updated, c.updatedRecords);
        EXPECT_TRUE(plan.additions.empty());
        EXPECT_EQ(plan.state.syncToken, "token-2");
        std::int64_t bobRecord = -1;
        for (const SyncedCard& s : plan.state.cards) {
            if (s.href == bobMoved.href) {
                bobRecord = s.record;
            }
        }
        EXPECT_EQ(bobRecord, c.bobRecordAfter);
    }
}

TEST(AddressBookSync, ANewCardIsAddedAndNumbered) {
    const SyncPlan initial =
        planSync({}, {}, {kBook, "t", {card("ann", "Ann", "Troy")}, {}, 0}, true);
    const SyncPlan plan = planSync(initial.additions, initial.state,
                                   {kBook, "t2", {card("cy", "Cy", "Troy")}, {}, 1}, false);
    ASSERT_EQ(plan.additions.size(), 1u);
    EXPECT_EQ(plan.additions[0].firstName, "Cy");
    EXPECT_EQ(plan.additions[0].reminder, "0");
    ASSERT_EQ(plan.state.cards.size(), 2u);
    EXPECT_EQ(plan.state.cards[1].record, 2);
    EXPECT_EQ(plan.state.cards[1].fingerprint, recordFingerprint(plan.additions[0]));
}

TEST(AddressBookSync, ACardThatIsNotAVCardChangesNothing) {
    test::TempFolder folder;
    const std::string dat = folder.file("Family.DAT");
    ContactFile file;
    file.open(dat);
    file.append(planSync({}, {}, {kBook, "t", {card("ann", "Ann", "Troy")}, {}, 0}, true)
                    .additions.front());
    const std::string before = test::readBytes(dat);
    const std::vector<ServerCard> cards = {card("bob", "Bob", "Troy"),
                                           {"/alice/family/x.vcf", "\"1\"", "<html>oops</html>"}};
    const std::string words = "The card /alice/family/x.vcf of the address book is not a vCard";
    const std::function<void()> runs[] = {
        [&] {
            syncContactFile(file, dat + ".carddav", {}, {kBook, "t", cards, {}, 0}, true);
        },
        [&] { importServerCardsIntoFile(cards, file, true); },
    };
    for (const auto& run : runs) {
        try {
            run();
            ADD_FAILURE() << "no error";
        } catch (const QmError& e) {
            EXPECT_EQ(e.number(), err::kServerBadAnswer);
            EXPECT_EQ(e.description(), words);
        }
        EXPECT_EQ(test::readBytes(dat), before);
        EXPECT_FALSE(systemFileOps().exists(dat + ".carddav"));
    }
}

// A sync state that cannot be written (a full disk) does not turn a run whose contacts were
// written into a failure, and the next run adds nothing twice; a state written has its
// contact file's permissions.
TEST(AddressBookSync, TheSyncFileFollowsItsContactFile) {
    test::TempFolder folder;
    const std::string dat = folder.file("Family.DAT");
    ContactFile file;
    file.open(dat);
    ASSERT_EQ(::chmod(dat.c_str(), 0600), 0);
    const AddressBookChanges changes{
        kBook, "t1", {card("ann", "Ann", "Troy"), card("bob", "Bob", "Troy")}, {}, 0};

    const SyncCounts lost =
        syncContactFile(file, folder.file("gone/Family.DAT.carddav"), {}, changes, true);
    EXPECT_EQ(lost.added, 2u);
    EXPECT_NE(lost.stateNotWritten, "");
    EXPECT_NE(syncCompletedText(lost).find("\nThe sync file could not be written ("),
              std::string::npos)
        << syncCompletedText(lost);
    EXPECT_EQ(file.count(), 2);

    const SyncCounts next = syncContactFile(file, dat + ".carddav", {}, changes, true);
    EXPECT_EQ(next.added, 0u);
    EXPECT_EQ(next.stateNotWritten, "");
    EXPECT_EQ(file.count(), 2);
    struct stat state {};
    ASSERT_EQ(::stat((dat + ".carddav").c_str(), &state), 0);
    EXPECT_EQ(state.st_mode & 0777, 0600u);
}

TEST(AddressBookSync, TheReportSaysWhatWasDone) {
    SyncCounts counts{1, 2, 997, 1, 3, {2, 0, 0}};
    EXPECT_EQ(syncCompletedText(counts),
              "D O N E !  1 contact added, 2 updated, 997 unchanged.\n"
              "Left alone: 1 contact changed or deleted here since the last sync.  Kept here: 3 "
              "contacts removed on the server.  Skipped: 2 contacts already on file.");
    EXPECT_EQ(syncCompletedText({}), "D O N E !  0 contacts added, 0 updated, 0 unchanged.");
}

}  // namespace
}  // namespace qm
