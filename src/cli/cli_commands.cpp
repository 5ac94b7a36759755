#include "cli/cli_commands.h"

#include <algorithm>
#include <set>

#include "cli/cli_output.h"
#include "exchange/contact_formats.h"
#include "records/contact_fields.h"

namespace qm::cli {

namespace {

OptionSet withHelp(OptionSet options) {
    options.flags.insert("help");
    return options;
}

const char* const kOutputHelp =
    "\nOutput (exactly one):\n"
    "  -o FILE.pdf       a PDF file; copies follow each other in the one file\n"
    "  --printer NAME    a CUPS printer; each copy is a job of its own\n"
    "  --png DIR         one PNG image per page, as the print preview shows it (the\n"
    "                    stock faintly behind the text, cut lines marked): DIR/page-001.png\n"
    "                    and on; the folder is made when missing\n"
    "  --dpi N           the images' resolution, 24 to 1200 (default 96)\n"
    "  --text            the pages as plain text, pages separated by a form feed\n"
    "  --runs            one printed run per line, tab-separated: page, line, vertical\n"
    "                    position in points from the top of the printable area (two\n"
    "                    decimals), column from 1, font, size, bold 0/1, italic 0/1, text.\n"
    "                    Pages count from 1 across all copies; lines count from 1 at the\n"
    "                    top of the page and again after a return to the top.\n";

// Where an option's explanation starts on its line.
constexpr std::size_t kHelpTextColumn = 20;

std::vector<std::string> wordsOf(std::string_view text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        if (end > start) {
            words.emplace_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return words;
}

// Words laid into lines no longer than `width`: the first after `lead`, the rest after
// `indent`.
std::string wrapped(const std::vector<std::string>& words, const std::string& lead,
                    const std::string& indent, std::size_t width) {
    std::string text = lead;
    std::size_t lineStart = 0;
    bool lineEmpty = true;
    for (const std::string& word : words) {
        if (!lineEmpty && text.size() - lineStart + 1 + word.size() > width) {
            text += "\n";
            lineStart = text.size();
            text += indent;
            lineEmpty = true;
        }
        text += (lineEmpty ? "" : " ") + word;
        lineEmpty = false;
    }
    return text;
}

std::string fieldOption(ContactField field) {
    const FieldDescription& d = describe(field);
    return "--" + std::string(d.option) + " " + std::string(d.optionValue);
}

// The text fields take any text; the others (the birthdate) a form of their own.
std::string fieldHelp() {
    std::vector<std::string> words;
    for (ContactField field : kAllContactFields) {
        if (describe(field).optionValue == "T") {
            words.push_back(fieldOption(field));
        }
    }
    return wrapped(words, "  ", "  ", 80) +
           "\n"
           "                    the contact fields, each as typed into the window\n"
           "  " +
           fieldOption(ContactField::Birthdate) +
           "\n"
           "                    the birthdate as the window takes it\n";
}

std::string addUsage() {
    std::vector<std::string> words;
    for (ContactField field : kAllContactFields) {
        words.push_back("[" + fieldOption(field) + "]");
        // The box beside the company name.
        if (field == ContactField::Company) {
            words.push_back("[--include-company]");
        }
    }
    words.push_back("[--reminders on|off]");
    return wrapped(words, "add FILE.DAT ", "         ", 81);
}

const char* const kRemindersHelp =
    "  --reminders on|off\n"
    "                    the contact's birthday-reminder flag; without it, the file's own\n"
    "                    state as opening it sets it (on when the file has no records)\n";

const char* const kServerHelp =
    "\nURL is the server (https://cloud.example.com/), an address book's name under it\n"
    "(https://cloud.example.com/Family) or the address book itself. The password\n"
    "comes from QUILLMARK_CARDDAV_PASSWORD, else from ~/.netrc (machine HOST login\n"
    "USER password PASSWORD), never from the command line. On a terminal a line\n"
    "counts the cards read. Ctrl+C while they are read changes nothing; a contact\n"
    "file made for the run goes again.\n\n"
    "  --user NAME       the user name on the server (else from the URL or ~/.netrc)\n"
    "  --insecure        accept any TLS certificate (a server with a self-signed one)\n"
    "  --timeout SECONDS\n"
    "                    the time each request may take, its whole answer included\n"
    "                    (default 120)\n"
    "  --max-cards N     the most cards a run takes from the server (default 100000)\n"
    "  --max-megabytes N the most the server's answers of a run may hold together\n"
    "                    (default 512)\n";

const char* const kStockHelp =
    "  --stock NAME      the label sheet: a name or product number that quillmark stocks\n"
    "                    lists (\"Avery L7160\", 8160, J8160)\n";

std::string labelsHelp() {
    return std::string(
               "Prints the typed lines on a label sheet (by default the 30-up Avery 5160), as\n"
               "the main window's Print does with Label stock chosen.\n\n"
               "  --line TEXT       one typed line (up to five, in order; \"\" is an empty line)\n"
               "  --positions RANGE\n"
               "                    the label position entry: 5, 4-9, \"4 - 9\" or 1-30 (up to\n"
               "                    the stock's labels); refused exactly as the window does\n") +
           kStockHelp +
           std::string(
               "  --center          centered lines (default left-justified)\n"
               "  --landscape       landscape (default portrait)\n"
               "  --copies N        copies, each starting again at the first position\n"
               "  --device-name NAME\n"
               "                    the printer's device name, for the corrections of listed\n"
               "                    printers (default: the medium's own name)\n") +
           kOutputHelp +
           "\nExample:\n"
           "  quillmark labels --line \"Ann Lee\" --line \"12 Oak St\" --line \"Troy, NY 12180\" "
           "\\\n      --positions 4-6 -o labels.pdf\n";
}

std::string envelopeHelp() {
    return std::string(
               "Prints the typed lines on an envelope, as the main window's Print does with\n"
               "Envelope chosen.\n\n"
               "  --line TEXT       one typed line (up to five, in order)\n"
               "  --size N          the envelope size, 1 to 11 in the list's order: 1 #10,\n"
               "                    2 #6 3/4, 3 #A2, 4 #A7, 5 #A8, 6 #A10, 7 custom, 8 DL,\n"
               "                    9 C5, 10 C6, 11 C4, each on its own paper; without it\n"
               "                    the print is refused (\"Select Envelope size\")\n"
               "  --on-option       place the address by the table of the Envelope option\n"
               "                    clicked with a size already chosen, instead of that of a\n"
               "                    size picked in the list\n"
               "  --portrait        portrait (default landscape); the size's placement stays\n"
               "  --bold            bold, one line higher\n"
               "  --large           Trebuchet MS 14 italic, 4 columns right and 8 lines higher\n"
               "  --center          centered lines (default left-justified)\n"
               "  --copies N        copies, one document each\n"
               "  --device-name NAME\n"
               "                    the printer's device name, for the corrections of listed\n"
               "                    printers\n") +
           kOutputHelp +
           "\nExample:\n"
           "  quillmark envelope --line \"Ann Lee\" --line \"12 Oak St\" --line \"Troy, NY "
           "12180\" \\\n      --size 1 --bold --printer Office\n";
}

std::string returnLabelsHelp() {
    return std::string(
               "Prints a sheet of return-address labels (by default 80, Avery 5167) of the\n"
               "first three lines, as the main window's return-address Print does.\n\n"
               "  --line TEXT       one typed line; lines 1 to 3 print, lines 4 and 5 must stay\n"
               "                    empty\n"
               "  --center          centered lines\n"
               "  --copies N        sheets, one document each\n") +
           kStockHelp + kOutputHelp +
           "\nExample:\n"
           "  quillmark return-labels --line \"Ann Lee\" --line \"12 Oak St\" --line \"Troy, NY "
           "12180\" --text\n";
}

std::string listHelp() {
    return std::string(
               "Lists the contacts of a contact file as the contact list window does: one line\n"
               "per listed contact, the record number, a tab, then the list line with its own\n"
               "tabs, in list order.\n\n"
               "  --search FIELD=TEXT\n"
               "                    only contacts whose FIELD contains TEXT; FIELD is one of\n"
               "                    first, last, city, state, zip, email, category, company\n"
               "                    (default: every contact)\n"
               "  --sort first|last\n"
               "                    lines by first name (default) or by last name\n"
               "  --labels          print labels for the listed contacts instead of the lines\n"
               "  --report          print the report of the list instead of the lines\n"
               "  --copies N        copies of the labels or the report\n") +
           kStockHelp +
           std::string(
               "  --device-name NAME\n"
               "                    the printer's device name, for the label corrections\n"
               "With --labels or --report, one output:\n") +
           kOutputHelp +
           "\nExamples:\n"
           "  quillmark list Friends.DAT --search city=Troy --sort last\n"
           "  quillmark list Friends.DAT --search category=Golf --labels -o golf.pdf\n";
}

std::string addHelp() {
    return std::string(
               "Adds a contact at the end of the contact file through the Add Contact checks\n"
               "and cleaning, and prints the new record number. A missing file is created\n"
               "once the contact passes the checks.\n\n") +
           fieldHelp() +
           "  --include-company\n"
           "                    include the company name in the address\n" +
           kRemindersHelp +
           "\nExample:\n"
           "  quillmark add Friends.DAT --first Ann --last Lee --street \"12 Oak St\" \\\n"
           "      --city Troy --state NY --zip 12180 --birthdate 04/10/1980\n";
}

std::string editHelp() {
    return std::string(
               "Saves record RECNO (from 1) as the contact browser's Save does: the record as\n"
               "the browser shows it, each given field replacing that field, then the\n"
               "browser's checks and the write in place. Prints nothing.\n\n") +
           fieldHelp() +
           "  --include-company on|off\n"
           "                    the include-company box; without it a changed company name\n"
           "                    ticks the box (cleared when the name is emptied)\n" +
           kRemindersHelp +
           "\nExample:\n"
           "  quillmark edit Friends.DAT 2 --city Albany --zip 12203\n";
}

std::string calibrateHelp() {
    return std::string(
               "Prints a calibration sheet for a layout, or stores what was measured on it.\n"
               "LAYOUT is labels (on-the-fly labels, ONTHEFLY), list-labels (labels for listed\n"
               "contacts, BULKLIST), return-labels (return-address labels, RETLABEL, a record\n"
               "added to the parameter file when first stored) or envelope (ENVELOPE).\n\n"
               "The sheet has a ruler grid (every tenth of an inch, numbered in inches from\n"
               "the paper's top-left corner) and a crosshair where the top-left corner of\n"
               "each label's first character falls with the current adjustment; the grid\n"
               "moves with the adjustment too, so a sheet printed after calibrating measures\n"
               "true and a new measurement corrects what is left. Measure from\n"
               "the paper's left edge to the line marked 1, and from its top edge to the line\n"
               "marked 1: each should be 1 inch. What they are more is how far the print\n"
               "landed right and down; give it back with --right and --down to store the\n"
               "adjustment that moves the print back (in whole columns and lines of the\n"
               "layout's font). The current and the new adjustment are printed.\n\n"
               "  --size N          the envelope size (as for envelope; default 1)\n") +
           kStockHelp +
           std::string(
               "                    (its own adjustment, kept apart from the other stocks')\n"
               "  --right D         how far right the print landed (negative: left), with\n"
               "                    its unit: 0.05in, 1/16in, -1.5mm\n"
               "  --down D          how far down it landed (negative: up)\n"
               "  --device-name NAME\n"
               "                    the printer's device name, for the label corrections\n"
               "Without --right and --down, one output for the sheet:\n") +
           kOutputHelp +
           "\nExamples:\n"
           "  quillmark calibrate labels --printer Office\n"
           "  quillmark calibrate return-labels --png sheets\n"
           "  quillmark calibrate labels --right 0.06in --down -1.5mm\n";
}

std::vector<const ContactFormat*> exportRows() {
    std::vector<const ContactFormat*> rows;
    for (const ContactFormat& row : contactFormats()) {
        if (row.exportFormat) {
            rows.push_back(&row);
        }
    }
    return rows;
}

std::string exportUsage() {
    std::string usage = "export FILE.DAT ";
    for (const ContactFormat* row : exportRows()) {
        usage += (row == exportRows().front() ? "--" : "|--") + std::string(row->exportFlag);
    }
    return usage;
}

std::set<std::string> exportFlags() {
    std::set<std::string> flags;
    for (const ContactFormat* row : exportRows()) {
        flags.emplace(row->exportFlag);
    }
    return flags;
}

// Each flag's line, its text from column 21 on.
std::string exportFlagHelp() {
    std::string help;
    for (const ContactFormat* row : exportRows()) {
        std::string flag = "  --" + std::string(row->exportFlag);
        flag.resize(kHelpTextColumn, ' ');
        help +=
            wrapped(wordsOf(row->exportHelp), flag, std::string(kHelpTextColumn, ' '), 80) + "\n";
    }
    return help;
}

std::string exportHelp() {
    return "Writes every contact of the file into the application folder as\n"
           "QMKC_name.csv (--csv), QMKT_name.txt (--txt) or QMKV_name.vcf (--vcard), as the\n"
           "export window does, and prints the written file's path. The contact file must\n"
           "lie in the application folder, as in the window. An empty file gets a header-only\n"
           "export (an empty vCard file). A CSV or text value that a spreadsheet would run as\n"
           "a formula (one that begins with =, +, -, @) is written with an apostrophe before\n"
           "it; the import of the program's own file takes it off again. A CSV value that\n"
           "holds a quote or a comma or begins with a blank is put in double quotes, its\n"
           "quotes doubled (RFC 4180).\n\n" +
           exportFlagHelp() +
           "\nExample:\n  quillmark export ~/Documents/Quillmark/Friends.DAT --csv\n";
}

}  // namespace

const std::vector<Command>& commands() {
    static const std::vector<Command> list = {
        {"labels",
         "labels --line TEXT [--line TEXT]... --positions RANGE [--center] [--landscape]\n"
         "         [--stock NAME] [--copies N] [--device-name NAME] OUTPUT",
         labelsHelp(),
         withHelp(withOutputOptions(
             {{"line", "positions", "copies", "device-name", "stock"}, {"center", "landscape"}})),
         runLabels},
        {"envelope",
         "envelope --line TEXT... --size 1..11 [--on-option] [--portrait] [--bold] [--large]\n"
         "         [--center] [--copies N] [--device-name NAME] OUTPUT",
         envelopeHelp(),
         withHelp(withOutputOptions({{"line", "size", "copies", "device-name"},
                                     {"on-option", "portrait", "bold", "large", "center"}})),
         runEnvelope},
        {"return-labels",
         "return-labels --line TEXT --line TEXT --line TEXT [--center] [--stock NAME]\n"
         "         [--copies N] OUTPUT",
         returnLabelsHelp(), withHelp(withOutputOptions({{"line", "copies", "stock"}, {"center"}})),
         runReturnLabels},
        {"calibrate",
         "calibrate labels|list-labels|return-labels|envelope [--size N] [--stock NAME] OUTPUT\n"
         "         | --right D --down D",
         calibrateHelp(),
         withHelp(withOutputOptions({{"size", "right", "down", "device-name", "stock"}, {}})),
         runCalibrate},
        {"stocks", "stocks [SEARCH]",
         "Lists the label sheets the program prints on, one a line: name, labels, label\n"
         "size, paper, description and the other product numbers of the same sheet, tab-\n"
         "separated. The built-in sheets come first, then those of the label template\n"
         "files installed (glabels-data) and of the folders in $QUILLMARK_TEMPLATES\n"
         "(separated by \":\"). SEARCH keeps the sheets that hold each of its words in any\n"
         "of those (any case).\n\n"
         "Examples:\n  quillmark stocks 7160\n  quillmark stocks \"A4 21-up\"\n",
         withHelp({}), runStocks},
        {"list",
         "list FILE.DAT [--search FIELD=TEXT] [--sort first|last]\n"
         "         [--labels OUTPUT [--stock NAME] | --report OUTPUT]",
         listHelp(),
         withHelp(withOutputOptions(
             {{"search", "sort", "copies", "device-name", "stock"}, {"labels", "report"}})),
         runList},
        {"parse", "parse LINE1 [LINE2 [LINE3 [LINE4 [LINE5]]]]",
         "Reads up to five typed label lines as the main window's Add Contact does and\n"
         "prints eight lines NAME<TAB>VALUE: first, middle, last, street, street2, city,\n"
         "state, zip. Line 1 without a blank is refused.\n\n"
         "Example:\n"
         "  quillmark parse \"Ann B. Lee\" \"12 Oak St\" \"Troy, NY 12180\"\n",
         withHelp({}), runParse},
        {"add", addUsage(), addHelp(), withHelp(contactFieldOptions({{}, {"include-company"}})),
         runAdd},
        {"edit",
         "edit FILE.DAT RECNO [the options of add, each replacing that field]\n"
         "         [--include-company on|off] [--reminders on|off]",
         editHelp(), withHelp(contactFieldOptions({{"include-company"}, {}})), runEdit},
        {"delete", "delete FILE.DAT RECNO",
         "Deletes contact RECNO (from 1) of the contact file and closes the gap, as the\n"
         "contact browser's Delete does, without the questions. Prints nothing.\n\n"
         "Example:\n  quillmark delete Friends.DAT 2\n",
         withHelp({}), runDelete},
        {"import",
         "import FILE.DAT INPUT|URL [--user NAME] [--insecure] [--reminders on|off]\n"
         "         [--dry-run] [--timeout SECONDS] [--max-cards N] [--max-megabytes N]",
         std::string("Appends the contacts of an export file to the contact file, as the import\n"
                     "window's Import does, and prints its final message: the count imported\n"
                     "and, on a second line, what was skipped (contacts already on file, lines\n"
                     "without a name or e-mail address) or changed (letters the contact file\n"
                     "cannot hold). INPUT is read by its content: a vCard file (2.1, 3.0, 4.0)\n"
                     "or a CSV file (any common export, or this program's own). A file in which\n"
                     "no column holds a name or an e-mail address is refused. A missing contact\n"
                     "file is created for the import.\n\n"
                     "A URL (http:// or https://) reads every card of an address book server\n"
                     "(CardDAV) first, then imports them the same way; a card that is not a\n"
                     "vCard, a failure or Ctrl+C meanwhile changes nothing.\n") +
             kServerHelp +
             "  --reminders on|off\n"
             "                    the imported contacts' reminder flag; without it, the file's\n"
             "                    own state as opening it sets it\n"
             "  --dry-run         write nothing: print the contacts that would be added as\n"
             "                    list prints them (with the record numbers they would get),\n"
             "                    and the summary on standard error\n"
             "\nExamples:\n  quillmark import Friends.DAT ~/Downloads/contacts.csv\n"
             "  quillmark import Friends.DAT ~/Downloads/contacts.vcf --dry-run\n"
             "  quillmark import Friends.DAT https://cloud.example.com/ --user ann\n",
         withHelp({{"reminders", "user", "timeout", "max-cards", "max-megabytes"},
                   {"dry-run", "insecure"}}),
         runImport},
        {"sync",
         "sync FILE.DAT URL [--user NAME] [--insecure] [--reminders on|off]\n"
         "         [--timeout SECONDS] [--max-cards N] [--max-megabytes N]",
         std::string(
             "Keeps the contact file in step with one address book on a CardDAV server and\n"
             "prints what it did. The first run adds the cards as the import does; each\n"
             "later run adds the new cards, updates the contacts of changed cards and\n"
             "leaves the rest alone. It never deletes a contact: a card removed on the\n"
             "server is only counted, and a contact changed or deleted here since the last\n"
             "run is left as it is. What came from which card is kept beside the contact\n"
             "file as FILE.DAT.carddav. A missing contact file is created.\n") +
             kServerHelp +
             "  --reminders on|off\n"
             "                    new contacts' reminder flag; without it, the file's own\n"
             "                    state as opening it sets it\n"
             "\nExample:\n"
             "  quillmark sync Family.DAT \\\n"
             "      https://cloud.example.com/remote.php/dav/addressbooks/users/ann/contacts/\n",
         withHelp({{"reminders", "user", "timeout", "max-cards", "max-megabytes"}, {"insecure"}}),
         runSync},
        {"export", exportUsage(), exportHelp(), withHelp({{}, exportFlags()}), runExport},
        {"birthdays", "birthdays FILE.DAT [--today YYYY-MM-DD]",
         "Prints the birthday reminders that opening the file shows: one line per contact\n"
         "with reminders on whose birthday is 1 to 15 days ahead, in record order.\n\n"
         "  --today YYYY-MM-DD\n"
         "                    the day to count from (default: today)\n"
         "\nExample:\n  quillmark birthdays Friends.DAT --today 2025-04-01\n",
         withHelp({{"today"}, {}}), runBirthdays},
        {"convert", "convert FROM TO [--dry-run]",
         "Copies every contact of FROM into TO, a store of the other kind: a contact book\n"
         "(TO ending in .qmbook) holds every value as it is; a contact file (any other\n"
         "name) holds each field at its width in its code page. Before anything is\n"
         "written, one line for each value TO keeps otherwise: RECNO<TAB>field<TAB>the\n"
         "value as TO will hold it<TAB>cut and/or letters changed. TO is made when\n"
         "missing and must hold no contacts.\n\n"
         "  --dry-run         write nothing: the lines alone, and the count on standard\n"
         "                    error\n"
         "\nExamples:\n  quillmark convert Friends.DAT Friends.qmbook\n"
         "  quillmark convert Friends.qmbook Friends.DAT --dry-run\n",
         withHelp({{}, {"dry-run"}}), runConvert},
    };
    return list;
}

}  // namespace qm::cli
