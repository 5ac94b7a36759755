#pragma once

// The address book server in the windows: a small dialog for its address, user name and
// password (the password is used for the one run and never written anywhere), and the import
// and sync commands, which read the server under a progress dialog with Cancel.

#include <QDialog>

class QLineEdit;
class QPushButton;

class dlgAddressBook : public QDialog {
    Q_OBJECT
  public:
    // `action` is the caption of the button that starts the run.
    dlgAddressBook(QWidget* parent, const QString& action);

    // The answers as typed, blanks around the address and the user name taken off.
    QString url() const;
    QString user() const;
    QString password() const;
    void setUrl(const QString& url);
    void setUser(const QString& user);

  private:
    // The controls; each carries its member's name as its object name.
    struct Ui {
        QLineEdit* txtServerUrl;
        QLineEdit* txtServerUser;
        QLineEdit* txtServerPassword;
        QPushButton* cmdServerStart;
        QPushButton* cmdServerCancel;
    };

    void buildControls(const QString& action);

    Ui ui_{};
};
