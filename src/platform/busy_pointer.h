#pragma once

// The busy mouse pointer for the length of a command, restored before any message the
// command shows and in any case when the command ends.

#include "platform/platform_services.h"

namespace qm {

class BusyPointer {
  public:
    explicit BusyPointer(PlatformServices& platform) : platform_(platform) {
        platform_.setBusy(true);
    }
    ~BusyPointer() { restore(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    void restore() {
        if (busy_) {
            busy_ = false;
            platform_.setBusy(false);
        }
    }

  private:
    PlatformServices& platform_;
    bool busy_ = true;
};

}  // namespace qm
