#pragma once

// The contact browser: one contact of the open file at a time, picked from the find list or
// stepped to in record order; saved in place, deleted, printed or handed to the main window
// as label lines.

#include <QMainWindow>
#include <optional>

#include "app/app_state.h"
#include "contacts/contact_browser_open.h"
#include "contacts/field_rules.h"
#include "records/contact_record.h"
#include "records/error.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;

namespace qm {
class ContactForm;
}

class frmEdDelViewContact : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmEdDelViewContact(qm::AppState& state);

    // Fills the find list afresh: one entry per record, item data = record number.
    void refreshFindList();
    // Load steps of a fresh browser: caption, find list, everything disabled. False when an
    // error was answered with Cancel and the browser closed.
    bool load();
    // Shows a record read elsewhere as the current contact, every control enabled, with the
    // find list rebuilt and focused.
    void presentRecord(const qm::ContactRecord& record);
    // Before the contact on show is left: changes not saved are saved (with Save's checks),
    // discarded, or kept with the move called off. True when the move may go on.
    bool settleUnsavedChanges();
    // The fields differ from the contact as last shown or saved.
    bool hasUnsavedChanges() const;
    void focusFindList();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The controls; each carries its member's name as its object name.
    struct Ui {
        QComboBox* cboFindContact;
        // The seventeen labelled fields (txtACFName ... txtACNotes).
        qm::ContactForm* form;
        QCheckBox* chkCompanyInclude;
        QLabel* lblACCompOnLabel;
        QPushButton* cmdFirst;
        QPushButton* cmdPrevious;
        QPushButton* cmdNext;
        QPushButton* cmdLast;
        QPushButton* cmdSave;
        QPushButton* cmdDelete;
        QPushButton* cmdPrintLabel;
        QPushButton* cmdCancel;
        QPushButton* cmdStateAbb;
        QPushButton* cmdZipFinder;
        QPushButton* cmdPeopleFind;

        QMenu* mnuEDVFile;
        QAction* mnuEDVPrint;
        QAction* mnuEDVPreview;
        QMenu* mnuEDVEdit;
        QAction* mnuEDVEditCut;
        QAction* mnuEDVEditCopy;
        QAction* mnuEDVEditPaste;
        QMenu* mnuEDVHelp;
        QAction* mnuEDVManual;
        QAction* mnuEDVAbout;
    };

    void buildControls();
    void buildMenus();
    void connectCommands();

    void findChosen(int index);
    void navigate(int target);
    void firstCommand();
    void previousCommand();
    void nextCommand();
    void lastCommand();
    // False when a check failed or the write did not happen.
    bool saveCommand();
    void deleteCommand();
    void printLabelCommand();
    void printDetailsCommand();
    void previewDetailsCommand();
    void runDetailsCommand(bool preview);

    void displayContact(const qm::ContactRecord& record);
    void showFields(const qm::ContactFields& fields);
    // The fields as they stand, with the include-company box.
    qm::ContactFields fieldsInWindow() const;
    bool isContactField(const QWidget* widget) const;
    void setEditingEnabled(bool on);
    void companyChanged(const QString& text);
    // The common error message; Cancel closes the browser.
    void reportError(const qm::QmError& error);

    qm::AppState& state_;
    // The contact as last displayed or saved; the fields differ from it while changed.
    std::optional<qm::ContactFields> shown_;
    // A contact is on show with its fields open to change.
    bool editing_ = false;
    Ui ui_{};
};

// The loaded browser, shown or hidden; nullptr when none.
frmEdDelViewContact* loadedContactBrowser(qm::AppState& state);
