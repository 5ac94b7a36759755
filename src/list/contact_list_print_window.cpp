// The contact list's two print commands: labels for every listed contact and the report.
#include <QFile>
#include <QLineEdit>

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
        cmdViewAllClose->setFocus();
        return;
    }
    qm::PrintJob job = state_.platform.printDialog(this, qm::PrintRequest{});
    if (job.cancelled()) {
        return;
    }
    std::vector<int> records;
    records.reserve(model_->entries().size());
    for (const qm::ListEntry& entry : model_->entries()) {
        records.push_back(entry.record);
    }
    qm::PrinterSurface& surface = *job.surface;
    try {
        qm::ListedContacts listed(state_.contacts, records);
        const auto readContact = [&listed](int record) { return listed(record); };
        qm::printListLabelCopies(surface, records, readContact, adjustment, job.copies);
    } catch (const qm::QmError&) {
        surface.killDoc();
        qm::showPrinterProblem(state_.platform, this);
    }
    cmdViewAllClose->setFocus();
}

void frmViewAll::printReport() {
    const bool headingChosen = headingHasFocus();
    const std::vector<std::string> chosenLines = selectedLines();
    qm::PrintRequest request;
    request.allowSelection = txtViewAllHeader->hasSelectedText() || !chosenLines.empty();
    request.orientation = qm::kLandscape;
    request.pageCount = qm::reportPageCount(model_->entries().size());
    qm::PrintJob job = state_.platform.printDialog(this, request);
    if (job.cancelled()) {
        return;
    }
    qm::PrinterSurface& surface = *job.surface;
    try {
        qm::setListPrintFont(surface);
        if (job.selection) {
            if (headingChosen) {
                qm::printSelectedHeadingText(surface, qm::toCp(txtViewAllHeader->selectedText()));
            } else {
                qm::printSelectedLines(surface, chosenLines);
            }
            surface.endDoc();
            return;
        }
        std::vector<std::string> lines;
        lines.reserve(model_->entries().size());
        for (const qm::ListEntry& entry : model_->entries()) {
            lines.push_back(entry.line);
        }
        const std::string title = qm::toCp(state_.fileTitle());
        qm::printContactReportCopies(surface, lines, title, job.copies);
    } catch (const qm::QmError&) {
        surface.killDoc();
        qm::showPrinterProblem(state_.platform, this);
    }
}
