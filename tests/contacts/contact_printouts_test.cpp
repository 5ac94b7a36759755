#include "contacts/contact_printouts.h"

#include <gtest/gtest.h>

#include "surface/text_grid_surface.h"

namespace qm {
namespace {

ContactFields janeDoe() {
    ContactFields f;
    f.firstName = "Jane";
    f.lastName = "Doe";
    f.company = "Acme";
    f.includeCompany = true;
    f.street = "1 Main St";
    f.city = "Springfield";
    f.state = "IL";
    f.zip = "12345";
    return f;
}

// ---- Label lines ----

struct LabelCase {
    const char* name;
    ContactFields fields;
    LabelLines expected;
};

ContactFields with(ContactFields f, void (*change)(ContactFields&)) {
    change(f);
    return f;
}

TEST(ContactLabelLines, FollowCompanyStreetAndCity) {
    const std::vector<LabelCase> cases = {
        {"company included",
         janeDoe(),
         {"Jane Doe", "Acme", "1 Main St", "Springfield, IL  12345", ""}},
        {"box cleared",
         with(janeDoe(), [](ContactFields& f) { f.includeCompany = false; }),
         {"Jane Doe", "1 Main St", "Springfield, IL  12345", "", ""}},
        {"box set, no company",
         with(janeDoe(), [](ContactFields& f) { f.company = "   "; }),
         {"Jane Doe", "1 Main St", "Springfield, IL  12345", "", ""}},
        {"no city, no apartment, company",
         with(janeDoe(), [](ContactFields& f) { f.city = ""; }),
         {"Jane Doe", "Acme", "1 Main St", "", ""}},
        {"no city, no apartment, no company",
         with(janeDoe(),
              [](ContactFields& f) {
                  f.city = "";
                  f.includeCompany = false;
              }),
         {"Jane Doe", "1 Main St", "", "", ""}},
        {"apartment, company",
         with(janeDoe(), [](ContactFields& f) { f.street2 = "Apt 4"; }),
         {"Jane Doe", "Acme", "1 Main St", "Apt 4", "Springfield, IL  12345"}},
        {"apartment, no city, no company",
         with(janeDoe(),
              [](ContactFields& f) {
                  f.street2 = " Apt 4 ";
                  f.city = "";
                  f.includeCompany = false;
              }),
         {"Jane Doe", "1 Main St", "Apt 4", "", ""}},
        {"middle initial, padded values",
         with(janeDoe(),
              [](ContactFields& f) {
                  f.firstName = " Jane ";
                  f.middleInitial = "Q";
                  f.company = " Acme  ";
              }),
         {"Jane Q Doe", "Acme", "1 Main St", "Springfield, IL  12345", ""}},
    };
    for (const LabelCase& c : cases) {
        EXPECT_EQ(contactLabelLines(c.fields), c.expected) << c.name;
    }
}

TEST(ContactLabelLines, NameCollapsesEachDoubleBlankOnce) {
    ContactFields f;
    f.lastName = "Doe";
    // No first name and no initial: "  Doe" loses one of its two leading blanks.
    EXPECT_EQ(contactLabelLines(f)[0], " Doe");
    f.firstName = "Jane";
    EXPECT_EQ(contactLabelLines(f)[0], "Jane Doe");
}

// ---- Details sheet ----

class DetailsSheet : public ::testing::Test {
  protected:
    TextGridSurface surface;

    void print(const ContactFields& f, int copies = 1) {
        drawPlan(surface, contactDetailsPlan(f, "12/7/2026", std::nullopt), {}, copies);
    }
    std::vector<PrintedRun> runsAt(int page, int line) const {
        std::vector<PrintedRun> found;
        for (const PrintedRun& r : surface.runsOnPage(page)) {
            if (r.line == line) {
                found.push_back(r);
            }
        }
        return found;
    }
    // The page as text by counted line (the sheet mixes font sizes, so lines are counted,
    // not measured), columns placed.
    std::vector<std::string> countedLines(int page) const {
        std::vector<std::string> lines;
        for (const PrintedRun& r : surface.runsOnPage(page)) {
            if (lines.size() < static_cast<std::size_t>(r.line)) {
                lines.resize(static_cast<std::size_t>(r.line));
            }
            std::string& line = lines[static_cast<std::size_t>(r.line - 1)];
            line.resize(std::max(line.size(), r.column - 1 + r.text.size()), ' ');
            line.replace(static_cast<std::size_t>(r.column - 1), r.text.size(), r.text);
        }
        return lines;
    }
    const PrintedRun& runWithText(const std::string& text) const {
        for (const PrintedRun& r : surface.runs()) {
            if (r.text == text) {
                return r;
            }
        }
        throw std::runtime_error("nothing printed as " + text);
    }
};

TEST_F(DetailsSheet, PlacesEveryLineOfThePage) {
    ContactFields f = janeDoe();
    f.street2 = "Apt 4";
    f.country = "USA";
    f.birthdate = "04/10/1980";
    f.homePhone = "555-1111";
    f.cellPhone = "555-2222";
    f.workPhone = "555-3333";
    f.email = "jane@acme.com";
    f.category = "Golf";
    f.notes = "Likes tea";
    print(f);

    const std::vector<std::string> lines = countedLines(1);
    const std::string rule(70, '_');
    const std::vector<std::pair<int, std::string>> expected = {
        {4, std::string(21, ' ') + "Quillmark"},
        {6, std::string(26, ' ') + "Contact Details"},
        {10, std::string(34, ' ') + "Date of report: 12/7/2026"},
        {12, "       " + rule},
        {15, "       Jane  Doe"},
        {17, "       1 Main St  Apt 4"},
        {19, "       Springfield, IL  12345"},
        {22, "       Company Name:   Acme"},
        {25, "       Country:  USA" + std::string(19, ' ') + "Birthdate:  04/10/1980"},
        {28, "       Home Phone:  555-1111        Cell:  555-2222        Work:  555-3333"},
        {31, "       Email Address:  jane@acme.com"},
        {34, "       Category:  Golf"},
        {35, ""},
        {38, "       Notes:  Likes tea"},
        {39, ""},
        {40, ""},
        {43, "       " + rule},
    };
    ASSERT_EQ(lines.size(), 43u);
    for (const auto& [line, text] : expected) {
        EXPECT_EQ(lines[static_cast<std::size_t>(line - 1)], text) << "line " << line;
    }
}

TEST_F(DetailsSheet, UsesTheSizesOfItsTable) {
    print(janeDoe());
    EXPECT_EQ(runWithText("Quillmark").size, 16);
    EXPECT_EQ(runWithText("Contact Details").size, 14);
    EXPECT_EQ(runWithText("Date of report:").size, 10);
    EXPECT_EQ(runWithText("Email Address:").size, 12);
    for (const PrintedRun& r : surface.runs()) {
        EXPECT_EQ(r.font, "Courier New");
        EXPECT_FALSE(r.italic);
    }
    EXPECT_EQ(surface.orientation(), kPortrait);
}

TEST_F(DetailsSheet, SplitsLongNotesAndCategoryIntoContinuationLines) {
    ContactFields f = janeDoe();
    std::string notes;
    for (int i = 0; i < 160; ++i) {
        notes += static_cast<char>('a' + i % 26);
    }
    std::string category(80, 'c');
    category[60] = 'X';  // last of the first line
    category[61] = 'Y';  // first of the continuation
    f.notes = notes;
    f.category = category;
    print(f);

    const auto notesFirst = runsAt(1, 38);
    ASSERT_EQ(notesFirst.size(), 2u);
    EXPECT_EQ(notesFirst[1].column, 16);
    EXPECT_EQ(notesFirst[1].text, notes.substr(0, 61));
    const auto notesSecond = runsAt(1, 39);
    ASSERT_EQ(notesSecond.size(), 1u);
    EXPECT_EQ(notesSecond[0].column, 15);
    EXPECT_EQ(notesSecond[0].text, notes.substr(61, 53));
    const auto notesThird = runsAt(1, 40);
    ASSERT_EQ(notesThird.size(), 1u);
    EXPECT_EQ(notesThird[0].column, 15);
    EXPECT_EQ(notesThird[0].text, notes.substr(114, 46));

    EXPECT_EQ(runsAt(1, 34).at(1).text, category.substr(0, 61));
    EXPECT_EQ(runsAt(1, 34).at(1).text.back(), 'X');
    EXPECT_EQ(runsAt(1, 35).at(0).column, 19);
    EXPECT_EQ(runsAt(1, 35).at(0).text, "Y" + std::string(18, 'c'));
}

TEST_F(DetailsSheet, PrintsOnePagePerCopyInOneDocument) {
    print(janeDoe(), 3);
    EXPECT_EQ(surface.pageCount(), 3);
    EXPECT_EQ(surface.documentCount(), 1);
    EXPECT_EQ(countedLines(3), countedLines(1));
}

}  // namespace
}  // namespace qm
