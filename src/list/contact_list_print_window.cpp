// The contact list's two print commands: labels for every listed contact and the report.
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "list/contact_list_window.h"
#include "list/contact_report.h"
#include "list/list_printing.h"
#include "list/listed_contacts.h"
#include "platform/messages.h"
#include "platform/qt_text.h"
#include "records/parameter_file.h"
#include "shell/app_folder.h"

namespace {

qm::Adjustment readSearchResultAdjustment(const qm::AppState& state) {
    const QString path = state.appFile(QString::fromLatin1(qm::kParameterFileName));
    return qm::readAdjustment(QFile::encodeName(path).toStdString(), qm::kSectionBulkList);
}

}  // namespace

void frmViewAll::printLabels() {
    runLabelsCommand(false);
}

void frmViewAll::previewLabels() {
    runLabelsCommand(true);
}

void frmViewAll::runLabelsCommand(bool preview) {
    qm::Adjustment adjustment;
    try {
        adjustment = readSearchResultAdjustment(state_);
    } catch (const qm::QmError&) {
        qm::showPrinterProblem(state_.platform, this);
        return;
    }
    if (model_->rowCount() == 0) {
        state_.platform.messageBox(this, QString::fromLatin1(qm::kEmptyListTitle),
                                   QString::fromLatin1(qm::kEmptyListText));
        ui_.cmdViewAllClose->setFocus();
        return;
    }
    std::vector<int> records;
    records.reserve(model_->entries().size());
    for (const qm::ListEntry& entry : model_->entries()) {
        records.push_back(entry.record);
    }
    qm::PreviewableJob job;
    job.pages = [this, records, adjustment](qm::PrinterSurface& surface, int copies, bool) {
        qm::ListedContacts listed(state_.contacts(), records);
        const auto readContact = [&listed](int record) { return listed(record); };
        qm::printListLabelCopies(surface, records, readContact, adjustment, copies);
    };
    job.print = [this, &job](qm::PrintJob& printJob) {
        try {
            job.pages(*printJob.surface, printJob.copies, false);
        } catch (const qm::QmError&) {
            printJob.surface->killDoc();
            qm::showPrinterProblem(state_.platform, this);
        }
    };
    const qm::PrintRequest request{.orientation = qm::listLabelPaper().orientation,
                                   .paper = qm::listLabelPaper().paper};
    if (preview) {
        state_.platform.printPreview(this, request, job);
    } else if (qm::PrintJob printJob = state_.platform.printDialog(this, request);
               !printJob.cancelled()) {
        job.print(printJob);
    }
    ui_.cmdViewAllClose->setFocus();
}

void frmViewAll::printReport() {
    runReportCommand(false);
}

void frmViewAll::previewReport() {
    runReportCommand(true);
}

void frmViewAll::runReportCommand(bool preview) {
    const bool headingChosen = headingHasFocus();
    const std::vector<std::string> chosenLines = selectedLines();
    const std::string heading = qm::toCp(ui_.txtViewAllHeader->selectedText());
    qm::PrintRequest request;
    request.allowSelection = ui_.txtViewAllHeader->hasSelectedText() || !chosenLines.empty();
    request.orientation = qm::contactReportPaper().orientation;
    request.paper = qm::contactReportPaper().paper;
    request.pageCount = qm::reportPageCount(model_->entries().size());
    std::vector<std::string> lines;
    lines.reserve(model_->entries().size());
    for (const qm::ListEntry& entry : model_->entries()) {
        lines.push_back(entry.line);
    }
    const std::string title = qm::toCp(state_.fileTitle());

    qm::PreviewableJob job;
    job.pages = [=](qm::PrinterSurface& surface, int copies, bool selection) {
        qm::setListPrintFont(surface);
        if (selection) {
            surface.setPaperSize(qm::contactReportPaper().paper);
            surface.setOrientation(qm::contactReportPaper().orientation);
            if (headingChosen) {
                qm::printSelectedHeadingText(surface, heading);
            } else {
                qm::printSelectedLines(surface, chosenLines);
            }
            surface.endDoc();
            surface.endJob();
            return;
        }
        qm::printContactReportCopies(surface, lines, title, copies);
    };
    job.print = [this, &job](qm::PrintJob& printJob) {
        try {
            job.pages(*printJob.surface, printJob.copies, printJob.selection);
        } catch (const qm::QmError&) {
            printJob.surface->killDoc();
            qm::showPrinterProblem(state_.platform, this);
        }
    };
    if (preview) {
        state_.platform.printPreview(this, request, job);
        return;
    }
    qm::PrintJob printJob = state_.platform.printDialog(this, request);
    if (!printJob.cancelled()) {
        job.print(printJob);
    }
}
