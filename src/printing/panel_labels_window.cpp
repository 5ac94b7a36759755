// The panel's label stock and Print command: position entry, checks, print dialog, copies
// and the label or envelope job.
#include <QFile>

#include "platform/messages.h"
#include "platform/qt_text.h"
#include "printing/label_sheet.h"
#include "printing/print_command.h"
#include "printing/typed_lines_panel_window.h"
#include "records/parameter_file.h"
#include "records/text_rules.h"
#include "shell/app_folder.h"

namespace qm {

namespace {

std::string parameterFilePath(const AppState& state) {
    return QFile::encodeName(state.appFile(QString::fromLatin1(kParameterFileName))).toStdString();
}

// A position text of the label jobs as a number; they only ever hold whole numbers.
int positionNumber(const std::string& text) {
    return cint(numberValue(text));
}

void takeLabelRange(PrintOptions& options, const LabelRange& range) {
    options.startPosition = positionNumber(range.start);
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
    job.startPosition = std::to_string(o.startPosition);
    job.labelCount = o.labelCount;
    job.leftPad = std::to_string(o.leftPad);
    job.topPad = std::to_string(o.topPad);
    return job;
}

}  // namespace

void TypedLinesPanel::labelStockClicked() {
    PlatformServices& platform = state_.platform;
    while (true) {
        optPortrait->setChecked(true);
        for (QCheckBox* style : {chkBold, chkLargeFont}) {
            style->setChecked(false);
            style->hide();
        }
        cboLMEnvelope->hide();
        lblLMEnvSize->clear();
        lblLMPosition->clear();

        const QString answer = platform.inputBox(
            this, tr("Label position reading L to R"),
            tr("Enter the label position [a number between 1 and 30] on which to "
               "print.  Example: label position 5 would be the middle label on the "
               "2nd row of label sheet.  To print multiple labels, enter a range "
               "such as 4-9, 15-18, etc.  To print an entire sheet, enter 1-30."),
            QStringLiteral("1"));
        const auto taken = enterLabelPosition(toCp(answer));
        if (const auto* failed = std::get_if<Notice>(&taken)) {
            beepNotice(platform, this, *failed);
            continue;
        }
        const auto& entry = std::get<PositionEntry>(taken);
        PrintOptions options = state_.printOptions();
        options.positionRange = fromCp(entry.positionRange);
        takeLabelRange(options, entry.range);
        if (entry.slot) {
            options.leftPad = entry.slot->startColumn;
            options.topPad = entry.slot->topLines;
        }
        state_.setPrintOptions(options);
        if (entry.selectsLabelStock) {
            lblLMPosition->setText(tr("Label Position ") + options.positionRange);
            lblLMPosition->show();
            cmdLMStart->setFocus();
        } else {
            lblLMPosition->clear();
            lblLMPosition->hide();
            clearOptions(optLMLabel, optLMEnvelope);
            setPads(2, 3);
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
// or the preview, and the same job.
void TypedLinesPanel::runPrintCommand(bool preview) {
    PlatformServices& platform = state_.platform;
    Adjustment onTheFly;
    Adjustment envelope;
    bool reparsed = false;
    try {
        const std::string params = parameterFilePath(state_);
        onTheFly = readAdjustment(params, kSectionOnTheFly);
        envelope = readAdjustment(params, kSectionEnvelope);

        const std::array<std::string, 5> lines = typedLinesCp();
        if (const auto failed = checkPrintCommand(printChoices(state_.printOptions(), lines))) {
            beepNotice(platform, this, *failed);
            return;
        }
        const bool labels = state_.printOptions().medium == PrintMedium::LabelStock;
        if (labels && !lblLMPosition->text().isEmpty()) {
            const auto parsed = parseLabelRange(toCp(state_.printOptions().positionRange));
            if (const auto* failed = std::get_if<Notice>(&parsed)) {
                beepNotice(platform, this, *failed);
                return;
            }
            PrintOptions options = state_.printOptions();
            takeLabelRange(options, std::get<LabelRange>(parsed));
            state_.setPrintOptions(options);
            reparsed = true;
        }
    } catch (const std::exception&) {
        showPrinterProblem(platform, this);
        return;
    }

    const bool labels = state_.printOptions().medium == PrintMedium::LabelStock;
    LabelJob labelJob = labelJobOf(state_.printOptions(), typedLinesCp());
    labelJob.adjust = onTheFly;
    const EnvelopeJob envelopeJobNow = envelopeJob(envelope.left, envelope.top);
    const PrintSetup paper = labels ? labelJobPaper(labelJob) : envelopeJobPaper(envelopeJobNow);
    PrintRequest request;
    request.orientation = paper.orientation;
    request.paper = paper.paper;

    PreviewableJob job;
    job.pages = [labels, labelJob, envelopeJobNow, reparsed](PrinterSurface& surface, int copies,
                                                             bool) {
        surface.setFont("Courier New");
        surface.setFontSize(10);
        if (labels) {
            printLabelCopies(surface, labelJob, reparsed, copies);
        } else {
            printEnvelopeCopies(surface, envelopeJobNow, copies);
        }
    };
    job.print = [this, labels, labelJob, envelopeJobNow, reparsed](PrintJob& printJob) {
        printTypedLines(printJob, labels, labelJob, envelopeJobNow, reparsed);
    };
    if (preview) {
        platform.printPreview(this, request, job);
        return;
    }
    PrintJob printJob = platform.printDialog(this, request);
    if (!printJob.cancelled()) {
        job.print(printJob);
    }
}

void TypedLinesPanel::printTypedLines(PrintJob& job, bool labels, const LabelJob& labelJob,
                                      const EnvelopeJob& envelopeJob, bool reparsed) {
    try {
        PrinterSurface& surface = *job.surface;
        surface.setFont("Courier New");
        surface.setFontSize(10);
        if (!labels) {
            printEnvelopeCopies(surface, envelopeJob, job.copies);
            return;
        }
        chkBold->setChecked(false);
        chkBold->hide();
        // Every copy starts again from the range's first position and its slot.
        const LabelJobEnd end = printLabelCopies(surface, labelJob, reparsed, job.copies);
        PrintOptions options = state_.printOptions();
        options.startPosition = positionNumber(end.startPosition);
        options.leftPad = positionNumber(end.leftPad);
        options.topPad = positionNumber(end.topPad);
        state_.setPrintOptions(options);
    } catch (const std::exception&) {
        // Whatever failed, the job in hand is abandoned.
        try {
            job.surface->killDoc();
        } catch (const std::exception&) {
            // A printer that cannot even abandon the job gets the same message.
        }
        showPrinterProblem(state_.platform, this);
    }
}

}  // namespace qm
