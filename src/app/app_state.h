#pragma once

// What the program keeps application-wide: the open contact file and its names, the current
// record number, the application folder and the platform services. Windows receive it.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/platform_services.h"
#include "records/contact_file.h"

class frmDEdavu;

namespace qm {

struct AppState {
    explicit AppState(PlatformServices& services, QString folder)
        : platform(services), appFolder(std::move(folder)) {}

    PlatformServices& platform;
    QString appFolder;
    ContactFile contacts;
    // The contact shown in the contact browser; 0 when none.
    int currentRecord = 0;
    frmDEdavu* mainWindow = nullptr;
    // The contact browser while it is loaded (it stays loaded, hidden, after Print Label).
    QPointer<QWidget> contactBrowser;
    // Windows other than the main window, oldest first, closed newest first at exit.
    std::vector<QPointer<QWidget>> openWindows;

    QString appFile(const QString& name) const { return appFolder + QLatin1Char('/') + name; }
};

}  // namespace qm
