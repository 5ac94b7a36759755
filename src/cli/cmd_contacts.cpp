// Subcommands on single contacts: parse, add, edit, delete, and the birthday reminders.
#include <chrono>
#include <cstdlib>
#include <ctime>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "contacts/address_parser.h"
#include "contacts/contact_save.h"
#include "records/contact_store.h"
#include "records/error.h"
#include "records/file_ops.h"
#include "shell/birthday_scan.h"

namespace qm::cli {

namespace {

int recordNumber(const std::string& text) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 1 || n > 1000000000) {
        throw UsageError("RECNO must be a record number from 1");
    }
    return static_cast<int>(n);
}

// Each given field option replaces that field, its letters as the store holds them.
void replaceGivenFields(const Args& args, ContactFields& fields, const FieldLimits& limits) {
    for (ContactField field : kAllContactFields) {
        if (const auto value = args.value(std::string(describe(field).option))) {
            fields.text(field) = storableArg(*value, limits);
        }
    }
}

// The browser only ever shows records on file; a number beyond them is no contact.
void requireOnFile(const ContactStore& contacts, int n) {
    if (n > contacts.count()) {
        throw QmError(err::kBadRecordNumber, "Bad record number");
    }
}

[[noreturn]] void refuse(const FieldCheck& failed) {
    throw Refusal(failed.title, failed.text);
}

}  // namespace

OptionSet contactFieldOptions(OptionSet options) {
    for (ContactField field : kAllContactFields) {
        options.withValue.emplace(describe(field).option);
    }
    options.withValue.insert("reminders");
    return options;
}

std::optional<bool> onOffValue(const Args& args, const std::string& name) {
    const auto value = args.value(name);
    if (!value) {
        return std::nullopt;
    }
    if (*value != "on" && *value != "off") {
        throw UsageError("--" + name + " takes on or off");
    }
    return *value == "on";
}

bool remindersSetting(const Args& args, const ContactStore* contacts) {
    if (const auto given = onOffValue(args, "reminders")) {
        return *given;
    }
    // A file as opening it sets the reminder menu; a new file starts with reminders on.
    return contacts == nullptr || remindersOnWhenOpened(reminderMenuOf(*contacts));
}

int runParse(const Args& args, Context& context) {
    if (args.positionals().empty() || args.positionals().size() > 5) {
        throw UsageError("expected one to five lines");
    }
    // The lines become a contact's values, as Add Contact from the typed lines takes them.
    AddressLines lines;
    for (std::size_t i = 0; i < args.positionals().size(); ++i) {
        lines[i] = storableArg(args.positionals()[i], kContactFileLimits);
    }
    const AddressParse parse = parseAddressLines(lines);
    if (parse.outcome == AddressParseOutcome::LineOneWithoutBlank) {
        throw Refusal(kLineOneWithoutBlankTitle, kLineOneWithoutBlankText);
    }
    for (ContactField field : kParsedFields) {
        context.out << describe(field).option << '\t' << parse.fields.text(field) << '\n';
    }
    return kOk;
}

int runAdd(const Args& args, Context& context) {
    args.requirePositionals(1, "FILE.DAT");
    const std::string& path = args.positionals()[0];
    onOffValue(args, "reminders");  // a wrong value is a usage error before the file is read

    // The file is created only once the contact passes its checks.
    std::unique_ptr<ContactStore> contacts;
    if (systemFileOps().exists(path)) {
        contacts = openContacts(context, path, FileUse::Change);
    }
    ContactFields fields;
    replaceGivenFields(args, fields, contacts ? contacts->fieldLimits() : kContactFileLimits);
    fields.includeCompany = args.has("include-company");
    const bool remindersOn = remindersSetting(args, contacts.get());
    const auto checked = checkedContactRecord(fields, kAddContactChecks, remindersOn);
    if (const auto* failed = std::get_if<FieldCheck>(&checked)) {
        refuse(*failed);
    }
    if (!contacts) {
        contacts = openContacts(context, path, FileUse::Create);
    }
    context.out << contacts->append(std::get<ContactRecord>(checked)) << '\n';
    return kOk;
}

int runEdit(const Args& args, Context& context) {
    args.requirePositionals(2, "FILE.DAT RECNO");
    const int n = recordNumber(args.positionals()[1]);
    const auto include = onOffValue(args, "include-company");
    onOffValue(args, "reminders");  // a wrong value is a usage error before the file is read
    const std::unique_ptr<ContactStore> contacts =
        openContacts(context, args.positionals()[0], FileUse::Change);

    // The record shown and the record written are the same one.
    const ContactStore::Lock lock(*contacts, LockKind::Exclusive);
    requireOnFile(*contacts, n);
    // The record as the browser shows it, then the given fields typed over it.
    const ContactFields shown = fieldsFromRecord(contacts->read(n));
    ContactFields fields = shown;
    replaceGivenFields(args, fields, contacts->fieldLimits());
    fields.includeCompany = include ? *include : includeCompanyAfterEdit(shown, fields.company);

    const bool remindersOn = remindersSetting(args, contacts.get());
    const auto checked = checkedContactRecord(fields, kEditContactChecks, remindersOn);
    if (const auto* failed = std::get_if<FieldCheck>(&checked)) {
        refuse(*failed);
    }
    contacts->write(n, std::get<ContactRecord>(checked));
    return kOk;
}

int runDelete(const Args& args, Context& context) {
    args.requirePositionals(2, "FILE.DAT RECNO");
    const int n = recordNumber(args.positionals()[1]);
    const std::unique_ptr<ContactStore> contacts =
        openContacts(context, args.positionals()[0], FileUse::Change);
    const ContactStore::Lock lock(*contacts, LockKind::Exclusive);
    requireOnFile(*contacts, n);
    contacts->deleteRecord(n);
    return kOk;
}

namespace {

CalendarDate todayOf(const Args& args) {
    if (const auto text = args.value("today")) {
        int y = 0;
        unsigned m = 0;
        unsigned d = 0;
        char dash1 = 0;
        char dash2 = 0;
        char rest = 0;
        const int got =
            std::sscanf(text->c_str(), "%4d%c%2u%c%2u%c", &y, &dash1, &m, &dash2, &d, &rest);
        const std::chrono::year_month_day date{std::chrono::year(y), std::chrono::month(m),
                                               std::chrono::day(d)};
        if (got != 5 || dash1 != '-' || dash2 != '-' || text->size() != 10 || !date.ok()) {
            throw UsageError("--today takes a date as YYYY-MM-DD");
        }
        return {y, static_cast<int>(m), static_cast<int>(d)};
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace

int runBirthdays(const Args& args, Context& context) {
    args.requirePositionals(1, "FILE.DAT");
    const CalendarDate today = todayOf(args);
    const std::unique_ptr<ContactStore> contacts =
        openContacts(context, args.positionals()[0], FileUse::Read);
    for (const UpcomingBirthday& birthday : upcomingBirthdaysIn(*contacts, today)) {
        context.out << birthday.text() << '\n';
    }
    return kOk;
}

}  // namespace qm::cli
