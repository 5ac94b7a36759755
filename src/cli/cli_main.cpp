#include <QGuiApplication>
#include <clocale>
#include <cstring>
#include <iostream>
#include <sstream>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "records/error.h"
#include "shell/app_folder.h"

namespace qm::cli {

namespace {

const Command* findCommand(const std::string& name) {
    for (const Command& c : commands()) {
        if (name == c.name) {
            return &c;
        }
    }
    return nullptr;
}

void printCommandHelp(std::ostream& out, const Command& c) {
    out << "Usage: quillmark " << c.usage << "\n\n"
        << c.help
        << "\n--home DIR (with every command) chooses the application folder, which holds the\n"
           "parameter file and the export files; else $QUILLMARK_HOME, else\n"
           "~/Documents/Quillmark.\n";
}

void printOverview(std::ostream& out) {
    out << "Usage: quillmark [--home DIR] COMMAND [OPTIONS]\n"
           "       quillmark [--home DIR] [--open FILE]   (starts the windowed program)\n"
           "       quillmark --version\n\n"
           "Commands:\n";
    for (const Command& c : commands()) {
        out << "  " << c.usage << "\n";
    }
    out << "\nOUTPUT is one of -o FILE.pdf, --printer NAME, --png DIR [--dpi N], --text,\n"
           "--runs.\n"
           "--home DIR chooses the application folder (else $QUILLMARK_HOME, else\n"
           "~/Documents/Quillmark). 'quillmark help COMMAND' explains a command.\n"
           "Exit status: 0 success, 1 input refused (message on standard error as\n"
           "TITLE: TEXT), 2 usage error.\n";
    for (const Command& c : commands()) {
        out << "\n" << c.name << "\n\n" << c.help;
    }
}

// Takes --home (anywhere before or after the command) out of the arguments.
std::string takeHome(std::vector<std::string>& args) {
    std::string home;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--home" && i + 1 < args.size()) {
            home = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i),
                       args.begin() + static_cast<long>(i) + 2);
            --i;
        } else if (args[i].rfind("--home=", 0) == 0) {
            home = args[i].substr(7);
            args.erase(args.begin() + static_cast<long>(i));
            --i;
        }
    }
    return home;
}

}  // namespace

bool isCliInvocation(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--home") {
            ++i;
            continue;
        }
        if (arg.rfind("--home=", 0) == 0) {
            continue;
        }
        // Any word where a command stands is one (an unknown word is a usage error there);
        // options such as Qt's own -style go to the windowed program.
        return arg == "--help" || arg == "-h" || arg == "--version" || arg.empty() || arg[0] != '-';
    }
    return false;
}

int runCli(const std::vector<std::string>& input, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = input;
    const std::string home = takeHome(args);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        printOverview(out);
        return kOk;
    }
    if (args[0] == "--version") {
        out << "quillmark " << QUILLMARK_VERSION << "\n";
        return kOk;
    }
    if (args[0] == "help") {
        if (args.size() < 2) {
            printOverview(out);
            return kOk;
        }
        const Command* c = findCommand(args[1]);
        if (c == nullptr) {
            err << "quillmark: no command " << args[1] << "\n";
            return kUsage;
        }
        printCommandHelp(out, *c);
        return kOk;
    }
    const Command* command = findCommand(args[0]);
    if (command == nullptr) {
        err << "quillmark: unknown command " << args[0] << " (see quillmark --help)\n";
        return kUsage;
    }
    try {
        const Args parsed(std::vector<std::string>(args.begin() + 1, args.end()), command->options);
        if (parsed.has("help")) {
            printCommandHelp(out, *command);
            return kOk;
        }
        Context context{out, err, resolveAppFolder(home)};
        try {
            prepareAppFolder(context.appFolder);
        } catch (const QmError& e) {
            context.appFolderProblem = e;  // fatal only to the commands that need the folder
        }
        const int status = command->run(parsed, context);
        // A script must not take lost output (a full disk, a closed pipe) for success.
        if (!out.flush()) {
            err << "quillmark " << command->name << ": cannot write the output\n";
            return kRefused;
        }
        return status;
    } catch (const UsageError& e) {
        err << "quillmark " << command->name << ": " << e.what() << "\nUsage: quillmark "
            << command->usage << "\n";
        return kUsage;
    } catch (const Refusal& r) {
        err << r.title() << ": " << r.text() << "\n";
        return kRefused;
    } catch (const QmError& e) {
        err << "Error: " << commonErrorText(e) << "\n";
        return kRefused;
    }
}

namespace {

// Standard error carries the program's own messages only, so that a script can read the
// refusal as TITLE: TEXT; Qt's warnings (a PDF that cannot be opened, a missing font) would
// come before it.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::cerr << "quillmark: " << message.toStdString() << "\n";
    }
}

}  // namespace

void ensureGuiApplication() {
    qInstallMessageHandler(quietQtMessages);
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    // Painting on a printer or PDF needs the application object and its fonts, never a
    // display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "quillmark";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    // The application object takes the user's locale; numbers we print keep their full stop.
    std::setlocale(LC_NUMERIC, "C");
}

int runCli(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return runCli(args, std::cout, std::cerr);
}

}  // namespace qm::cli
