#include "platform/app_exit.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include "records/contact_store.h"
#include "records/error.h"

namespace qm {

void endApplicationAtOnce(ContactStore& contacts) {
    try {
        contacts.close();
    } catch (const QmError&) {
        // The application ends now; there is no one left to tell, and the descriptor is
        // released either way.
    }
    // Closing the last visible window must not start Qt's own quit, which would close the
    // hidden main window and so run its exit steps.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::exit(0);
}

}  // namespace qm
