#pragma once

// Runs the real quillmark program as a child process (several at once where a test needs
// them to race), with its standard output and error caught in files.

#include <fcntl.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "support/small_tmpfs.h"
#include "support/temp_folder.h"

extern char** environ;

namespace qm::test {

class QuillmarkProcess {
  public:
    // Starts `quillmark ARGS` with its output into files in `folder`; standard error goes to
    // `errTo` instead when given (a terminal).
    QuillmarkProcess(const std::vector<std::string>& args, const std::string& folder,
                     const std::string& errTo = "") {
        static int serial = 0;
        const std::string stem = folder + "/.proc" + std::to_string(++serial);
        outPath_ = stem + ".out";
        errPath_ = stem + ".err";
        std::vector<std::string> words{QUILLMARK_BIN};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& w : words) {
            argv.push_back(w.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, outPath_.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (errTo.empty()) {
            posix_spawn_file_actions_addopen(&actions, 2, errPath_.c_str(),
                                             O_WRONLY | O_CREAT | O_TRUNC, 0644);
        } else {
            posix_spawn_file_actions_addopen(&actions, 2, errTo.c_str(), O_RDWR | O_NOCTTY, 0);
        }
        const int rc = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) {
            throw std::runtime_error(std::string("cannot start quillmark: ") + std::strerror(rc));
        }
    }
    ~QuillmarkProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        std::filesystem::remove(outPath_);
        std::filesystem::remove(errPath_);
    }
    QuillmarkProcess(const QuillmarkProcess&) = delete;
    QuillmarkProcess& operator=(const QuillmarkProcess&) = delete;

    pid_t pid() const { return pid_; }

    // Waits for the end; a process killed by a signal has status 128 + signal.
    CliResult finish() {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = 0;
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return {code, readBytes(outPath_), readBytes(errPath_)};
    }

  private:
    pid_t pid_ = 0;
    std::string outPath_;
    std::string errPath_;
};

inline CliResult runQuillmarkProcess(const std::vector<std::string>& args,
                                     const std::string& folder) {
    QuillmarkProcess p(args, folder);
    return p.finish();
}

}  // namespace qm::test
