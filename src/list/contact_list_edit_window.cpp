// Selection and the clipboard on the contact list, and opening a listed contact in the
// contact browser. The clipboard only changes what the list shows, never the contact file.
#include <QItemSelectionModel>
#include <algorithm>

#include "contacts/contact_browser_open.h"
#include "list/contact_list_window.h"
#include "platform/messages.h"
#include "platform/qt_text.h"

bool frmViewAll::headingHasFocus() const {
    return focusWidget() == txtViewAllHeader;
}

std::vector<int> frmViewAll::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : lstAllContacts->selectionModel()->selectedRows()) {
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
    mnuVAEditCut->setEnabled(true);
    mnuVAEditCopy->setEnabled(true);
    if (headingHasFocus() && !txtViewAllHeader->hasSelectedText()) {
        mnuVAEditCut->setEnabled(false);
        mnuVAEditCopy->setEnabled(false);
    }
}

void frmViewAll::copyCommand() {
    state_.platform.clearClipboard();
    const QString text = headingHasFocus() ? txtViewAllHeader->selectedText()
                                           : qm::fromCore(qm::clipboardTextOfLines(selectedLines()));
    state_.platform.setClipboardText(text);
}

void frmViewAll::cutCommand() {
    copyCommand();
    if (headingHasFocus()) {
        // Only the selected text goes; without a selection nothing does.
        txtViewAllHeader->insert(QString());
        return;
    }
    // The count of contacts found stays as it was.
    model_->removeRows(selectedRows());
}

void frmViewAll::pasteCommand() {
    const QString text = state_.platform.clipboardText();
    if (headingHasFocus()) {
        txtViewAllHeader->insert(text);
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
        txtViewAllHeader->setFocus();
        txtViewAllHeader->selectAll();
        return;
    }
    lstAllContacts->selectAll();
}

void frmViewAll::openListedContact() {
    try {
        state_.reopenFile();
        const QModelIndex current = lstAllContacts->currentIndex();
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
