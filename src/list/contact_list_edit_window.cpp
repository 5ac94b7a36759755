// Selection and the clipboard on the contact list, and opening a listed contact in the
// contact browser. The clipboard only changes what the list shows, never the contact file.
#include <QAction>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <algorithm>

#include "contacts/contact_browser_open.h"
#include "list/contact_list_window.h"
#include "platform/messages.h"
#include "platform/qt_text.h"

bool frmViewAll::headingHasFocus() const {
    return focusWidget() == ui_.txtViewAllHeader;
}

std::vector<int> frmViewAll::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : ui_.lstAllContacts->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<std::string> frmViewAll::selectedLines() const {
    std::vector<std::string> lines;
    for (int row : selectedRows()) {
        lines.push_back(model_->entry(row).line);
    }
    return lines;
}

void frmViewAll::editMenuOpening() {
    ui_.mnuVAEditCut->setEnabled(true);
    ui_.mnuVAEditCopy->setEnabled(true);
    if (headingHasFocus() && !ui_.txtViewAllHeader->hasSelectedText()) {
        ui_.mnuVAEditCut->setEnabled(false);
        ui_.mnuVAEditCopy->setEnabled(false);
    }
}

void frmViewAll::copyCommand() {
    state_.platform.clearClipboard();
    const QString text = headingHasFocus()
                             ? ui_.txtViewAllHeader->selectedText()
                             : qm::fromCore(qm::clipboardTextOfLines(selectedLines()));
    state_.platform.setClipboardText(text);
}

void frmViewAll::cutCommand() {
    copyCommand();
    if (headingHasFocus()) {
        // Only the selected text goes; without a selection nothing does.
        ui_.txtViewAllHeader->insert(QString());
        return;
    }
    // The count of contacts found stays as it was.
    model_->removeRows(selectedRows());
}

void frmViewAll::pasteCommand() {
    const QString text = state_.platform.clipboardText();
    if (headingHasFocus()) {
        ui_.txtViewAllHeader->insert(text);
        return;
    }
    std::vector<qm::ListEntry> lines;
    for (std::string& line : qm::splitPastedLines(qm::toCore(text))) {
        lines.push_back(qm::ListEntry{std::move(line), 0});
    }
    model_->addLines(std::move(lines));
}

void frmViewAll::selectAllCommand() {
    if (headingHasFocus()) {
        ui_.txtViewAllHeader->setFocus();
        ui_.txtViewAllHeader->selectAll();
        return;
    }
    ui_.lstAllContacts->selectAll();
}

void frmViewAll::openListedContact() {
    try {
        state_.reopenFile();
        const QModelIndex current = ui_.lstAllContacts->currentIndex();
        if (!current.isValid()) {
            qm::throwError(qm::err::kInvalidCall, "Invalid procedure call or argument");
        }
        const int record = model_->entry(current.row()).record;
        state_.contacts().read(record);
        model_->clear();
        openContactBrowserOnRecord(state_, record);
    } catch (const qm::QmError& e) {
        if (qm::showCommonError(state_.platform, this, e) == qm::MsgAnswer::Cancel) {
            closeAfterCancelledError();
        }
        return;
    }
    openedContact_ = true;
    close();
}
