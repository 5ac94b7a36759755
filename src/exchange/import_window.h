#pragma once

// The import window: the user picks a CSV or vCard file, sees the format recognised and the
// first contacts as they will be stored, and imports its contacts into the open contact file.

#include <QMainWindow>

#include "app/app_state.h"
#include "records/error.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;

namespace qm {
struct ImportResult;
}

class frmLMImport : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmLMImport(qm::AppState& state);

    // The file-choice step for a file already chosen (by the dialog, or dropped on the main
    // window): shows its name and proves it can be read.
    void useFile(const QString& path);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The controls; each carries its member's name as its object name.
    struct Ui {
        QLabel* lblImpHdr;
        QPushButton* cmdCsvOpen;
        QPushButton* cmdFromServer;
        QLineEdit* txtImpFilename;
        // Under the file name once a file is chosen: the format and the first contacts.
        QLabel* lblImpFormat;
        QTreeWidget* lstImpPreview;
        QPushButton* cmdStartImport;
        QPushButton* cmdImpCancel;
        QLineEdit* txtImpData;

        QMenu* mnuITFile;
        QAction* mnuITFileExit;
        QMenu* mnuITEdit;
        QAction* mnuITEditCut;
        QAction* mnuITEditCopy;
        QAction* mnuITEditPaste;
        QMenu* mnuITHelp;
        QAction* mnuITHelpUM;
        QAction* mnuITHelpBar0;
        QAction* mnuITHelpAbout;
    };

    void buildControls();
    void buildMenus();
    void chooseFile();
    void showPreview();
    void showPreviewRows(const qm::ImportResult& preview);
    void startImport();
    void reportOutcome(const qm::ImportResult& result);
    void finishImport();
    // The common error; Cancel closes the window.
    void reportError(const qm::QmError& error);
    void exitApplication();

    qm::AppState& state_;
    QString dialogFileName_;
    QString path_;
    QString title_;
    bool endingApplication_ = false;
    Ui ui_{};
};
