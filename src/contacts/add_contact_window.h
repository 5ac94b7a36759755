#pragma once

// The Add Contact window: the contact form, Save and Close, the look-up buttons and the
// Edit and Help menus. It appends one contact to the open file and closes.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>

#include "app/app_state.h"
#include "contacts/contact_form_window.h"

class frmNewContact : public QMainWindow {
    Q_OBJECT
  public:
    // Empty fields; the caller fills them (or not) and shows the window in the main
    // window's place. The window deletes itself when it closes.
    explicit frmNewContact(qm::AppState& state);

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

    void setFields(const qm::ContactFields& fields) { form->write(fields); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    void connectCommands();
    void save();
    void appendRecord(const qm::ContactRecord& record);
    void showIncludeCompany();

    qm::AppState& state_;
};
