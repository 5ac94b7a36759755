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

// A leftover's time may run ahead of the clock (or be any time at all): with no minimum age
// every leftover goes; with one, only those old enough, and never another file.
TEST(LeftoverTemporaries, GoByAgeAndNoMinimumTakesThemAll) {
    test::TempFolder folder;
    const std::string target = folder.file("Friends.DAT");
    const std::string stem = std::string(kTemporaryPrefix) + "Friends.DAT.";
    const std::time_t now = std::time(nullptr);
    test::writeBytes(folder.file(stem + "ahead1"), "x");
    setTime(folder.file(stem + "ahead1"), now + 5);
    test::writeBytes(folder.file(stem + "old123"), "x");
    setTime(folder.file(stem + "old123"), now - 3600);
    test::writeBytes(folder.file(stem + "fresh1"), "x");
    test::writeBytes(folder.file("Other.DAT"), "x");

    removeLeftoverTemporaries(target, std::chrono::seconds(600));
    EXPECT_EQ(namesIn(folder),
              (std::vector<std::string>{stem + "ahead1", stem + "fresh1", "Other.DAT"}));
    removeLeftoverTemporaries(target, std::chrono::seconds(0));
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"Other.DAT"}));
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
