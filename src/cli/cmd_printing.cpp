// Subcommands that print the typed lines: labels, envelopes and return-address labels. Each
// takes the steps of the main window's Print command (or its return-address Print) in the
// same order, with options standing for the window's controls.
#include <array>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/cli_output.h"
#include "cli/cli_stocks.h"
#include "printing/calibration.h"
#include "printing/envelope_layout.h"
#include "printing/label_stock.h"
#include "printing/print_command.h"
#include "printing/return_labels.h"

namespace qm::cli {

namespace {

using Lines = std::array<std::string, kLabelLines>;

// Each --line is one typed line, in order; lines not given stay empty.
Lines typedLines(const Args& args) {
    const std::vector<std::string> given = args.values("line");
    if (given.size() > kLabelLines) {
        throw UsageError("at most 5 --line options");
    }
    Lines lines;
    for (std::size_t i = 0; i < given.size(); ++i) {
        lines[i] = argText(given[i]);
    }
    return lines;
}

int copiesOf(const Args& args) {
    return args.intValue("copies", 1, 999).value_or(1);
}

}  // namespace

int runLabels(const Args& args, Context& context) {
    args.requirePositionals(0, "no file names (the lines come with --line)");
    const Lines lines = typedLines(args);
    const auto positions = args.value("positions");
    if (!positions) {
        throw UsageError("--positions is required");
    }
    const int copies = copiesOf(args);
    const LabelStock& stock = chosenStock(args, kAddressSheet);
    Output output(args, args.value("device-name").value_or(""));

    // Label stock clicked and the position entered.
    const auto taken = enterLabelPosition(stock, argText(*positions));
    if (const auto* failed = std::get_if<Notice>(&taken)) {
        refuse(*failed);
    }
    const auto& entry = std::get<PositionEntry>(taken);

    // Print: a parameter file that cannot be read is refused before the checks.
    readAdjustmentOrRefuse(context, adjustmentSection(stock, StockJob::Labels));
    PrintChoices choices;
    choices.lines = lines;
    choices.labelStock = entry.selectsLabelStock;
    if (const auto failed = checkPrintCommand(choices)) {
        refuse(*failed);
    }
    const auto reparsed = parseLabelRange(entry.positionRange, stock.sheet.labels());
    if (const auto* failed = std::get_if<Notice>(&reparsed)) {
        refuse(*failed);
    }
    LabelJob job;
    job.lines = lines;
    job.portrait = !args.has("landscape");
    job.centered = args.has("center");
    job.startPosition = std::get<LabelRange>(reparsed).start;
    job.labelCount = std::get<LabelRange>(reparsed).count;
    // A start outside the sheet keeps the slot as the window starts it.
    job.slot = entry.slot.value_or(kDefaultSlot);
    job.slotFromPrinter = true;
    output.print(context, labelsPlan(stock, job), copies);
    return kOk;
}

int runEnvelope(const Args& args, Context& context) {
    args.requirePositionals(0, "no file names (the lines come with --line)");
    const Lines lines = typedLines(args);
    const int size = args.intValue("size", 0, kEnvelopeSizes).value_or(0);
    const int copies = copiesOf(args);
    Output output(args, args.value("device-name").value_or(""));

    // Envelope chosen, its size taken from the list or by the Envelope option again.
    EnvelopeJob job;
    job.lines = lines;
    job.portrait = args.has("portrait");
    job.centered = args.has("center");
    job.bold = args.has("bold");
    job.largeFont = args.has("large");
    job.size = size;
    const auto slot =
        args.has("on-option") ? envelopeSlotReselected(size) : envelopeSlotPicked(size);
    job.slot = slot.value_or(kDefaultSlot);

    // Print: a parameter file that cannot be read is refused before the checks.
    readAdjustmentOrRefuse(context, kSectionEnvelope);
    PrintChoices choices;
    choices.lines = lines;
    choices.envelope = true;
    choices.envelopeSize = std::to_string(size);
    if (const auto failed = checkPrintCommand(choices)) {
        refuse(*failed);
    }
    output.print(context, envelopePlan(job), copies);
    return kOk;
}

int runReturnLabels(const Args& args, Context& context) {
    args.requirePositionals(0, "no file names (the lines come with --line)");
    const Lines lines = typedLines(args);
    const int copies = copiesOf(args);
    const LabelStock& stock = chosenStock(args, kReturnAddressSheet);
    Output output(args, "");
    if (const auto check = checkReturnLabelLines(lines)) {
        refuse(check->notice);
    }
    output.print(context,
                 returnLabelsPlan(stock, {lines[0], lines[1], lines[2]}, args.has("center")),
                 copies);
    return kOk;
}

int runCalibrate(const Args& args, Context& context) {
    if (args.positionals().size() != 1) {
        throw UsageError("one layout: labels, list-labels, return-labels or envelope");
    }
    const auto layout = calibrationLayoutNamed(args.positionals().front());
    if (!layout) {
        throw UsageError("no layout named " + args.positionals().front() +
                         " (labels, list-labels, return-labels, envelope)");
    }
    const int size = args.intValue("size", 1, kEnvelopeSizes).value_or(1);
    const CalibrationTarget own = calibrationTarget(*layout);
    if (own.stock == nullptr && args.has("stock")) {
        throw UsageError("an envelope has no stock (--size chooses it)");
    }
    const CalibrationTarget target =
        own.stock == nullptr ? own : calibrationTarget(*layout, &chosenStock(args, *own.stock));
    const Adjustment current = readAdjustmentOrRefuse(context, target.section);
    if (!args.has("right") && !args.has("down")) {
        Output output(args, args.value("device-name").value_or(""));
        output.print(context, calibrationPlan(*layout, target.stock, size));
        return kOk;
    }
    const auto distance = [&args](const char* name) {
        const auto text = args.value(name);
        if (!text) {
            return 0.0;
        }
        const auto points = parseDistance(*text);
        if (!points) {
            throw UsageError(std::string("--") + name +
                             " needs a distance with its unit: " + "0.05in, 1/16in or -1.5mm");
        }
        return *points;
    };
    const Adjustment wanted =
        calibratedAdjustment(target, current, distance("right"), distance("down"));
    try {
        storeAdjustment(parameterFilePath(context.appFolder), target, current, wanted);
    } catch (const std::exception&) {
        refuse(printerProblemNotice());
    }
    context.out << target.section << ": left " << current.left << " -> " << wanted.left
                << " columns, top " << current.top << " -> " << wanted.top << " lines\n";
    return kOk;
}

}  // namespace qm::cli
