#include "shell/app_folder.h"

#include <gtest/gtest.h>

#include "records/error.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

TEST(UninstallerData, ParkedWhileTheDialogIsShownAndRestoredAfter) {
    TempFolder folder;
    writeBytes(folder.file(kUninstallerData), "uninstaller");
    parkUninstallerData(folder.path());
    EXPECT_FALSE(systemFileOps().exists(folder.file(kUninstallerData)));
    EXPECT_EQ(readBytes(folder.file(kUninstallerParked)), "uninstaller");
    // A second dialog after a cancelled one finds it parked already.
    parkUninstallerData(folder.path());
    EXPECT_EQ(readBytes(folder.file(kUninstallerParked)), "uninstaller");
    restoreUninstallerData(folder.path());
    EXPECT_EQ(readBytes(folder.file(kUninstallerData)), "uninstaller");
    EXPECT_FALSE(systemFileOps().exists(folder.file(kUninstallerParked)));
}

TEST(UninstallerData, NothingToDoWithoutTheFile) {
    TempFolder folder;
    EXPECT_NO_THROW(parkUninstallerData(folder.path()));
    EXPECT_NO_THROW(restoreUninstallerData(folder.path()));
    EXPECT_FALSE(systemFileOps().exists(folder.file(kUninstallerParked)));
}

TEST(UninstallerData, NeverReplacesAFileOfTheOtherName) {
    TempFolder folder;
    writeBytes(folder.file(kUninstallerData), "new");
    writeBytes(folder.file(kUninstallerParked), "parked");
    parkUninstallerData(folder.path());
    restoreUninstallerData(folder.path());
    EXPECT_EQ(readBytes(folder.file(kUninstallerData)), "new");
    EXPECT_EQ(readBytes(folder.file(kUninstallerParked)), "parked");
}

TEST(UninstallerData, AFailedRenameIsReported) {
    TempFolder folder;
    writeBytes(folder.file(kUninstallerData), "x");
    struct FailingRename : FileOps {
        bool renameNoReplace(const std::string&, const std::string&) override {
            throwError(13, "Permission denied");
        }
    } ops;
    EXPECT_THROW(parkUninstallerData(folder.path(), ops), QmError);
}

}  // namespace
}  // namespace qm
