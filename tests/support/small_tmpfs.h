#pragma once

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace qm::test {

// A small tmpfs mounted for one test (a full disk, a read-only file system). Mounting needs
// privileges CI may not have: available() then says why not.
class SmallTmpfs {
  public:
    SmallTmpfs(const std::string& where, const std::string& size) : path_(where) {
        std::filesystem::create_directories(where);
        const std::string options = "size=" + size + ",mode=0755";
        if (::mount("tmpfs", where.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            why_ = std::string("cannot mount a tmpfs here (") + std::strerror(errno) +
                   "); the fault-injection tests cover the same steps";
            return;
        }
        mounted_ = true;
    }
    ~SmallTmpfs() {
        if (mounted_) {
            ::umount2(path_.c_str(), MNT_DETACH);
        }
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool available() const { return mounted_; }
    const std::string& why() const { return why_; }
    bool makeReadOnly() {
        return ::mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    // Fills the file system up to the last byte.
    void fill() const {
        const int fd = ::open((path_ + "/filler").c_str(), O_WRONLY | O_CREAT, 0644);
        const std::string block(4096, 'x');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        while (::write(fd, block.data(), 1) > 0) {
        }
        ::close(fd);
    }

  private:
    std::string path_;
    bool mounted_ = false;
    std::string why_;
};

}  // namespace qm::test
