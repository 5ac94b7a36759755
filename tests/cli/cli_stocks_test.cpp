#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "cli/cli_support.h"
#include "support/pdf_text_qt.h"

namespace qm {
namespace {

using test::linesOf;

// The label template folders the program reads besides the system's: set for one test.
class TemplateFolders {
  public:
    explicit TemplateFolders(const std::string& folders) {
        setenv("QUILLMARK_TEMPLATES", folders.c_str(), 1);
    }
    ~TemplateFolders() { unsetenv("QUILLMARK_TEMPLATES"); }
};

class CliStocks : public test::CliTest {};

TEST_F(CliStocks, ASearchFindsTheSheetByAnyOfItsNumbers) {
    for (const char* search : {"7160", "J8160", "L7160"}) {
        const auto r = run({"stocks", search});
        ASSERT_EQ(r.status, 0) << r.err;
        const auto lines = linesOf(r.out);
        ASSERT_FALSE(lines.empty()) << search;
        EXPECT_EQ(lines.front().rfind("Avery L7160\t21-up\t63.5 x 38.1 mm\tA4\t", 0), 0u)
            << lines.front();
    }
    const auto none = run({"stocks", "no-such-sheet"});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.out.empty());
}

TEST_F(CliStocks, AnUnknownStockIsAUsageErrorNamingTheClosest) {
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"labels", "--line", "Ann", "--positions", "1"},
          std::vector<std::string>{"return-labels", "--line", "A", "--line", "B", "--line", "C"},
          std::vector<std::string>{"calibrate", "labels"}}) {
        std::vector<std::string> args = command;
        args.insert(args.end(), {"--stock", "L7106", "--text"});
        const auto r = run(args);
        EXPECT_EQ(r.status, 2) << command.front();
        EXPECT_NE(r.err.find("no stock named L7106 (closest: Avery L7160"), std::string::npos)
            << r.err;
    }
}

// On another sheet the position checks count its labels, and the job prints on its paper.
TEST_F(CliStocks, PositionsRunToTheStocksLabelsOnItsPaper) {
    const auto refused =
        run({"labels", "--line", "Ann", "--positions", "22", "--stock", "L7160", "--text"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Label position cannot exceed 21"), std::string::npos);
    const std::string pdf = folder.file("a4.pdf");
    const auto r = run({"labels", "--line", "Ann Lee", "--line", "12 Oak St", "--positions",
                        "20-21", "--stock", "Avery L7160", "-o", pdf});
    ASSERT_EQ(r.status, 0) << r.err;
    const test::PdfText text = test::readPdfText(QString::fromStdString(pdf));
    ASSERT_EQ(text.pages.size(), 1u);
    EXPECT_NEAR(text.pages[0].width, 595.3, 0.5);
    EXPECT_NEAR(text.pages[0].height, 841.9, 0.5);
    EXPECT_EQ(text.find("Ann").size(), 2u);
}

// A file that is not well-formed is left out with one line naming it; its neighbours are read.
TEST_F(CliStocks, AMalformedTemplateFileIsSkippedWithALineNamingIt) {
    const std::string templates = folder.file("templates");
    std::filesystem::create_directories(templates);
    std::ofstream(templates + "/broken-templates.xml") << "<Glabels-templates>\n<Template brand=";
    std::ofstream(templates + "/own-templates.xml")
        << "<Glabels-templates>\n"
           "<Template brand=\"Homemade\" part=\"HM-6\" size=\"A4\" _description=\"Big\">\n"
           "<Label-rectangle id=\"0\" width=\"99mm\" height=\"93mm\" round=\"0\">\n"
           "<Layout nx=\"2\" ny=\"3\" x0=\"5mm\" y0=\"9mm\" dx=\"101mm\" dy=\"93mm\"/>\n"
           "</Label-rectangle></Template>\n"
           "<Template brand=\"Homemade\" part=\"HM-R\" size=\"A4\">\n"
           "<Label-round id=\"0\" radius=\"20mm\"><Layout nx=\"1\" ny=\"1\" x0=\"0\" y0=\"0\" "
           "dx=\"0\" dy=\"0\"/></Label-round></Template>\n"
           "<Template brand=\"Homemade\" part=\"HM-6X\" equiv=\"HM-6\"/>\n"
           "</Glabels-templates>\n";
    const TemplateFolders env(templates);
    const auto r = run({"stocks", "Homemade"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Homemade HM-6\t6-up\t99 x 93 mm\tA4\tBig\tHM-6X\n");
    const auto skipped = linesOf(r.err);
    ASSERT_EQ(skipped.size(), 1u) << r.err;
    EXPECT_NE(skipped[0].find("broken-templates.xml: line "), std::string::npos) << r.err;
}

}  // namespace
}  // namespace qm
