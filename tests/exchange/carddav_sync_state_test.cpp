#include "exchange/carddav_sync_state.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "records/error.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using test::TempFolder;

const CarddavSyncState kState{
    "https://dav.example.com/alice/family/",
    "http://radicale.org/ns/sync/3f2a",
    {{"/alice/family/ann.vcf", "\"e1\"", 1, 0x0123456789abcdefull},
     {"/alice/family/odd%20name.vcf", "W/\"tab\there\\ and\r\nbreak\"", 0, 0},
     {"/alice/family/bob.vcf", "", 12345, 0xffffffffffffffffull}}};

TEST(CarddavSyncState, WrittenAndReadBackWhole) {
    TempFolder dir;
    const std::string path = syncStatePath(dir.file("Friends.DAT"));
    EXPECT_EQ(path, dir.file("Friends.DAT.carddav"));
    EXPECT_EQ(readSyncState(path), CarddavSyncState{});  // none yet
    writeSyncState(path, kState);
    EXPECT_EQ(readSyncState(path), kState);
    // Escapes keep one card on one line, and nothing is left beside the file.
    const std::string bytes = test::readBytes(path);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 6);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(CarddavSyncState, AFingerprintSeesWhatABookKeepsBeyondTheContactFile) {
    ContactRecord ann;
    ann.firstName = "Ann";
    ann.lastName = "Lee";
    ann.street = "12 Oak St";
    // What the contact file holds as it is keeps the fingerprint of its bytes, so the sync
    // files written before stay good; the reminder flag and the card never count.
    EXPECT_EQ(recordFingerprint(ann), recordFingerprint(encodeRecord(ann)));
    ContactRecord reminded = ann;
    reminded.reminder = "1";
    reminded.card = "BEGIN:VCARD";
    EXPECT_EQ(recordFingerprint(reminded), recordFingerprint(ann));

    // An edit past a field's width, or of letters the file would fold, is a change in a book.
    ContactRecord longer = ann;
    longer.street = "1600 Pennsylvania Avenue Northwest Suite 1200";
    ContactRecord longest = longer;
    longest.street += " Rear";
    EXPECT_NE(recordFingerprint(longer), recordFingerprint(longest));
    ContactRecord greek = ann;
    greek.city = "Αθήνα";
    ContactRecord greekEdited = ann;
    greekEdited.city = "Αθηνα";
    EXPECT_NE(recordFingerprint(greek), recordFingerprint(greekEdited));
}

TEST(CarddavSyncState, ADamagedLineIsNamed) {
    const std::string good = formatSyncState(kState);
    const std::pair<std::string, int> cases[] = {
        {"", 1},
        {"quillmark carddav sync 2\n", 1},
        {good + "card\t1\tabc\t/x.vcf\n", 7},            // a field missing
        {good + "card\t-1\tabc\t/x.vcf\t\"e\"\n", 7},    // negative record
        {good + "card\t1\txyz\t/x.vcf\t\"e\"\n", 7},     // fingerprint not hex
        {good + "card\t1\tabc\t\t\"e\"\n", 7},           // no href
        {good + "card\t1\tabc\t/x\\q.vcf\t\"e\"\n", 7},  // unknown escape
        {good + "colour\tblue\n", 7},
    };
    for (const auto& [text, line] : cases) {
        try {
            parseSyncState(text, "F.DAT.carddav");
            ADD_FAILURE() << text;
        } catch (const QmError& e) {
            EXPECT_EQ(e.number(), err::kSyncStateDamaged);
            EXPECT_EQ(e.description(),
                      "The address book sync file F.DAT.carddav is damaged (line " +
                          std::to_string(line) + ")");
        }
    }
}

}  // namespace
}  // namespace qm
