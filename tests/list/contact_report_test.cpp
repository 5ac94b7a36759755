#include "list/contact_report.h"

#include <gtest/gtest.h>

#include "list/contact_list.h"
#include "surface/text_grid_surface.h"

namespace qm {
namespace {

std::string line(const std::string& name, const std::string& city) {
    ContactRecord r;
    r.firstName = name;
    r.lastName = "Doe";
    r.city = city;
    r.state = "NY";
    r.zip = "10001";
    r.homePhone = "212-555-0100";
    r.email = name + "@example.com";
    return listLine(r, SortOrder::ByFirstName);
}

TEST(ReportPages, LinesPerFiftyFourPlusOneRoundedToEven) {
    const std::pair<std::size_t, int> cases[] = {{0, 1},   {27, 2}, {81, 2},
                                                 {100, 3}, {54, 2}, {135, 4}};
    for (const auto& [lines, pages] : cases) {
        EXPECT_EQ(reportPageCount(lines), pages) << lines;
    }
}

TEST(Report, ThreeContactsOnOneLandscapePage) {
    TextGridSurface surface;
    printContactReport(
        surface, {line("Ann", "Albany"), line("Bob", "Buffalo"), line("Cy", "Corning")}, "Friends");
    surface.endDoc();
    EXPECT_EQ(surface.orientation(), kLandscape);
    EXPECT_EQ(surface.pageCount(), 1);
    std::vector<std::tuple<int, int, double, std::string>> cells;
    for (const PrintedRun& r : surface.runs()) {
        cells.emplace_back(r.line, r.column, r.size, r.text);
    }
    using C = std::tuple<int, int, double, std::string>;
    const std::vector<C> expected = {
        {2, 18, 24, "Quillmark"},
        {4, 48, 10, "File: Friends"},
        {6, 2, 10, "Name"},
        {6, 30, 10, "City"},
        {6, 48, 10, "ST"},
        {6, 52, 10, "Zip"},
        {6, 64, 10, "Home"},
        {6, 78, 10, "Cell"},
        {6, 92, 10, "Email Address"},
        // A contact without a cell phone prints nothing in that column.
        {7, 2, 10, "Ann Doe"},
        {7, 30, 10, "Albany"},
        {7, 48, 10, "NY"},
        {7, 52, 10, "10001"},
        {7, 64, 10, "212-555-0100"},
        {7, 92, 10, "Ann@example.com"},
        {8, 2, 10, "Bob Doe"},
        {8, 30, 10, "Buffalo"},
        {8, 48, 10, "NY"},
        {8, 52, 10, "10001"},
        {8, 64, 10, "212-555-0100"},
        {8, 92, 10, "Bob@example.com"},
        {9, 2, 10, "Cy Doe"},
        {9, 30, 10, "Corning"},
        {9, 48, 10, "NY"},
        {9, 52, 10, "10001"},
        {9, 64, 10, "212-555-0100"},
        {9, 92, 10, "Cy@example.com"},
    };
    EXPECT_EQ(cells, expected);
}

TEST(Report, EveryLineIsPrintedAcrossPages) {
    std::vector<std::string> lines;
    for (int i = 0; i < 81; ++i) {
        lines.push_back(line("P" + std::to_string(1000 + i), "Utica"));
    }
    TextGridSurface surface;
    printContactReport(surface, lines, "Big");
    surface.endDoc();
    int names = 0;
    for (const PrintedRun& r : surface.runs()) {
        names += r.column == 2 && r.text.starts_with("P1") ? 1 : 0;
    }
    EXPECT_EQ(names, 81);
    EXPECT_EQ(surface.pageCount(), 2);
    EXPECT_EQ(surface.runs().back().text, "P1080@example.com");
}

TEST(ReportSelection, SelectedLinesAfterTheHeadingInTheListFont) {
    TextGridSurface surface;
    printSelectedLines(surface, {line("Ann", "Albany"), "pasted text"});
    surface.endDoc();
    const auto runs = surface.runs();
    ASSERT_EQ(runs.size(), 7u + 6u + 1u);
    EXPECT_EQ(runs.front().font, "MS Sans Serif");
    EXPECT_EQ(runs.front().line, 1);
    EXPECT_EQ(runs.front().text, "Name");
    EXPECT_EQ(runs[7].line, 3);
    EXPECT_EQ(runs[7].text, "Ann Doe");
    EXPECT_EQ(runs.back().line, 4);
    EXPECT_EQ(runs.back().column, 2);
    EXPECT_EQ(runs.back().text, "pasted text");
}

}  // namespace
}  // namespace qm
