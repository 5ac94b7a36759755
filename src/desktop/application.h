#pragma once

namespace qm {

// Starts the windowed program: the application folder prepared, the state made and the main
// window put together and shown. Returns the exit status.
int runApplication(int argc, char** argv);

}  // namespace qm
