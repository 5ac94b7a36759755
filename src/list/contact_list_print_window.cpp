// The contact list's two print commands: labels for every listed contact and the report.
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "app/print_runner.h"
#include "list/contact_list_window.h"
#include "list/contact_report.h"
#include "list/list_labels.h"
#include "list/listed_contacts.h"
#include "platform/qt_text.h"
#include "printing/label_stock.h"

void frmViewAll::printLabels() {
    runLabelsCommand(false);
}

void frmViewAll::previewLabels() {
    runLabelsCommand(true);
}

void frmViewAll::runLabelsCommand(bool preview) {
    // Read before the list is looked at, as the command always has.
    if (!qm::readPrintAdjustment(state_, this, qm::kSectionBulkList)) {
        return;
    }
    if (model_->rowCount() == 0) {
        state_.platform.messageBox(this, QString::fromLatin1(qm::kEmptyListTitle),
                                   QString::fromLatin1(qm::kEmptyListText));
        ui_.cmdViewAllClose->setFocus();
        return;
    }
    auto records = std::make_shared<std::vector<int>>();
    records->reserve(model_->entries().size());
    for (const qm::ListEntry& entry : model_->entries()) {
        records->push_back(entry.record);
    }
    // One reader serves the preview and the print: the list's first record starts it over.
    auto listed = std::make_shared<qm::ListedContacts>(state_.contacts(), *records);
    const auto contactAt = [records, listed](std::size_t i) { return (*listed)((*records)[i]); };
    qm::runPrintPlan(state_, this,
                     qm::listLabelsPlan(qm::kAddressSheet, records->size(), contactAt), preview);
    ui_.cmdViewAllClose->setFocus();
}

void frmViewAll::printReport() {
    runReportCommand(false);
}

void frmViewAll::previewReport() {
    runReportCommand(true);
}

void frmViewAll::runReportCommand(bool preview) {
    std::optional<qm::ReportSelection> selection;
    qm::ReportSelection chosen;
    chosen.lines = selectedLines();
    if (ui_.txtViewAllHeader->hasSelectedText() || !chosen.lines.empty()) {
        chosen.headingFocused = headingHasFocus();
        chosen.headingText = qm::toCore(ui_.txtViewAllHeader->selectedText());
        selection = std::move(chosen);
    }
    std::vector<std::string> lines;
    lines.reserve(model_->entries().size());
    for (const qm::ListEntry& entry : model_->entries()) {
        lines.push_back(entry.line);
    }
    qm::runPrintPlan(state_, this,
                     qm::contactReportPlan(std::move(lines), qm::toCore(state_.fileTitle()),
                                           std::move(selection)),
                     preview);
}
