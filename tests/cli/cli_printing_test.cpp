#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <cmath>
#include <csignal>
#include <filesystem>

#include "cli/cli_support.h"
#include "support/pdf_text_qt.h"
#include "surface/text_grid_surface.h"

namespace qm {
namespace {

using test::linesOf;

// One --runs line split at its tabs.
std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
        out.push_back(line.substr(start, tab - start));
    }
    out.push_back(line.substr(start));
    return out;
}

// While it lives, writes past `bytes` into any file fail as on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
        const rlimit limit{bytes, old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldSignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
    void (*oldSignal_)(int) = nullptr;
};

class CliPrinting : public test::CliTest {
  protected:
    std::vector<std::vector<std::string>> runs(std::vector<std::string> args) {
        args.push_back("--runs");
        const auto r = run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        std::vector<std::vector<std::string>> out;
        for (const std::string& line : linesOf(r.out)) {
            out.push_back(fields(line));
        }
        return out;
    }
};

TEST_F(CliPrinting, LabelRunsGiveEveryFieldOfTheRecord) {
    const auto r = runs({"labels", "--line", "Ann Lee", "--line", "", "--line", "Troy",
                         "--positions", "5", "--center"});
    // Position 5: column 35, below 1 + 10 empty lines; centering moves the column only.
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], (std::vector<std::string>{"1", "12", "118.80", "47", "Courier New", "10", "0",
                                              "0", "Ann Lee"}));
    EXPECT_EQ(r[1], (std::vector<std::string>{"1", "14", "140.40", "48", "Courier New", "10", "0",
                                              "0", "Troy"}));
}

TEST_F(CliPrinting, LinesCountAgainAfterReturnToTopAndPagesRunAcrossCopies) {
    const auto r = runs({"labels", "--line", "Ann Lee", "--positions", "4 - 5", "--copies", "2",
                         "--device-name", "HP Officejet Pro 8600"});
    ASSERT_EQ(r.size(), 4u);
    // The second label is placed from the top again: same line, next slot; a listed
    // printer starts one column further right.
    const std::vector<std::vector<std::string>> expected = {
        {"1", "12", "3"}, {"1", "12", "36"}, {"2", "12", "3"}, {"2", "12", "36"}};
    for (std::size_t i = 0; i < r.size(); ++i) {
        EXPECT_EQ((std::vector<std::string>{r[i][0], r[i][1], r[i][3]}), expected[i]) << i;
    }
}

TEST_F(CliPrinting, TextOutputSeparatesPagesWithAFormFeed) {
    const auto r = run({"return-labels", "--line", "Ann Lee", "--line", "12 Oak St", "--line",
                        "Troy NY", "--copies", "2", "--text"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto feed = r.out.find('\f');
    ASSERT_NE(feed, std::string::npos);
    EXPECT_EQ(r.out.substr(0, feed), r.out.substr(feed + 1));
    EXPECT_EQ(r.out.find('\f', feed + 1), std::string::npos);
    EXPECT_NE(r.out.find("  Ann Lee                        Ann Lee"), std::string::npos);
}

TEST_F(CliPrinting, LinesCutShortAreNamedOnStandardErrorAndTheJobStillPrints) {
    const std::string endless(60, 'z');
    const auto r = run({"labels", "--line", endless, "--line", "2", "--line", "3", "--line", "4",
                        "--line", "5", "--positions", "4-6", "--text"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("cut short on labels 4-6\n"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find(std::string(41, 'z')), std::string::npos);
    // A line that fits in a smaller size says nothing; the text output is UTF-8.
    const auto fits = run({"envelope", "--line", "Zoë Müller-Lüdenscheidt of Greater Wolverhampton",
                           "--size", "3", "--text"});
    ASSERT_EQ(fits.status, 0) << fits.err;
    EXPECT_EQ(fits.err, "");
    EXPECT_NE(fits.out.find("Zoë Müller-Lüdenscheidt"), std::string::npos) << fits.out;
}

TEST_F(CliPrinting, EnvelopesPlaceTheAddressByTheirSizeTable) {
    struct Case {
        std::vector<std::string> options;
        std::string line, column, size, bold, italic, font;
    };
    // In landscape the envelope is the page: the lines the slots count above it on a letter
    // page (612 points less its height, in lines) are left out. #6 3/4 (261 points): 27 lines
    // of 12 points; #10 (297 points): 21 lines of the large 14 points.
    const std::vector<Case> cases = {
        {{"--size", "2"}, "7", "23", "12", "0", "0", "Courier New"},
        {{"--size", "2", "--bold"}, "6", "23", "12", "1", "0", "Courier New"},
        {{"--size", "2", "--on-option"}, "14", "28", "12", "0", "0", "Courier New"},
        {{"--size", "2", "--portrait"}, "34", "23", "10", "0", "0", "Courier New"},
        {{"--size", "1", "--large"}, "6", "42", "14", "0", "1", "Trebuchet MS"},
        {{"--size", "1", "--portrait", "--device-name", "ENVY 5000"},
         "33",
         "38",
         "10",
         "0",
         "0",
         "Courier New"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"envelope", "--line", "Ann Lee"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto r = runs(args);
        ASSERT_EQ(r.size(), 1u) << c.options.back();
        EXPECT_EQ((std::vector<std::string>{r[0][1], r[0][3], r[0][5], r[0][6], r[0][7], r[0][4]}),
                  (std::vector<std::string>{c.line, c.column, c.size, c.bold, c.italic, c.font}))
            << c.options.back();
    }
}

TEST_F(CliPrinting, RefusedPrintsSayWhyAndWriteNothing) {
    const std::string pdf = folder.file("out.pdf");
    const std::string dash =
        "Include dash for range of labels: Use a dash when specifying a range of labels to "
        "print.  Examples: 1-30, 5-8, 15-22.  Each number represents a label position on label "
        "sheet.\n";
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{"labels", "--line", "A B", "--positions", "123"}, dash},
        {{"labels", "--line", "A B", "--positions", "45-50"},
         "Maximum is 30: Label position cannot exceed 30\n"},
        {{"labels", "--line", "A B", "--positions", "1-100"},
         "Maximum is 30: No more than 30 labels may be printed.  To print an entire sheet, enter "
         "1-30.\n"},
        {{"labels", "--line", "A B", "--positions", "12-3"},
         "Try again: Label starting position cannot exceed ending position.\n"},
        {{"labels", "--line", "A B", "--positions", "-5"}, dash},
        {{"labels", "--line", "A B", "--positions", "1-"}, dash},
        {{"labels", "--line", "A B", "--positions", "5 -"}, dash},
        {{"labels", "--line", "A B", "--positions", ""},
         "Media Selection: Select Label stock or Envelope\n"},
        {{"labels", "--line", "", "--positions", "5"}, "Missing Data: No information entered\n"},
        {{"envelope", "--line", "A B"}, "Envelope Size: Select Envelope size\n"},
        {{"return-labels", "--line", "", "--line", "", "--line", ""},
         "Instructions: Fill in Lines 1, 2, and 3, then press Print.\n"},
        {{"return-labels", "--line", "A", "--line", "B", "--line", "C", "--line", "D"},
         "Small label can fit only 3 lines: Leave Lines 4 and 5 blank\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-o", pdf});
        const auto r = run(args);
        EXPECT_EQ(r.status, 1) << c.err;
        EXPECT_EQ(r.err, c.err);
        EXPECT_FALSE(std::filesystem::exists(pdf)) << c.err;
    }
}

TEST_F(CliPrinting, BrokenParameterFileIsAPrinterProblem) {
    std::filesystem::create_directories(home);
    test::writeBytes(home + "/QMKPARAM.TXT", "ONTHEFLY x   0  \r\n");
    const auto r = run({"labels", "--line", "A B", "--positions", "5", "--text"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Printer error: A printer problem exists.  Check printer.\n");
}

TEST_F(CliPrinting, UnwritablePdfIsAPrinterProblemAndStandardErrorHoldsOnlyThatMessage) {
    ::testing::internal::CaptureStderr();
    const auto r =
        run({"labels", "--line", "A B", "--positions", "5", "-o", folder.file("no/such/x.pdf")});
    const std::string qtNoise = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Printer error: A printer problem exists.  Check printer.\n");
    EXPECT_EQ(qtNoise, "");
}

TEST_F(CliPrinting, APdfThatCannotBeWrittenWholeLeavesTheNameAsItWas) {
    const std::string pdf = folder.file("labels.pdf");
    test::writeBytes(pdf, "earlier");
    ASSERT_EQ(run({"labels", "--line", "A B", "--positions", "1", "--text"}).status, 0);
    test::CliResult r;
    {
        const FileSizeLimit fullDisk(2000);
        r = run({"labels", "--line", "Zed Quill", "--positions", "1-30", "-o", pdf});
    }
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Printer error: A printer problem exists.  Check printer.\n");
    EXPECT_EQ(test::readBytes(pdf), "earlier");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        files += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(files, 1) << "a temporary was left beside the file";
}

TEST_F(CliPrinting, APdfIntoAPipeGoesStraightIntoIt) {
    const std::string fifo = folder.file("pipe.pdf");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Open for reading first, so the command's writer does not wait; one label fits the
    // pipe's buffer.
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const auto r = run({"labels", "--line", "A B", "--positions", "1", "-o", fifo});
    char head[5] = {};
    const ssize_t got = read(reader, head, 4);
    close(reader);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(got, 4);
    EXPECT_STREQ(head, "%PDF");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo)) << "the pipe was replaced by a file";
}

TEST_F(CliPrinting, PdfHoldsEachCopyOnAPageOfItsOwnWhereTheCellsPutIt) {
    const std::string pdf = folder.file("labels.pdf");
    const auto r =
        run({"labels", "--line", "Zed Quill", "--positions", "4-5", "--copies", "2", "-o", pdf});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const test::PdfText text = test::readPdfText(QString::fromStdString(pdf));
    ASSERT_EQ(text.pages.size(), 2u);
    for (int page = 1; page <= 2; ++page) {
        std::vector<double> lefts;
        for (const test::PdfWord& w : text.wordsOnPage(page)) {
            if (w.text == QStringLiteral("Zed")) {
                lefts.push_back(w.xMin);
                // Line 12 of 10-point cells.
                EXPECT_NEAR(w.yMin, 11 * lineHeightPoints(10), 1.0);
            }
        }
        ASSERT_EQ(lefts.size(), 2u) << page;
        EXPECT_NEAR(lefts[0], kPaperSideMarginPoints + 1 * columnWidthPoints(10), 0.5);
        EXPECT_NEAR(lefts[1], kPaperSideMarginPoints + 34 * columnWidthPoints(10), 0.5);
    }
}

}  // namespace
}  // namespace qm
