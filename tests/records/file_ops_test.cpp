#include "records/file_ops.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "support/temp_folder.h"

namespace qm {
namespace {

std::vector<std::string> namesIn(const test::TempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void setTime(const std::string& path, std::time_t when) {
    const timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// Every leftover of a killed run goes, whatever its age (its time may even run ahead of the
// clock); the file of a writer still at work stays, and so does every other file.
TEST(LeftoverTemporaries, GoUnlessAWriterStillHoldsThem) {
    test::TempFolder folder;
    const std::string target = folder.file("QMKC_Family.csv");
    const std::string stem = std::string(kTemporaryPrefix) + "QMKC_Family.csv.";
    const std::time_t now = std::time(nullptr);
    test::writeBytes(folder.file(stem + "ahead1"), "x");
    setTime(folder.file(stem + "ahead1"), now + 5);
    test::writeBytes(folder.file(stem + "old123"), "x");
    setTime(folder.file(stem + "old123"), now - 3600);
    test::writeBytes(folder.file(stem + "fresh1"), "x");
    test::writeBytes(folder.file("Other.DAT"), "x");

    AtomicFileWriter running(target);
    running.write("a,b\r\n");
    std::vector<std::string> names = namesIn(folder);
    ASSERT_EQ(names.size(), 2u);  // the leftovers went as the writer began
    const std::string runningTemporary = names[0];
    EXPECT_EQ(runningTemporary.rfind(stem, 0), 0u);

    removeLeftoverTemporaries(target);  // as another export of the same file would
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{runningTemporary, "Other.DAT"}));
    running.commit();
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"Other.DAT", "QMKC_Family.csv"}));
    EXPECT_EQ(test::readBytes(target), "a,b\r\n");
}

TEST(AtomicFileWriter, PiecesMakeTheFileOnlyAtCommit) {
    test::TempFolder folder;
    const std::string path = folder.file("out.csv");
    test::writeBytes(path, "earlier");
    {
        AtomicFileWriter dropped(path);
        dropped.write("never ");
        dropped.write("seen");
    }
    EXPECT_EQ(test::readBytes(path), "earlier");
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"out.csv"}));

    AtomicFileWriter file(path, systemFileOps(), 0600);
    file.write("one,");
    file.write("");
    file.write("two\r\n");
    EXPECT_EQ(test::readBytes(path), "earlier");
    file.commit();
    EXPECT_EQ(test::readBytes(path), "one,two\r\n");
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"out.csv"}));
}

}  // namespace
}  // namespace qm
