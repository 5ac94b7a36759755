// The panel's envelope options, the envelope job of the Print command, Clear Form and
// return-address labels.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>

#include "app/print_runner.h"
#include "platform/messages.h"
#include "platform/qt_text.h"
#include "printing/envelope_layout.h"
#include "printing/label_stock.h"
#include "printing/return_labels.h"
#include "printing/typed_lines_panel_window.h"

namespace qm {

namespace {

void setSlot(PrintOptions& options, const EnvelopeSlot& slot) {
    options.leftPad = slot.startColumn;
    options.topPad = slot.topLines;
}

}  // namespace

void TypedLinesPanel::setReturnAddressMode(ReturnAddressMode mode) {
    returnAddressMode_ = mode;
    const std::array<QPushButton*, 2> printButtons = {ui_.cmdLMStart, ui_.cmdLMPreview};
    const std::array<QPushButton*, 2> returnButtons = {ui_.cmdRetAddress, ui_.cmdRetPreview};
    const bool returning = mode == ReturnAddressMode::On;
    // The buttons coming in show before the others hide, so the focus has a place to go.
    for (QPushButton* button : returning ? returnButtons : printButtons) {
        button->show();
    }
    for (QPushButton* button : returning ? printButtons : returnButtons) {
        button->hide();
    }
    const bool mediumFree = mode == ReturnAddressMode::Off;
    ui_.optLMLabel->setEnabled(mediumFree);
    ui_.optLMEnvelope->setEnabled(mediumFree);
}

void TypedLinesPanel::envelopeClicked() {
    ui_.optLandscape->setChecked(true);
    ui_.cboLMEnvelope->show();
    PrintOptions options = state_.printOptions();
    options.positionEntered = false;
    options.envelopeSize = ui_.cboLMEnvelope->currentIndex() + 1;
    if (const auto slot = envelopeSlotReselected(options.envelopeSize)) {
        setSlot(options, *slot);
    }
    state_.setPrintOptions(options);
    ui_.lblLMEnvSize->hide();
    ui_.txtLMLine1->setFocus();
}

void TypedLinesPanel::envelopeSizePicked(int index) {
    ui_.lblLMEnvSize->setText(ui_.cboLMEnvelope->itemText(index));
    PrintOptions options = state_.printOptions();
    options.envelopeSize = index + 1;
    if (const auto slot = envelopeSlotPicked(index + 1)) {
        setSlot(options, *slot);
    }
    state_.setPrintOptions(options);
    ui_.chkBold->show();
    ui_.chkLargeFont->show();
    ui_.cmdLMStart->setFocus();
}

EnvelopeJob TypedLinesPanel::envelopeJob() const {
    const PrintOptions& o = state_.printOptions();
    EnvelopeJob job;
    job.lines = typedLinesCp();
    job.portrait = o.portrait;
    job.centered = o.alignment == TextAlignment::Centered;
    job.bold = o.bold;
    job.largeFont = o.largeFont;
    job.slot = {o.leftPad, o.topPad};
    job.size = o.envelopeSize;
    return job;
}

void TypedLinesPanel::clearForm() {
    hideStyles();
    setReturnAddressMode(ReturnAddressMode::Off);
    state_.setTypedLines({});
    PrintOptions options = state_.printOptions();
    options.medium = PrintMedium::None;
    options.positionEntered = false;
    options.startPosition = 0;
    options.envelopeSize = 0;
    options.leftPad = kDefaultSlot.startColumn;
    options.topPad = kDefaultSlot.topLines;
    state_.setPrintOptions(options);
    ui_.lblLMPosition->hide();
    ui_.cboLMEnvelope->hide();
    ui_.txtLMLine1->setFocus();
}

void TypedLinesPanel::returnAddressCommand() {
    runReturnAddressCommand(false);
}

void TypedLinesPanel::returnAddressPreviewCommand() {
    runReturnAddressCommand(true);
}

void TypedLinesPanel::runReturnAddressCommand(bool preview) {
    PlatformServices& platform = state_.platform;
    // However the command ends once a sheet printed, the medium is free again: a second
    // sheet cancelled or failed must not leave it fixed with the return-address buttons gone.
    const auto freeMedium = qScopeGuard([this] {
        if (returnAddressMode_ == ReturnAddressMode::SheetPrinted) {
            setReturnAddressMode(ReturnAddressMode::Off);
        }
    });
    // Yes to "Completed" prints the same sheet again, from the first message on.
    for (;;) {
        platform.messageBox(
            this, tr("Load printer with Avery 5167, 8167, or 18167 label stock"),
            tr("Prints 80 return address labels on Avery 5167 [1/2 inch x 1 3/4 inch] labels"),
            MsgButtons::Ok, MsgIcon::Information);

        const std::array<std::string, 5> lines = typedLinesCp();
        if (const auto check = checkReturnLabelLines(lines)) {
            beepNotice(platform, this, check->notice);
            if (check->problem == ReturnLabelProblem::NoLines) {
                setReturnAddressMode(ReturnAddressMode::On);
            } else {
                ui_.txtLMLine4->setFocus();
            }
            return;
        }
        const bool centered = state_.printOptions().alignment == TextAlignment::Centered;
        const PrintOutcome outcome = runPrintPlan(
            state_, this,
            returnLabelsPlan(kReturnAddressSheet, {lines[0], lines[1], lines[2]}, centered),
            preview, [this] { switchOffBold(); });
        if (!outcome.printed) {
            return;
        }

        setReturnAddressMode(ReturnAddressMode::SheetPrinted);
        const MsgAnswer again = platform.messageBox(
            this, tr("Completed"),
            tr("Done!  Do you want to print another page of Return Address Labels?"),
            MsgButtons::YesNoCancel, MsgIcon::None);
        if (again != MsgAnswer::Yes) {
            return;
        }
    }
}

}  // namespace qm
