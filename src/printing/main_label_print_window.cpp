// The main window's Print command and label stock: position entry, checks, print dialog,
// copies and the label job; and the Margins menu.
#include <QFile>

#include "platform/messages.h"
#include "platform/qt_text.h"
#include "printing/label_sheet.h"
#include "printing/margins.h"
#include "printing/print_command.h"
#include "records/parameter_file.h"
#include "records/text_rules.h"
#include "shell/app_folder.h"
#include "shell/main_window.h"

namespace {

std::string parameterFilePath(const qm::AppState& state) {
    return QFile::encodeName(state.appFile(QString::fromLatin1(qm::kParameterFileName)))
        .toStdString();
}

QString slotText(int value) {
    return QString::number(value);
}

// Asks one margin question until the answer is empty or will do.
QString askMarginAnswer(qm::PlatformServices& platform, QWidget* parent, qm::MarginAxis axis) {
    while (true) {
        const QString answer =
            platform.inputBox(parent, qm::fromCp(qm::marginQuestionTitle(axis)),
                              qm::fromCp(qm::marginQuestionPrompt(axis)), QString());
        if (answer.isEmpty()) {
            return answer;
        }
        const auto failed = qm::checkMarginAnswer(qm::toCp(answer), axis);
        if (!failed) {
            return answer;
        }
        qm::showNotice(platform, parent, *failed);
    }
}

void takeLabelRange(frmDEdavu& w, const qm::LabelRange& range) {
    w.startPosition = qm::fromCp(range.start);
    if (range.end) {
        w.endPosition = qm::fromCp(*range.end);
    }
    w.labelCount = range.count;
}

qm::PrintChoices printChoices(const frmDEdavu& w) {
    qm::PrintChoices choices;
    choices.lines = {qm::toCp(w.txtLMLine1->text()), qm::toCp(w.txtLMLine2->text()),
                     qm::toCp(w.txtLMline3->text()), qm::toCp(w.txtLMLine4->text()),
                     qm::toCp(w.txtLMLine5->text())};
    choices.labelStock = w.optLMLabel->isChecked();
    choices.envelope = w.optLMEnvelope->isChecked();
    choices.envelopeSize = qm::toCp(w.envelopeSize);
    choices.alignmentChosen = w.optLMLeftjust->isChecked() || w.optLMCenter->isChecked();
    return choices;
}

qm::LabelJob labelJobFromControls(const frmDEdavu& w) {
    qm::LabelJob job;
    job.lines = {qm::toCp(w.txtLMLine1->text()), qm::toCp(w.txtLMLine2->text()),
                 qm::toCp(w.txtLMline3->text()), qm::toCp(w.txtLMLine4->text()),
                 qm::toCp(w.txtLMLine5->text())};
    job.portrait = w.optPortrait->isChecked();
    job.centered = w.optLMCenter->isChecked();
    job.startPosition = qm::toCp(w.startPosition);
    job.labelCount = w.labelCount;
    job.leftPad = qm::toCp(w.txtLMLeftPad->text());
    job.topPad = qm::toCp(w.txtLMToppad->text());
    return job;
}

}  // namespace

void frmDEdavu::labelStockClicked() {
    qm::PlatformServices& platform = state_.platform;
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
            this, QStringLiteral("Label position reading L to R"),
            QStringLiteral("Enter the label position [a number between 1 and 30] on which to "
                           "print.  Example: label position 5 would be the middle label on the "
                           "2nd row of label sheet.  To print multiple labels, enter a range "
                           "such as 4-9, 15-18, etc.  To print an entire sheet, enter 1-30."),
            QStringLiteral("1"));
        const auto taken = qm::enterLabelPosition(qm::toCp(answer));
        if (const auto* failed = std::get_if<qm::Notice>(&taken)) {
            qm::beepNotice(platform, this, *failed);
            continue;
        }
        const auto& entry = std::get<qm::PositionEntry>(taken);
        positionRange = qm::fromCp(entry.positionRange);
        takeLabelRange(*this, entry.range);
        if (entry.slot) {
            txtLMLeftPad->setText(slotText(entry.slot->startColumn));
            txtLMToppad->setText(slotText(entry.slot->topLines));
        }
        if (entry.selectsLabelStock) {
            lblLMPosition->setText(QStringLiteral("Label Position ") + positionRange);
            lblLMPosition->show();
            cmdLMStart->setFocus();
        } else {
            lblLMPosition->clear();
            lblLMPosition->hide();
            clearOptions(optLMLabel, optLMEnvelope);
            txtLMLeftPad->setText(QStringLiteral("2"));
            txtLMToppad->setText(QStringLiteral("3"));
        }
        return;
    }
}

void frmDEdavu::printCommand() {
    qm::PlatformServices& platform = state_.platform;
    qm::PrintJob job;
    try {
        const std::string params = parameterFilePath(state_);
        const qm::Adjustment onTheFly = qm::readAdjustment(params, qm::kSectionOnTheFly);
        const qm::Adjustment envelope = qm::readAdjustment(params, qm::kSectionEnvelope);

        if (const auto failed = qm::checkPrintCommand(printChoices(*this))) {
            qm::beepNotice(platform, this, *failed);
            return;
        }
        const bool labels = optLMLabel->isChecked();
        bool reparsed = false;
        if (labels && !lblLMPosition->text().isEmpty()) {
            const auto parsed = qm::parseLabelRange(qm::toCp(positionRange));
            if (const auto* failed = std::get_if<qm::Notice>(&parsed)) {
                qm::beepNotice(platform, this, *failed);
                return;
            }
            takeLabelRange(*this, std::get<qm::LabelRange>(parsed));
            reparsed = true;
        }

        job = platform.printDialog(
            this,
            qm::PrintRequest{false, optPortrait->isChecked() ? qm::kPortrait : qm::kLandscape, 0});
        if (job.cancelled()) {
            return;
        }
        qm::PrinterSurface& surface = *job.surface;
        surface.setFont("Courier New");
        surface.setFontSize(10);

        if (!labels) {
            qm::printEnvelopeCopies(surface, envelopeJob(envelope.left, envelope.top), job.copies);
            return;
        }
        qm::LabelJob labelJob = labelJobFromControls(*this);
        labelJob.adjust = onTheFly;
        chkBold->setChecked(false);
        chkBold->hide();
        // Every copy starts again from the range's first position and its slot.
        const qm::LabelJobEnd end = qm::printLabelCopies(surface, labelJob, reparsed, job.copies);
        startPosition = qm::fromCp(end.startPosition);
        txtLMLeftPad->setText(qm::fromCp(end.leftPad));
        txtLMToppad->setText(qm::fromCp(end.topPad));
    } catch (const std::exception&) {
        // Whatever failed (the parameter file included), the job in hand is abandoned.
        if (job.surface) {
            try {
                job.surface->killDoc();
            } catch (const std::exception&) {
                // A printer that cannot even abandon the job gets the same message.
            }
        }
        qm::showPrinterProblem(platform, this);
    }
}

void frmDEdavu::adjustMargins(const char* section) {
    qm::PlatformServices& platform = state_.platform;
    platform.messageBox(this, QStringLiteral("Left margin adjustment"),
                        qm::fromCp(qm::marginExplanation(section, qm::MarginAxis::LeftRight)),
                        qm::MsgButtons::Ok, qm::MsgIcon::None);
    const QString left = askMarginAnswer(platform, this, qm::MarginAxis::LeftRight);
    if (!left.isEmpty()) {
        platform.messageBox(this, QStringLiteral("Top margin adjustment"),
                            qm::fromCp(qm::marginExplanation(section, qm::MarginAxis::DownUp)),
                            qm::MsgButtons::Ok, qm::MsgIcon::None);
    }
    const QString top = askMarginAnswer(platform, this, qm::MarginAxis::DownUp);

    try {
        qm::addToAdjustment(parameterFilePath(state_), section, qm::toCp(left), qm::toCp(top));
    } catch (const qm::QmError& error) {
        if (qm::showCommonError(platform, this, error) == qm::MsgAnswer::Retry) {
            fileClose();
        } else {
            close();
        }
        return;
    }

    if (left.isEmpty() && top.isEmpty()) {
        platform.messageBox(this, QStringLiteral("Margins not adjusted"),
                            QStringLiteral("No margin adjustment made."), qm::MsgButtons::Ok,
                            qm::MsgIcon::None);
    } else {
        platform.messageBox(
            this, QStringLiteral("Margin adjustment completed"),
            QStringLiteral("D O N E !  Margin(s) for on-the-fly labels adjusted successfully."),
            qm::MsgButtons::Ok, qm::MsgIcon::None);
    }
}
