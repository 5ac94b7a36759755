// The panel's envelope options, the envelope job of the Print command, Clear Form and
// return-address labels.
#include "app/print_runner.h"
#include "platform/messages.h"
#include "platform/qt_text.h"
#include "printing/envelope_layout.h"
#include "printing/label_stock.h"
#include "printing/return_labels.h"
#include "printing/stock_chooser_window.h"
#include "printing/typed_lines_panel_window.h"

namespace qm {

namespace {

void setSlot(PrintOptions& options, const EnvelopeSlot& slot) {
    options.leftPad = slot.startColumn;
    options.topPad = slot.topLines;
}

}  // namespace

// Return-address mode: only the return-address Print button prints, and the medium is
// fixed.
void TypedLinesPanel::enterReturnAddressMode() {
    cmdRetAddress->show();
    cmdRetPreview->show();
    cmdLMStart->hide();
    cmdLMPreview->hide();
    optLMLabel->setEnabled(false);
    optLMEnvelope->setEnabled(false);
}

void TypedLinesPanel::leaveReturnAddressMode() {
    cmdLMStart->show();
    cmdLMPreview->show();
    optLMLabel->setEnabled(true);
    optLMEnvelope->setEnabled(true);
    cmdRetAddress->hide();
    cmdRetPreview->hide();
}

void TypedLinesPanel::envelopeClicked() {
    optLandscape->setChecked(true);
    cboLMEnvelope->show();
    lblLMPosition->clear();
    PrintOptions options = state_.printOptions();
    options.envelopeSize = cboLMEnvelope->currentIndex() + 1;
    if (const auto slot = envelopeSlotReselected(options.envelopeSize)) {
        setSlot(options, *slot);
    }
    state_.setPrintOptions(options);
    lblLMEnvSize->hide();
    txtLMLine1->setFocus();
}

void TypedLinesPanel::envelopeSizePicked(int index) {
    lblLMEnvSize->setText(cboLMEnvelope->itemText(index));
    PrintOptions options = state_.printOptions();
    options.envelopeSize = index + 1;
    if (const auto slot = envelopeSlotPicked(index + 1)) {
        setSlot(options, *slot);
    }
    state_.setPrintOptions(options);
    chkBold->show();
    chkLargeFont->show();
    cmdLMStart->setFocus();
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
    for (QCheckBox* style : {chkBold, chkLargeFont}) {
        style->setChecked(false);
        style->hide();
    }
    leaveReturnAddressMode();
    state_.setTypedLines({});
    clearOptions(optLMLabel, optLMEnvelope);
    lblLMPosition->hide();
    cboLMEnvelope->hide();
    lblLMPosition->clear();
    PrintOptions options = state_.printOptions();
    options.startPosition = 0;
    options.envelopeSize = 0;
    options.leftPad = kDefaultSlot.startColumn;
    options.topPad = kDefaultSlot.topLines;
    state_.setPrintOptions(options);
    txtLMLine1->setFocus();
}

void TypedLinesPanel::returnAddressCommand() {
    runReturnAddressCommand(false);
}

void TypedLinesPanel::returnAddressPreviewCommand() {
    runReturnAddressCommand(true);
}

void TypedLinesPanel::runReturnAddressCommand(bool preview) {
    PlatformServices& platform = state_.platform;
    // Yes to "Completed" prints the same sheet again, from the first message on.
    for (;;) {
        const LabelStock& stock = returnStock->stock();
        if (&stock == &kReturnAddressSheet) {
            platform.messageBox(
                this, tr("Load printer with Avery 5167, 8167, or 18167 label stock"),
                tr("Prints 80 return address labels on Avery 5167 [1/2 inch x 1 3/4 inch] labels"),
                MsgButtons::Ok, MsgIcon::Information);
        } else {
            const QString name = QString::fromStdString(std::string(stock.name));
            platform.messageBox(this, tr("Load printer with %1 label stock").arg(name),
                                tr("Prints %1 return address labels on %2 [%3] labels")
                                    .arg(stock.sheet.labels())
                                    .arg(name, QString::fromStdString(labelSizeText(stock))),
                                MsgButtons::Ok, MsgIcon::Information);
        }

        const std::array<std::string, 5> lines = typedLinesCp();
        if (const auto check = checkReturnLabelLines(lines)) {
            beepNotice(platform, this, check->notice);
            if (check->problem == ReturnLabelProblem::NoLines) {
                enterReturnAddressMode();
            } else {
                txtLMLine4->setFocus();
            }
            return;
        }
        const bool centered = state_.printOptions().alignment == TextAlignment::Centered;
        const PrintOutcome outcome = runPrintPlan(
            state_, this, returnLabelsPlan(stock, {lines[0], lines[1], lines[2]}, centered),
            preview, [this] {
                chkBold->setChecked(false);
                chkBold->hide();
            });
        if (!outcome.printed) {
            return;
        }

        cmdRetAddress->hide();
        cmdRetPreview->hide();
        cmdLMStart->show();
        cmdLMPreview->show();
        const MsgAnswer again = platform.messageBox(
            this, tr("Completed"),
            tr("Done!  Do you want to print another page of Return Address Labels?"),
            MsgButtons::YesNoCancel, MsgIcon::None);
        if (again != MsgAnswer::Yes) {
            optLMLabel->setEnabled(true);
            optLMEnvelope->setEnabled(true);
            return;
        }
    }
}

}  // namespace qm
