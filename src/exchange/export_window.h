#pragma once

// The export window: writes the whole contact file to a CSV file, a "|"-separated text file
// or a vCard file in the application folder.

#include <QMainWindow>
#include <optional>

#include "app/app_state.h"
#include "exchange/csv_export.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

class frmLMExport : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmLMExport(qm::AppState& state);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The controls; each carries its member's name as its object name.
    struct Ui {
        QLabel* lblExpBanner;
        QLabel* lblExport;
        // One option per export format, in the formats' order, named by its row.
        QGroupBox* frExpOptions;
        QPushButton* cmdExpCreate;
        QPushButton* cmdExpCancel;

        QMenu* mnuETFile;
        QAction* mnuETFileExit;
        QMenu* mnuETHelp;
        QAction* mnuETHelpUM;
        QAction* mnuETHelpBar0;
        QAction* mnuETHelpAbout;
    };

    void buildControls();
    void buildMenus();
    void createExportFile();
    void exitApplication();

    qm::AppState& state_;
    // The format of the option chosen; Create waits for one.
    std::optional<qm::ExportFormat> chosen_;
    bool endingApplication_ = false;
    Ui ui_{};
};
