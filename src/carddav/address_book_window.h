#pragma once

// The address book server in the windows: a small dialog for its address, user name and
// password (the password is used for the one run and never written anywhere), and the import
// and sync commands, which read the server under a progress dialog with Cancel.

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "app/app_state.h"

class dlgAddressBook : public QDialog {
    Q_OBJECT
  public:
    // `action` is the caption of the button that starts the run.
    dlgAddressBook(QWidget* parent, const QString& action);

    QLineEdit* txtServerUrl;
    QLineEdit* txtServerUser;
    QLineEdit* txtServerPassword;
    QPushButton* cmdServerStart;
    QPushButton* cmdServerCancel;

  private:
    void buildControls(const QString& action);
};
