// The address book server as a source: import from it and keep a contact file in step.
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <limits>

#include "carddav/address_book_commands.h"
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "records/contact_store.h"
#include "records/file_ops.h"

namespace qm::cli {

namespace {

bool startsWithNoCase(const std::string& text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) {
            return false;
        }
    }
    return true;
}

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) {
    interrupted = 1;
}

// While it lives, Ctrl+C asks the read to stop rather than ending the program at once.
class InterruptAsCancel {
  public:
    InterruptAsCancel() {
        interrupted = 0;
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, &previous_);
        if (previous_.sa_handler == SIG_IGN) {
            ::sigaction(SIGINT, &previous_, nullptr);  // started to run on regardless
        }
    }
    ~InterruptAsCancel() { ::sigaction(SIGINT, &previous_, nullptr); }
    InterruptAsCancel(const InterruptAsCancel&) = delete;
    InterruptAsCancel& operator=(const InterruptAsCancel&) = delete;

  private:
    struct sigaction previous_ {};
};

// "N of M cards" on one line of the terminal, written over as the read goes on; nothing
// when standard error is not a terminal, so that scripts get no noise. The read stops at
// Ctrl+C either way.
class ProgressLine {
  public:
    explicit ProgressLine(Context& context)
        : err_(context.err), on_(&context.err == &std::cerr && ::isatty(STDERR_FILENO) != 0) {}
    ~ProgressLine() {
        if (shown_) {
            err_ << '\n';
        }
    }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    carddav::ReadProgress progress() {
        carddav::ReadProgress progress{{}, [] { return interrupted != 0; }};
        if (on_) {
            progress.report = [this](std::size_t done, std::size_t total) {
                err_ << '\r' << done << " of " << total << " cards" << std::flush;
                shown_ = true;
            };
        }
        return progress;
    }

  private:
    InterruptAsCancel interrupt_;
    std::ostream& err_;
    bool on_;
    bool shown_ = false;
};

// --timeout, --max-cards and --max-megabytes; a usage error for a value out of range.
void applyServerLimits(const Args& args, carddav::ServerConnection& connection) {
    connection.timeoutSeconds =
        args.intValue("timeout", 1, 86400).value_or(carddav::kDefaultTimeoutSeconds);
    const int most = std::numeric_limits<int>::max();
    if (const std::optional<int> cards = args.intValue("max-cards", 1, most)) {
        connection.limits.cards = static_cast<std::size_t>(*cards);
    }
    if (const std::optional<int> megabytes = args.intValue("max-megabytes", 1, 1 << 20)) {
        connection.limits.bytes = static_cast<std::size_t>(*megabytes) << 20;
    }
}

carddav::ServerConnection serverConnection(const std::string& url, const Args& args) {
    // The client waits for the server in Qt's event loop.
    ensureGuiApplication();
    carddav::ServerConnection connection =
        carddav::connectionFor(url, args.value("user").value_or(""), args.has("insecure"));
    applyServerLimits(args, connection);
    return connection;
}

}  // namespace

bool isServerAddress(const std::string& argument) {
    return startsWithNoCase(argument, "http://") || startsWithNoCase(argument, "https://");
}

void checkServerOptions(const Args& args, const std::string& input) {
    if (!isServerAddress(input)) {
        if (args.has("user") || args.has("insecure")) {
            throw UsageError("--user and --insecure are for an address book server (http://...)");
        }
        if (args.has("timeout") || args.has("max-cards") || args.has("max-megabytes")) {
            throw UsageError(
                "--timeout, --max-cards and --max-megabytes are for an address book server "
                "(http://...)");
        }
        return;
    }
    if (carddav::partTypedAddress(input).heldPassword) {
        throw UsageError(
            "the address holds a password; give it in QUILLMARK_CARDDAV_PASSWORD or ~/.netrc");
    }
    carddav::ServerConnection checked;
    applyServerLimits(args, checked);  // a wrong value is refused before any file is made
}

ImportResult importFromServer(ContactStore& contacts, const std::string& url, const Args& args,
                              Context& context, bool remindersOn) {
    const carddav::ServerConnection connection = serverConnection(url, args);
    ProgressLine line(context);
    return carddav::importAddressBook(contacts, connection, remindersOn, line.progress());
}

void endIfInterrupted() {
    if (interrupted != 0) {
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
    }
}

ImportResult previewFromServer(const std::string& url, const Args& args, Context& context,
                               DuplicateIndex onFile, bool remindersOn, const FieldLimits& limits) {
    const carddav::ServerConnection connection = serverConnection(url, args);
    carddav::AddressBookRead read;
    try {
        ProgressLine line(context);
        read = carddav::readAddressBook(connection, {}, line.progress());
    } catch (const QmError&) {
        endIfInterrupted();
        throw;
    }
    return importServerCards(read.cards, std::move(onFile), remindersOn, limits);
}

int runSync(const Args& args, Context& context) {
    args.requirePositionals(2, "FILE.DAT URL");
    const std::string& path = args.positionals()[0];
    const std::string& url = args.positionals()[1];
    if (!isServerAddress(url)) {
        throw UsageError("URL must begin with http:// or https://");
    }
    checkServerOptions(args, url);
    onOffValue(args, "reminders");  // a wrong value is a usage error before any file is made

    const bool existed = systemFileOps().exists(path);
    const std::unique_ptr<ContactStore> contacts = openContacts(context, path, FileUse::Create);
    SyncCounts counts;
    try {
        const carddav::ServerConnection connection = serverConnection(url, args);
        ProgressLine line(context);
        counts = carddav::syncAddressBook(*contacts, connection,
                                          remindersSetting(args, contacts.get()), line.progress());
    } catch (const QmError&) {
        removeIfMadeEmptyAfterFailure(context, *contacts, path, existed);
        endIfInterrupted();
        throw;
    }
    context.out << syncCompletedText(counts) << '\n';
    return kOk;
}

}  // namespace qm::cli
