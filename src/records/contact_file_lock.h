#pragma once

// The lock a contact file operation takes among windows and commands: flock on the file,
// shared to read and exclusive to write. flock alone lets readers that keep coming starve a
// writer, so every operation first takes a turn: a byte-range lock (on the open file
// description, as flock is) on the last byte a lock can name, far beyond any record. A writer
// holds the turn while it waits for the readers before it; a reader only passes it. Readers
// that come after a waiting writer therefore wait behind it.

#include <chrono>

#include "records/contact_store.h"

namespace qm {

// Takes flock on fd without waiting; false while another holds it.
bool tryFlock(int fd, LockKind kind);

// Takes the turn and then flock, polling until deadline; the turn is given back when it
// returns or throws. Past the deadline: error 70, nothing locked.
void lockInTurn(int fd, LockKind kind, std::chrono::steady_clock::time_point deadline);

}  // namespace qm
