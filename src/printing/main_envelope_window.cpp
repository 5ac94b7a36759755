// The main window's envelope options, the envelope job of the Print command, Clear Form and
// return-address labels.
#include "platform/messages.h"
#include "platform/qt_text.h"
#include "printing/envelope_layout.h"
#include "printing/return_labels.h"
#include "shell/main_window.h"

namespace {

void setSlot(frmDEdavu& w, const qm::EnvelopeSlot& slot) {
    w.txtLMLeftPad->setText(QString::number(slot.startColumn));
    w.txtLMToppad->setText(QString::number(slot.topLines));
}

std::array<std::string, 5> typedLines(const frmDEdavu& w) {
    return {qm::toCp(w.txtLMLine1->text()), qm::toCp(w.txtLMLine2->text()),
            qm::toCp(w.txtLMline3->text()), qm::toCp(w.txtLMLine4->text()),
            qm::toCp(w.txtLMLine5->text())};
}

// Return-address mode: only the return-address Print button prints, and the medium is
// fixed.
void enterReturnAddressMode(frmDEdavu& w) {
    w.cmdRetAddress->show();
    w.cmdLMStart->hide();
    w.optLMLabel->setEnabled(false);
    w.optLMEnvelope->setEnabled(false);
}

void leaveReturnAddressMode(frmDEdavu& w) {
    w.cmdLMStart->show();
    w.optLMLabel->setEnabled(true);
    w.optLMEnvelope->setEnabled(true);
    w.cmdRetAddress->hide();
}

// Prints every copy; on failure abandons the job and says so.
bool printReturnLabels(frmDEdavu& w, qm::PrinterSurface& surface,
                       const std::array<std::string, 5>& lines, int copies) {
    w.chkBold->setChecked(false);
    w.chkBold->hide();
    try {
        qm::printReturnLabelJob(surface, {lines[0], lines[1], lines[2]}, w.optLMCenter->isChecked(),
                                copies);
        return true;
    } catch (const std::exception&) {
        surface.killDoc();
        qm::showPrinterProblem(w.state().platform, &w);
        return false;
    }
}

}  // namespace

void frmDEdavu::envelopeClicked() {
    optLandscape->setChecked(true);
    cboLMEnvelope->show();
    lblLMPosition->clear();
    envelopeSize = QString::number(cboLMEnvelope->currentIndex() + 1);
    if (const auto slot = qm::envelopeSlotReselected(envelopeSize.toInt())) {
        setSlot(*this, *slot);
    }
    lblLMEnvSize->hide();
    txtLMLine1->setFocus();
}

void frmDEdavu::envelopeSizePicked(int index) {
    lblLMEnvSize->setText(cboLMEnvelope->itemText(index));
    envelopeSize = QString::number(index + 1);
    if (const auto slot = qm::envelopeSlotPicked(index + 1)) {
        setSlot(*this, *slot);
    }
    chkBold->show();
    chkLargeFont->show();
    cmdLMStart->setFocus();
}

qm::EnvelopeJob frmDEdavu::envelopeJob(int adjustLeft, int adjustTop) const {
    qm::EnvelopeJob job;
    job.lines = typedLines(*this);
    job.portrait = optPortrait->isChecked();
    job.centered = optLMCenter->isChecked();
    job.bold = chkBold->isChecked();
    job.largeFont = chkLargeFont->isChecked();
    job.leftPad = qm::toCp(txtLMLeftPad->text());
    job.topPad = qm::toCp(txtLMToppad->text());
    job.adjustLeft = adjustLeft;
    job.adjustTop = adjustTop;
    return job;
}

void frmDEdavu::clearForm() {
    for (QCheckBox* style : {chkBold, chkLargeFont}) {
        style->setChecked(false);
        style->hide();
    }
    leaveReturnAddressMode(*this);
    for (QLineEdit* line : {txtLMLine1, txtLMLine2, txtLMline3, txtLMLine4, txtLMLine5}) {
        line->clear();
    }
    startPosition = QStringLiteral("0");
    clearOptions(optLMLabel, optLMEnvelope);
    lblLMPosition->hide();
    cboLMEnvelope->hide();
    lblLMPosition->clear();
    envelopeSize = QStringLiteral("0");
    txtLMLeftPad->setText(QStringLiteral("2"));
    txtLMToppad->setText(QStringLiteral("3"));
    txtLMLine1->setFocus();
}

void frmDEdavu::returnAddressCommand() {
    qm::PlatformServices& platform = state_.platform;
    // Yes to "Completed" prints the same sheet again, from the first message on.
    for (;;) {
        platform.messageBox(
            this, QStringLiteral("Load printer with Avery 5167, 8167, or 18167 label stock"),
            QStringLiteral(
                "Prints 80 return address labels on Avery 5167 [1/2 inch x 1 3/4 inch] labels"),
            qm::MsgButtons::Ok, qm::MsgIcon::Information);

        const std::array<std::string, 5> lines = typedLines(*this);
        if (const auto check = qm::checkReturnLabelLines(lines)) {
            qm::beepNotice(platform, this, check->notice);
            if (check->problem == qm::ReturnLabelProblem::NoLines) {
                enterReturnAddressMode(*this);
            } else {
                txtLMLine4->setFocus();
            }
            return;
        }

        qm::PrintJob job = platform.printDialog(this, qm::PrintRequest{});
        if (job.cancelled()) {
            return;
        }
        if (!printReturnLabels(*this, *job.surface, lines, job.copies)) {
            return;
        }

        cmdRetAddress->hide();
        cmdLMStart->show();
        const qm::MsgAnswer again = platform.messageBox(
            this, QStringLiteral("Completed"),
            QStringLiteral("Done!  Do you want to print another page of Return Address Labels?"),
            qm::MsgButtons::YesNoCancel, qm::MsgIcon::None);
        if (again != qm::MsgAnswer::Yes) {
            optLMLabel->setEnabled(true);
            optLMEnvelope->setEnabled(true);
            return;
        }
    }
}
