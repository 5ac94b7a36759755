#include "cli/cli.h"
#include "desktop/application.h"

int main(int argc, char** argv) {
    if (qm::cli::isCliInvocation(argc, argv)) {
        return qm::cli::runCli(argc, argv);
    }
    return qm::runApplication(argc, argv);
}
