#pragma once

namespace qm {

// Runs the windowed program; returns the exit status.
int runApplication(int argc, char** argv);

}  // namespace qm
