#pragma once

// File operations that count every call that creates, changes or removes a file and let a
// test act before call number `at`: fail it
// (as a full disk or a lost device would) or end the process there (as kill -9 would). A write
// that is to die first writes half its bytes, as a write cut short does.

#include <unistd.h>

#include <string>

#include "records/error.h"
#include "records/file_ops.h"

namespace qm::test {

class StepFileOps : public FileOps {
  public:
    enum class Action { None, Fail, Die };
    Action action = Action::None;
    int at = 0;
    int calls = 0;
    std::string failedStep;

    StepFileOps() = default;
    StepFileOps(Action a, int call) : action(a), at(call) {}

    int openReadWrite(const std::string& p) override {
        step("openReadWrite");
        return FileOps::openReadWrite(p);
    }
    int createUnique(std::string& p) override {
        step("createUnique");
        return FileOps::createUnique(p);
    }
    void writeAt(int fd, const char* d, std::size_t n, std::int64_t o) override {
        if (action == Action::Die && calls + 1 == at) {
            FileOps::writeAt(fd, d, n / 2, o);
        }
        step("writeAt");
        FileOps::writeAt(fd, d, n, o);
    }
    void truncate(int fd, std::int64_t length) override {
        step("truncate");
        FileOps::truncate(fd, length);
    }
    void sync(int fd) override {
        step("sync");
        FileOps::sync(fd);
    }
    void copyPermissions(int from, int to) override {
        step("copyPermissions");
        FileOps::copyPermissions(from, to);
    }
    void setPermissions(int fd, unsigned mode) override {
        step("setPermissions");
        FileOps::setPermissions(fd, mode);
    }
    void rename(const std::string& a, const std::string& b) override {
        step("rename");
        FileOps::rename(a, b);
    }
    bool renameNoReplace(const std::string& a, const std::string& b) override {
        step("renameNoReplace");
        return FileOps::renameNoReplace(a, b);
    }
    void remove(const std::string& p) override {
        step("remove");
        FileOps::remove(p);
    }
    void syncFolder(const std::string& f) override {
        step("syncFolder");
        FileOps::syncFolder(f);
    }

  private:
    void step(const char* name) {
        if (++calls != at) {
            return;
        }
        failedStep = name;
        if (action == Action::Die) {
            ::_exit(9);
        }
        if (action == Action::Fail) {
            throw QmError(28, "No space left on device");
        }
    }
};

}  // namespace qm::test
