#include "records/contact_file_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <limits>
#include <thread>

#include "records/error.h"

namespace qm {

namespace {

constexpr std::chrono::milliseconds kPoll{10};

enum class Turn { Taken, Busy, Unsupported };

struct flock turnRange(short type) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = std::numeric_limits<off_t>::max() - 1;
    range.l_len = 1;
    return range;
}

Turn tryTurn(int fd, LockKind kind) {
    struct flock range = turnRange(kind == LockKind::Exclusive ? F_WRLCK : F_RDLCK);
    while (::fcntl(fd, F_OFD_SETLK, &range) != 0) {
        if (errno == EAGAIN || errno == EACCES) {
            return Turn::Busy;
        }
        if (errno == ENOLCK || errno == EINVAL || errno == EOPNOTSUPP) {
            // A file system without byte-range locks: flock alone decides, as it would
            // without the turn.
            return Turn::Unsupported;
        }
        if (errno != EINTR) {
            throwErrno("locking", "contact file");
        }
    }
    return Turn::Taken;
}

void giveBackTurn(int fd) noexcept {
    struct flock range = turnRange(F_UNLCK);
    ::fcntl(fd, F_OFD_SETLK, &range);
}

// Whether the turn was taken; false when the deadline passed first or the file system has
// no byte-range locks. Either way the lock itself is tried next.
bool waitForTurn(int fd, LockKind kind, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        switch (tryTurn(fd, kind)) {
            case Turn::Taken:
                return true;
            case Turn::Unsupported:
                return false;
            case Turn::Busy:
                break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kPoll);
    }
}

// Gives a writer's turn back on the way out, locked or not.
struct HeldTurn {
    int fd;
    bool held;
    ~HeldTurn() {
        if (held) {
            giveBackTurn(fd);
        }
    }
};

}  // namespace

bool tryFlock(int fd, LockKind kind) {
    const int operation = (kind == LockKind::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    while (::flock(fd, operation) != 0) {
        if (errno == EWOULDBLOCK) {
            return false;
        }
        if (errno != EINTR) {
            throwErrno("locking", "contact file");
        }
    }
    return true;
}

void lockInTurn(int fd, LockKind kind, std::chrono::steady_clock::time_point deadline) {
    HeldTurn turn{fd, waitForTurn(fd, kind, deadline)};
    if (kind == LockKind::Shared && turn.held) {
        // A reader only passes the turn: readers still share the file among themselves.
        giveBackTurn(fd);
        turn.held = false;
    }
    while (!tryFlock(fd, kind)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            throwError(err::kFileInUse, kFileInUseText);
        }
        std::this_thread::sleep_for(kPoll);
    }
}

}  // namespace qm
