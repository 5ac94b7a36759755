#pragma once

// The export window: writes the whole contact file to a CSV file, a "|"-separated text file
// or a vCard file in the application folder.

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "app/app_state.h"
#include "exchange/csv_export.h"

class frmLMExport : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmLMExport(qm::AppState& state);

    QLabel* lblExpBanner;
    QLabel* lblExport;
    QGroupBox* frExpOptions;
    // The options of today's formats, by name.
    QRadioButton* optExpCGCSV;
    QRadioButton* optExpCGTXT;
    QRadioButton* optExpVCard;
    QPushButton* cmdExpCreate;
    QPushButton* cmdExpCancel;

    QMenu* mnuETFile;
    QAction* mnuETFileExit;
    QMenu* mnuETHelp;
    QAction* mnuETHelpUM;
    QAction* mnuETHelpBar0;
    QAction* mnuETHelpAbout;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    void createExportFile();
    qm::ExportFormat chosenFormat() const;
    void exitApplication();

    struct ExportOption {
        QRadioButton* button;
        qm::ExportFormat format;
    };

    qm::AppState& state_;
    // One option per export format, in the formats' order.
    std::vector<ExportOption> options_;
    bool endingApplication_ = false;
};
