#pragma once

// The Add Contact window: the contact form, Save and Close, the look-up buttons and the
// Edit and Help menus. It appends one contact to the open file and closes.

#include <QMainWindow>

#include "app/app_state.h"
#include "contacts/field_rules.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;

namespace qm {
class ContactForm;
}

class frmNewContact : public QMainWindow {
    Q_OBJECT
  public:
    // Empty fields; the caller fills them (or not) and shows the window in the main
    // window's place. The window deletes itself when it closes.
    explicit frmNewContact(qm::AppState& state);

    void setFields(const qm::ContactFields& fields);
    void focusFirstField();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The controls; each carries its member's name as its object name.
    struct Ui {
        qm::ContactForm* form = nullptr;
        QCheckBox* chkIncComp = nullptr;
        QLabel* lblIncCompName = nullptr;
        QPushButton* cmdSave = nullptr;
        QPushButton* cmdCancel = nullptr;
        QPushButton* cmdStateAbb = nullptr;
        QPushButton* cmdPeopleFind = nullptr;
        QPushButton* cmdZipFinder = nullptr;

        QMenu* mnuNewEdit = nullptr;
        QAction* mnuNewEditCut = nullptr;
        QAction* mnuNewEditCopy = nullptr;
        QAction* mnuNewEditPaste = nullptr;
        QMenu* mnuNewHelp = nullptr;
        QAction* mnuNewManual = nullptr;
        QAction* mnuNewAbout = nullptr;
    };

    void buildControls();
    void buildMenus();
    void connectCommands();
    void save();
    void appendRecord(const qm::ContactRecord& record);
    void showIncludeCompany();

    qm::AppState& state_;
    Ui ui_{};
};
