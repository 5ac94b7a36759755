#include "desktop/application.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "desktop/main_window.h"
#include "platform/qt_platform_services.h"
#include "records/error.h"
#include "shell/app_folder.h"
#include "shell/bundled_documents_window.h"

namespace qm {

namespace {

bool displayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') {
        return true;
    }
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x != nullptr && *x != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

int runApplication(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "quillmark: no display available. Run it in a desktop session, or use "
                     "the command-line interface (quillmark --help) for batch work.\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    QApplication::setOrganizationName(QStringLiteral("Quillmark"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLMARK_VERSION));
    // Ties the windows to the installed desktop entry and icon (taskbar, Wayland's app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillmark.Quillmark"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.quillmark.Quillmark")));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Labels, envelopes and a contact file."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption homeOption(QStringLiteral("home"),
                                        QStringLiteral("Application folder to use."),
                                        QStringLiteral("DIR"));
    parser.addOption(homeOption);
    const QCommandLineOption openOption(
        QStringLiteral("open"),
        QStringLiteral("Contact file to open at start, or a CSV or vCard file to import."),
        QStringLiteral("FILE"));
    parser.addOption(openOption);
    parser.process(app);

    const std::string folder =
        resolveAppFolder(QFile::encodeName(parser.value(homeOption)).toStdString());
    try {
        prepareAppFolder(folder);
        installBundledDocuments(QFile::decodeName(folder.c_str()));
    } catch (const QmError& e) {
        std::fprintf(stderr, "quillmark: %s\n", commonErrorText(e).c_str());
        return 1;
    }

    QtPlatformServices platform;
    AppState state(platform, QDir(QFile::decodeName(folder.c_str())).absolutePath());
    frmDEdavu main(state);
    main.restoreSavedPlace();
    main.show();
    main.focusFirstLine();
    if (parser.isSet(openOption)) {
        // Once the event loop runs, so that Cancel on an error can still end the program.
        QTimer::singleShot(0, &main, [&main, path = parser.value(openOption)] {
            main.openFileNamedAtStart(path);
        });
    }
    return QApplication::exec();
}

}  // namespace qm
