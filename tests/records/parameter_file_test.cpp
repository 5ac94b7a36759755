#include "records/parameter_file.h"

#include <gtest/gtest.h>

#include "records/error.h"
#include "records/text_rules.h"
#include "shell/app_folder.h"
#include "support/step_file_ops.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

std::string record(const std::string& name, const std::string& left, const std::string& top,
                   const std::string& ending = "\r\n") {
    return fitWidth(name, 8) + " " + fitWidth(left, 3) + " " + fitWidth(top, 3) + ending;
}

TEST(ParameterFile, RecordCountRoundsLengthOverEighteenHalvesToEven) {
    const std::pair<std::int64_t, int> cases[] = {{0, 0},  {9, 0},  {10, 1}, {18, 1},
                                                  {27, 2}, {45, 2}, {54, 3}, {63, 4}};
    for (const auto& [length, count] : cases) {
        EXPECT_EQ(parameterRecordCount(length), count) << length;
    }
}

TEST(ParameterFile, InstalledFileReadsZeroForEverySection) {
    TempFolder dir;
    writeBytes(dir.file("P.TXT"), defaultParameterFile());
    for (const char* section : {kSectionOnTheFly, kSectionBulkList, kSectionEnvelope}) {
        EXPECT_EQ(readAdjustment(dir.file("P.TXT"), section), (Adjustment{0, 0})) << section;
    }
}

TEST(ParameterFile, LaterMatchingRecordWinsAndOthersAreIgnored) {
    TempFolder dir;
    writeBytes(dir.file("P.TXT"), record("ONTHEFLY", "-1", "2") + record("ENVELOPE", "4", "-3") +
                                      record("onthefly", "9", "9") + record("ONTHEFLY", "5", "6"));
    EXPECT_EQ(readAdjustment(dir.file("P.TXT"), kSectionOnTheFly), (Adjustment{5, 6}));
    EXPECT_EQ(readAdjustment(dir.file("P.TXT"), kSectionEnvelope), (Adjustment{4, -3}));
    EXPECT_EQ(readAdjustment(dir.file("P.TXT"), kSectionBulkList), (Adjustment{0, 0}));
}

TEST(ParameterFile, FieldsRoundHalvesToEvenAndAllowBlanksAround) {
    TempFolder dir;
    writeBytes(dir.file("P.TXT"),
               record("BULKLIST", "1.5", " 2") + record("ENVELOPE", "2.5", "-.5"));
    EXPECT_EQ(readAdjustment(dir.file("P.TXT"), kSectionBulkList), (Adjustment{2, 2}));
    EXPECT_EQ(readAdjustment(dir.file("P.TXT"), kSectionEnvelope), (Adjustment{2, 0}));
}

TEST(ParameterFile, MissingFileIsCreatedEmptyAndReadsZero) {
    TempFolder dir;
    const std::string path = dir.file("QMKPARAM.TXT");
    EXPECT_EQ(readAdjustment(path, kSectionOnTheFly), (Adjustment{0, 0}));
    EXPECT_TRUE(systemFileOps().exists(path));
    EXPECT_EQ(readBytes(path), "");
}

TEST(ParameterFile, FieldThatIsNotANumberIsATypeMismatch) {
    TempFolder dir;
    for (const std::string& bad : {std::string("   "), std::string("x1"), std::string("1-")}) {
        writeBytes(dir.file("P.TXT"), record("ENVELOPE", "0", bad));
        try {
            readAdjustment(dir.file("P.TXT"), kSectionEnvelope);
            FAIL() << "accepted '" << bad << "'";
        } catch (const QmError& e) {
            EXPECT_EQ(e.number(), err::kTypeMismatch);
        }
    }
    // Only the section asked for is converted.
    EXPECT_EQ(readAdjustment(dir.file("P.TXT"), kSectionOnTheFly), (Adjustment{0, 0}));
}

// A file the user may read but not write (root ignores the mode bits, so the refusal is
// made here).
class ReadOnlyFile : public FileOps {
  public:
    int openReadWrite(const std::string& path) override {
        if (exists(path)) {
            throwError(13, "Permission denied");
        }
        return FileOps::openReadWrite(path);
    }
};

TEST(ParameterFile, ReadOnlyFileStillGivesItsAdjustmentsButRefusesChanges) {
    TempFolder dir;
    writeBytes(dir.file("P.TXT"), record("ONTHEFLY", "-1", "2"));
    ReadOnlyFile ops;
    EXPECT_EQ(readAdjustment(dir.file("P.TXT"), kSectionOnTheFly, ops), (Adjustment{-1, 2}));
    try {
        addToAdjustment(dir.file("P.TXT"), kSectionOnTheFly, "1", "", ops);
        FAIL() << "change to a read-only file reported as done";
    } catch (const QmError& e) {
        EXPECT_EQ(e.number(), 13);
    }
    EXPECT_EQ(readBytes(dir.file("P.TXT")), record("ONTHEFLY", "-1", "2"));
}

TEST(ParameterFileAdjust, AnswersAddUpAndAreCutToThreeCharacters) {
    struct Case {
        std::string stored, answer, result;
    };
    const Case cases[] = {
        {"0  ", "-2", "-2 "}, {"-2 ", "1", "-1 "}, {"-1 ", "-1", "-2 "}, {"0  ", "1.5", "1.5"},
        {"999", "5", "100"},  {"   ", "3", "3  "}, {" 4 ", "+1", "5  "}, {"-99", "-99", "-19"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(addToField(c.stored, c.answer), c.result) << c.stored << " + " << c.answer;
    }
}

TEST(ParameterFileAdjust, RewritesEveryMatchingRecordInPlaceAndNothingElse) {
    TempFolder dir;
    const std::string path = dir.file("P.TXT");
    // Odd separators and line ends show that only the two fields are touched.
    writeBytes(path, "ONTHEFLY#0  #0  AB" + record("ENVELOPE", "7", "7") + "ONTHEFLY|-1 |2  \r\n");
    EXPECT_EQ(addToAdjustment(path, kSectionOnTheFly, "-1", ""), 2);
    EXPECT_EQ(readBytes(path),
              "ONTHEFLY#-1 #0  AB" + record("ENVELOPE", "7", "7") + "ONTHEFLY|-2 |2  \r\n");
    EXPECT_EQ(addToAdjustment(path, kSectionOnTheFly, "", "3"), 2);
    EXPECT_EQ(readAdjustment(path, kSectionOnTheFly), (Adjustment{-2, 5}));
}

TEST(ParameterFileAdjust, BothAnswersEmptyLeavesTheBytesAlone) {
    TempFolder dir;
    const std::string path = dir.file("P.TXT");
    const std::string before = record("ENVELOPE", "1.5", "-9") + record("BULKLIST", "0", "0");
    writeBytes(path, before);
    EXPECT_EQ(addToAdjustment(path, kSectionEnvelope, "", ""), 1);
    EXPECT_EQ(readBytes(path), before);
}

TEST(ParameterFileAdjust, MissingFileIsCreatedAndNothingMatches) {
    TempFolder dir;
    EXPECT_EQ(addToAdjustment(dir.file("P.TXT"), kSectionEnvelope, "2", "2"), 0);
    EXPECT_EQ(readBytes(dir.file("P.TXT")), "");
}

// Fails the nth write and counts opens and closes.
class FailingWrites : public FileOps {
  public:
    int opens = 0;
    int closes = 0;
    int openReadWrite(const std::string& path) override {
        ++opens;
        return FileOps::openReadWrite(path);
    }
    void close(int fd) override {
        ++closes;
        FileOps::close(fd);
    }
    void writeAt(int, const char*, std::size_t, std::int64_t) override {
        throwError(28, "No space left on device");
    }
};

TEST(ParameterFileAdjust, FailedWriteIsReportedAndTheFileIsClosed) {
    TempFolder dir;
    writeBytes(dir.file("P.TXT"), defaultParameterFile());
    FailingWrites ops;
    try {
        addToAdjustment(dir.file("P.TXT"), kSectionBulkList, "1", "", ops);
        FAIL() << "write failure swallowed";
    } catch (const QmError& e) {
        EXPECT_EQ(e.number(), 28);
    }
    EXPECT_EQ(ops.opens, 1);
    EXPECT_EQ(ops.closes, 1);
    EXPECT_EQ(readBytes(dir.file("P.TXT")), defaultParameterFile());
}

TEST(ParameterFileSection, NewRecordStartsWhereReadersSeeTheNextOne) {
    const std::string first = record("ONTHEFLY", "-1", "2");
    const std::string added = record("RETLABEL", "0", "0");
    const struct {
        const char* why;
        std::string before, after;
    } cases[] = {
        {"whole records", first, first + added},
        {"no line end", first.substr(0, 16), first + added},
        {"half a line end", first.substr(0, 17), first + added},
        // Readers pad the short image with blanks; its values stay as they read.
        {"short image", first.substr(0, 14), first + added},
        // Under half a record is not counted, so the new record takes its place.
        {"stub", first + "ENV", first + added},
        {"empty", "", added},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TempFolder dir;
        const std::string path = dir.file("P.TXT");
        writeBytes(path, c.before);
        const Adjustment kept = adjustmentIn(c.before, kSectionOnTheFly);
        EXPECT_TRUE(ensureSection(path, kSectionReturnLabels));
        EXPECT_EQ(readBytes(path), c.after);
        EXPECT_EQ(readAdjustment(path, kSectionOnTheFly), kept);
        EXPECT_FALSE(ensureSection(path, kSectionReturnLabels));
        EXPECT_EQ(readBytes(path), c.after);
    }
}

TEST(ParameterFileSection, FailedAppendLeavesTheFileAsReadersSawIt) {
    using test::StepFileOps;
    const std::string before = record("ONTHEFLY", "-1", "2").substr(0, 16);
    // Open, write, sync: a failure at the write or at the sync.
    for (int at : {2, 3}) {
        SCOPED_TRACE(at);
        TempFolder dir;
        writeBytes(dir.file("P.TXT"), before);
        StepFileOps ops(StepFileOps::Action::Fail, at);
        EXPECT_THROW(ensureSection(dir.file("P.TXT"), kSectionReturnLabels, ops), QmError);
        EXPECT_EQ(readBytes(dir.file("P.TXT")), before);
    }
}

}  // namespace
}  // namespace qm
