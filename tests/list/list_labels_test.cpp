#include "list/list_labels.h"

#include <gtest/gtest.h>

#include "printing/label_stock.h"
#include "records/error.h"
#include "surface/text_grid_surface.h"

namespace qm {
namespace {

ContactRecord person(const std::string& name, const std::string& company = "",
                     const std::string& flag = "0") {
    ContactRecord r;
    r.firstName = name;
    r.lastName = "Doe";
    r.street = name + " Street";
    r.city = name + "ville";
    r.state = "MA";
    r.zip = "02101";
    r.company = company;
    r.includeCompany = flag;
    return r;
}

struct Printed {
    TextGridSurface surface;
    explicit Printed(const std::vector<ContactRecord>& contacts, int left = 0, int top = 0,
                     const std::string& device = "Laser")
        : surface(device) {
        printListLabels(surface, kAddressSheet, contacts.size(),
                        [&contacts](std::size_t i) { return contacts.at(i); }, {left, top});
        surface.endDoc();
    }
    // (line, column, text) of every run on a page, lines counted on that page.
    std::vector<std::tuple<int, int, std::string>> cells(int page = 1) const {
        std::vector<std::tuple<int, int, std::string>> out;
        for (const PrintedRun& r : surface.runsOnPage(page)) {
            out.emplace_back(r.line, r.column, r.text);
        }
        return out;
    }
};

std::vector<ContactRecord> people(int count) {
    std::vector<ContactRecord> out;
    for (int i = 1; i <= count; ++i) {
        out.push_back(person("P" + std::to_string(i)));
    }
    return out;
}

using Cells = std::vector<std::tuple<int, int, std::string>>;

TEST(LabelLines, NameCompanyStreetAndCity) {
    ContactRecord r = person("John", "Acme", "1");
    r.middleInitial = "q";
    r.lastName = "Smith";
    r.street = "1 Main St";
    r.street2 = "Apt 4";
    r.city = "Boston";
    EXPECT_EQ(
        contactLabelLines(r),
        (std::vector<std::string>{"John q Smith", "Acme", "1 Main St Apt 4", "Boston, MA  02101"}));
    r.middleInitial.clear();
    r.firstName.clear();
    r.street2.clear();
    r.includeCompany = "0";
    EXPECT_EQ(contactLabelLines(r),
              (std::vector<std::string>{" Smith", "1 Main St ", "Boston, MA  02101"}));
}

TEST(LabelColumns, ListedFamiliesStartTwoColumnsFurther) {
    EXPECT_EQ(listLabelLeftColumn(kListLabels, "Laser", 0), 2);
    EXPECT_EQ(listLabelLeftColumn(kListLabels, "HP ENVY 5000", 0), 4);
    EXPECT_EQ(listLabelLeftColumn(kListLabels, "HP Officejet Pro 8600", -1), 3);
    EXPECT_EQ(listLabelLeftColumn(kListLabels, "Photosmart C4200", 2), 6);
    // The model strings compare with case; the DeskJet family only changes page breaks.
    EXPECT_EQ(listLabelLeftColumn(kListLabels, "hp envy", 0), 2);
    EXPECT_EQ(listLabelLeftColumn(kListLabels, "HP DeskJet 640C/642C/648C", 0), 2);
}

TEST(LabelRows, CompanyLinesMoveTheOtherLabelsUp) {
    Printed p({person("A", "Acme", "1"), person("B"), person("C", "Cyan", "0")});
    EXPECT_EQ(p.cells(), (Cells{{5, 2, "A Doe"},
                                {5, 35, "B Doe"},
                                {5, 68, "C Doe"},
                                {6, 2, "Acme"},
                                {6, 35, "B Street "},
                                {6, 68, "C Street "},
                                {7, 2, "A Street "},
                                {7, 35, "Bville, MA  02101"},
                                {7, 68, "Cville, MA  02101"},
                                {8, 2, "Aville, MA  02101"}}));
}

TEST(LabelRows, EveryRowTakesTheSameHeight) {
    // Row 1 has a company line, row 2 none (three lines and an 11-point line); the rows
    // after them start one row pitch apart either way.
    auto contacts = people(9);
    contacts[0] = person("A", "Acme", "1");
    Printed p(contacts);
    std::vector<double> rowTops;
    for (const PrintedRun& r : p.surface.runs()) {
        if (r.column == 2 && r.text.find("Doe") != std::string::npos) {
            rowTops.push_back(r.yPoints);
        }
    }
    ASSERT_EQ(rowTops.size(), 3u);
    const double gap = 3 * lineHeightPoints(9);
    EXPECT_NEAR(rowTops[0], 4 * lineHeightPoints(10), 1e-9);
    EXPECT_NEAR(rowTops[1] - rowTops[0], 4 * lineHeightPoints(10) + gap, 1e-9);
    EXPECT_NEAR(rowTops[2] - rowTops[1], 3 * lineHeightPoints(10) + lineHeightPoints(11) + gap,
                1e-9);
}

TEST(LabelRows, ShortLastRows) {
    // One contact: alone at the top left after the four-line margin.
    EXPECT_EQ(Printed(people(1)).cells(),
              (Cells{{5, 2, "P1 Doe"}, {6, 2, "P1 Street "}, {7, 2, "P1ville, MA  02101"}}));
    // Two: one two-label row; the second label's company line pushes the first's blank.
    Printed two({person("P1"), person("P2", "Zed", "1")});
    EXPECT_EQ(two.cells(), (Cells{{5, 2, "P1 Doe"},
                                  {5, 35, "P2 Doe"},
                                  {6, 2, "P1 Street "},
                                  {6, 35, "Zed"},
                                  {7, 2, "P1ville, MA  02101"},
                                  {7, 35, "P2 Street "},
                                  {8, 2, " "},
                                  {8, 35, "P2ville, MA  02101"}}));
    // Four and five: a full row, then a row of one and of two labels.
    const auto lastRow = [](const Printed& p) {
        Cells out;
        for (const auto& cell : p.cells()) {
            if (std::get<0>(cell) > 11) {
                out.push_back(cell);
            }
        }
        return out;
    };
    EXPECT_EQ(lastRow(Printed(people(4))),
              (Cells{{12, 2, "P4 Doe"}, {13, 2, "P4 Street "}, {14, 2, "P4ville, MA  02101"}}));
    EXPECT_EQ(lastRow(Printed(people(5))), (Cells{{12, 2, "P4 Doe"},
                                                  {12, 35, "P5 Doe"},
                                                  {13, 2, "P4 Street "},
                                                  {13, 35, "P5 Street "},
                                                  {14, 2, "P4ville, MA  02101"},
                                                  {14, 35, "P5ville, MA  02101"}}));
}

TEST(LabelRows, AdjustmentsMoveEveryLabel) {
    Printed left(people(3), -1);
    EXPECT_EQ(std::get<1>(left.cells()[0]), 1);
    EXPECT_EQ(std::get<1>(left.cells()[1]), 34);
    EXPECT_EQ(std::get<1>(left.cells()[2]), 67);

    Printed listed(people(3), 0, 0, "HP ENVY 4500");
    EXPECT_EQ(std::get<1>(listed.cells()[0]), 4);
    EXPECT_EQ(std::get<1>(listed.cells()[2]), 70);

    EXPECT_EQ(std::get<0>(Printed(people(1), 0, 2).cells()[0]), 7);
    EXPECT_EQ(std::get<0>(Printed(people(1), 0, -1).cells()[0]), 4);
    EXPECT_EQ(std::get<0>(Printed(people(1), 0, -9).cells()[0]), 1);
}

// Where label 31 went: its run, and whether anything else was printed on its page before it.
struct SecondSheet {
    PrintedRun label31;
    PrintedRun label1;
    bool firstOnItsPage = false;
};

SecondSheet secondSheet(const Printed& p) {
    SecondSheet s;
    const auto& runs = p.surface.runs();
    s.label1 = runs.front();
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (runs[i].text == "P31 Doe") {
            s.label31 = runs[i];
            s.firstOnItsPage = i > 0 && runs[i - 1].page < runs[i].page;
        }
    }
    return s;
}

TEST(LabelSheets, LabelThirtyOneStartsAFreshSheetOnEveryPrinter) {
    struct Case {
        const char* device;
        int top;
        int expectedPage;  // a page of spilled label text comes before it at +3
    };
    const Case cases[] = {
        {"Laser", 0, 2},         // the surface breaks the page itself within the last gap
        {"HP ENVY 4500", 0, 2},  // a listed family: no blank sheet either
        {"Laser", -4, 2},        // the sheet fits the page: an explicit break, no overprint
        {"Laser", 3, 3},         // the last row ran over: its text keeps a page of its own
    };
    for (const Case& c : cases) {
        Printed p(people(31), 0, c.top, c.device);
        const SecondSheet s = secondSheet(p);
        EXPECT_EQ(s.label31.page, c.expectedPage) << c.device << " top " << c.top;
        EXPECT_TRUE(s.firstOnItsPage) << c.device << " top " << c.top;
        EXPECT_EQ(s.label31.line, s.label1.line) << c.device << " top " << c.top;
        EXPECT_NEAR(s.label31.yPoints, s.label1.yPoints, 1e-9) << c.device << " top " << c.top;
        EXPECT_EQ(s.label31.column, s.label1.column) << c.device;
        EXPECT_EQ(p.surface.pageCount(), c.expectedPage) << c.device << " top " << c.top;
    }
}

TEST(LabelSheets, ExactlyThirtyLabelsEndWithoutAnotherSheet) {
    Printed p(people(30), 0, -4);
    EXPECT_EQ(p.surface.pageCount(), 1);
}

TEST(LabelSheets, AnUnreadableContactStopsTheJob) {
    TextGridSurface surface;
    const std::vector<int> records = {1, 2, 3, 0, 5};
    const auto read = [&records](std::size_t i) -> ContactRecord {
        if (records[i] == 0) {
            throwError(err::kBadRecordNumber, "Bad record number");
        }
        return person("P" + std::to_string(records[i]));
    };
    EXPECT_THROW(printListLabels(surface, kAddressSheet, records.size(), read, {}), QmError);
    // The first row went to the surface before the failure.
    EXPECT_EQ(surface.runs().size(), 9u);
}

}  // namespace
}  // namespace qm
