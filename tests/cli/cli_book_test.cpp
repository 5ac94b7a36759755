// A contact book through the commands, beside a contact file of the same contacts: what the
// book keeps whole, the file cuts and folds, and both say so.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_support.h"
#include "records/contact_book.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using test::linesOf;

// A mailing list as people write it: long US streets with suites, long city names, long and
// hyphenated names, and names in Polish, Greek and Russian.
const char* const kMailingList =
    "BEGIN:VCARD\r\nVERSION:3.0\r\n"
    "N:Wojciechowska-Grzybowska;Maximilian-Alexander;;;\r\n"
    "ADR;TYPE=HOME:;;1600 Pennsylvania Avenue Northwest Suite 1200;Rancho Palos Verdes;CA;"
    "90275;USA\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Żółć;Łukasz;;;\r\nADR:;;ul. Piotrkowska 104;Łódź;;"
    "90-926;Poland\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Παπαδόπουλος;Αλέξανδρος;;;\r\nADR:;;Οδός Ερμού 12;"
    "Αθήνα;;10563;Greece\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Шостакович;Дмитрий;;;\r\nADR:;;Тверская улица 7;Москва;;"
    "125009;Russia\r\nEND:VCARD\r\n";

class CliBook : public test::CliTest {
  protected:
    std::string book = folder.file("Friends.qmbook");
    std::string cards = folder.file("list.vcf");

    void SetUp() override { test::writeBytes(cards, kMailingList); }

    std::string listed(const std::string& store) const {
        const auto result = run({"list", store, "--sort", "last"});
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }
};

TEST_F(CliBook, ABookKeepsEveryValueWholeWhereTheContactFileSaysWhatItCut) {
    const auto intoBook = run({"import", book, cards});
    ASSERT_EQ(intoBook.status, 0) << intoBook.err;
    EXPECT_EQ(intoBook.out, "D O N E !  4 contacts successfully imported.\n");
    const std::string bookList = listed(book);
    for (const char* whole :
         {"Wojciechowska-Grzybowska, Maximilian-Alexander \tRancho Palos Verdes\tCA",
          "Żółć, Łukasz \tŁódź            \t", "Παπαδόπουλος, Αλέξανδρος \tΑθήνα           \t",
          "Шостакович, Дмитрий \tМосква          \t"}) {
        EXPECT_NE(bookList.find(whole), std::string::npos) << whole << " in\n" << bookList;
    }
    {
        // The card each contact came from is kept as it was read.
        ContactBook opened;
        opened.open(book);
        EXPECT_EQ(opened.read(1).street, "1600 Pennsylvania Avenue Northwest Suite 1200");
        EXPECT_EQ(opened.read(4).card.substr(0, 32), "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Шо");
        EXPECT_EQ(opened.read(1).card.size(), std::string(kMailingList).find("BEGIN", 10));
    }

    // The same into a contact file: every cut value listed by a dry run, then counted.
    const auto dry = run({"import", dat, cards, "--dry-run"});
    ASSERT_EQ(dry.status, 0) << dry.err;
    const std::vector<std::string> told = linesOf(dry.err);
    const std::vector<std::string> cuts(told.begin(), told.end() - 1);
    EXPECT_EQ(cuts, (std::vector<std::string>{
                        "Cut:\t1\tFirst name\tMaximilian-\tAlexander",
                        "Cut:\t1\tLast name\tWojciechowska-Gr\tzybowska",
                        "Cut:\t1\tStreet address\t1600 Pennsylvania Avenue North\twest Suite 1200",
                        "Cut:\t1\tCity\tRancho Palos Ver\tdes",
                    }));
    EXPECT_NE(told.back().find("Cut: 4 values longer than the field holds."), std::string::npos)
        << told.back();
    const auto intoFile = run({"import", dat, cards});
    ASSERT_EQ(intoFile.status, 0) << intoFile.err;
    EXPECT_NE(intoFile.out.find("Cut: 4 values longer than the field holds."), std::string::npos)
        << intoFile.out;
    EXPECT_NE(intoFile.out.find("Changed: letters in"), std::string::npos) << intoFile.out;
    EXPECT_NE(listed(dat).find("Wojciechowska-Gr"), std::string::npos);
}

TEST_F(CliBook, ConversionsTellWhatChangesAndKeepTheContactFileByteForByte) {
    ASSERT_EQ(run({"import", dat, cards}).status, 0);
    const std::string fileBytes = test::readBytes(dat);

    // Into a book nothing changes, and back again the file is the same to the byte.
    const auto toBook = run({"convert", dat, book});
    ASSERT_EQ(toBook.status, 0) << toBook.err;
    EXPECT_EQ(toBook.out, "4 contacts converted into " + book + ", 0 values changed.\n");
    const std::string again = folder.file("Again.DAT");
    const auto back = run({"convert", book, again});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(back.out, "4 contacts converted into " + again + ", 0 values changed.\n");
    EXPECT_EQ(test::readBytes(again), fileBytes);

    // A book of whole values into a contact file: each value kept otherwise is told first;
    // a dry run writes nothing, and a store that holds contacts already is not written over.
    const std::string whole = folder.file("Whole.qmbook");
    ASSERT_EQ(run({"import", whole, cards}).status, 0);
    const std::string cut = folder.file("Cut.DAT");
    const auto dry = run({"convert", whole, cut, "--dry-run"});
    ASSERT_EQ(dry.status, 0) << dry.err;
    EXPECT_FALSE(std::filesystem::exists(cut));
    const std::vector<std::string> told = linesOf(dry.out);
    ASSERT_GE(told.size(), 5u);
    EXPECT_EQ(told[0], "1\tFirst name\tMaximilian-\tcut");
    EXPECT_EQ(told[3], "1\tCity\tRancho Palos Ver\tcut");
    EXPECT_EQ(told[4], "2\tFirst name\tLukasz\tletters changed");
    const auto real = run({"convert", whole, cut});
    ASSERT_EQ(real.status, 0) << real.err;
    EXPECT_EQ(linesOf(real.out).size(), told.size() + 1);
    EXPECT_EQ(test::readBytes(cut), fileBytes);

    const auto onto = run({"convert", whole, cut});
    EXPECT_NE(onto.status, 0);
    EXPECT_NE(onto.err.find("holds contacts already"), std::string::npos) << onto.err;
    EXPECT_EQ(test::readBytes(cut), fileBytes);
}

}  // namespace
}  // namespace qm
