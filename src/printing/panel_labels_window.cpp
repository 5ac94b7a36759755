// The panel's label stock and Print command: position entry, checks, and the label or
// envelope plan run through the print dialog or the preview.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "app/print_runner.h"
#include "platform/messages.h"
#include "platform/qt_text.h"
#include "printing/envelope_layout.h"
#include "printing/label_sheet.h"
#include "printing/label_stock.h"
#include "printing/print_command.h"
#include "printing/print_rules.h"
#include "printing/typed_lines_panel_window.h"

namespace qm {

namespace {

// The typed lines' labels print on the 30-up sheet.
const LabelStock& kTypedLineStock = kAddressSheet;

void takeLabelRange(PrintOptions& options, const LabelRange& range) {
    options.startPosition = range.start;
    options.labelCount = range.count;
}

PrintChoices printChoices(const PrintOptions& o, const std::array<std::string, 5>& lines) {
    PrintChoices choices;
    choices.lines = lines;
    choices.labelStock = o.medium == PrintMedium::LabelStock;
    choices.envelope = o.medium == PrintMedium::Envelope;
    choices.envelopeSize = std::to_string(o.envelopeSize);
    choices.alignmentChosen = o.alignment != TextAlignment::None;
    return choices;
}

LabelJob labelJobOf(const PrintOptions& o, const std::array<std::string, 5>& lines) {
    LabelJob job;
    job.lines = lines;
    job.portrait = o.portrait;
    job.centered = o.alignment == TextAlignment::Centered;
    job.startPosition = o.startPosition;
    job.labelCount = o.labelCount;
    job.slot = {o.leftPad, o.topPad};
    return job;
}

}  // namespace

void TypedLinesPanel::labelStockClicked() {
    PlatformServices& platform = state_.platform;
    const QString most = QString::number(kTypedLineStock.sheet.labels());
    while (true) {
        ui_.optPortrait->setChecked(true);
        hideStyles();
        ui_.cboLMEnvelope->hide();
        ui_.lblLMEnvSize->clear();
        PrintOptions asking = state_.printOptions();
        asking.positionEntered = false;
        state_.setPrintOptions(asking);

        const QString answer = platform.inputBox(
            this, tr("Label position reading L to R"),
            tr("Enter the label position [a number between 1 and %1] on which to "
               "print.  Example: label position 5 would be the middle label on the "
               "2nd row of label sheet.  To print multiple labels, enter a range "
               "such as 4-9, 15-18, etc.  To print an entire sheet, enter 1-%1.")
                .arg(most),
            QStringLiteral("1"));
        const auto taken = enterLabelPosition(kTypedLineStock, toCore(answer));
        if (const auto* failed = std::get_if<Notice>(&taken)) {
            beepNotice(platform, this, *failed);
            continue;
        }
        const auto& entry = std::get<PositionEntry>(taken);
        PrintOptions options = state_.printOptions();
        options.positionRange = fromCore(entry.positionRange);
        takeLabelRange(options, entry.range);
        if (entry.slot) {
            options.leftPad = entry.slot->startColumn;
            options.topPad = entry.slot->topLines;
        }
        options.positionEntered = entry.selectsLabelStock;
        if (!entry.selectsLabelStock) {
            options.medium = PrintMedium::None;
            options.leftPad = kDefaultSlot.startColumn;
            options.topPad = kDefaultSlot.topLines;
        }
        state_.setPrintOptions(options);
        if (entry.selectsLabelStock) {
            ui_.cmdLMStart->setFocus();
        } else {
            ui_.lblLMPosition->hide();
        }
        return;
    }
}

void TypedLinesPanel::printCommand() {
    runPrintCommand(false);
}

void TypedLinesPanel::previewCommand() {
    runPrintCommand(true);
}

// Print and Preview: the same checks and messages in the same order, then the print dialog
// or the preview, and the same plan.
void TypedLinesPanel::runPrintCommand(bool preview) {
    PlatformServices& platform = state_.platform;
    // Both adjustments are read before any check, as the command always has: a parameter
    // file it cannot read is the printer problem whatever else is wrong.
    if (!readPrintAdjustment(state_, this, kSectionOnTheFly) ||
        !readPrintAdjustment(state_, this, kSectionEnvelope)) {
        return;
    }
    const std::array<std::string, 5> lines = typedLinesCp();
    if (const auto failed = checkPrintCommand(printChoices(state_.printOptions(), lines))) {
        beepNotice(platform, this, *failed);
        return;
    }
    const bool labels = state_.printOptions().medium == PrintMedium::LabelStock;
    if (!labels) {
        runPrintPlan(state_, this, envelopePlan(envelopeJob()), preview);
        return;
    }
    bool reparsed = false;
    if (state_.printOptions().positionEntered) {
        const auto parsed = parseLabelRange(toCore(state_.printOptions().positionRange));
        if (const auto* failed = std::get_if<Notice>(&parsed)) {
            beepNotice(platform, this, *failed);
            return;
        }
        PrintOptions options = state_.printOptions();
        takeLabelRange(options, std::get<LabelRange>(parsed));
        state_.setPrintOptions(options);
        reparsed = true;
    }
    LabelJob job = labelJobOf(state_.printOptions(), lines);
    job.slotFromPrinter = reparsed;
    const PrintOutcome outcome = runPrintPlan(state_, this, labelsPlan(kTypedLineStock, job),
                                              preview, [this] { switchOffBold(); });
    if (outcome.printed) {
        // Every copy started again from the range's first position and its slot.
        const LabelPlace end =
            labelJobEnd(kTypedLineStock, job, isListedPrinter(outcome.deviceName));
        PrintOptions options = state_.printOptions();
        options.startPosition = end.position;
        options.leftPad = end.slot.startColumn;
        options.topPad = end.slot.topLines;
        state_.setPrintOptions(options);
    }
}

}  // namespace qm
