#pragma once

// The contact list window: all contacts or those whose chosen field contains a search text,
// one line each, sorted by first or by last name; labels, a report, the clipboard and the
// way into the contact browser work on that list.

#include <QMainWindow>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "list/contact_list.h"
#include "list/contact_list_view_window.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QRadioButton;
namespace qm {
class StockChooser;
}

class frmViewAll : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmViewAll(qm::AppState& state);

    // The lines on show with their record numbers, in list order.
    const qm::ContactListModel& listModel() const { return *model_; }
    const qm::ListLineDelegate& listDelegate() const { return *delegate_; }

    // What the menu commands that open the window select: all contacts, by first name.
    void selectStartOptions();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The controls; each carries its member's name as its object name.
    struct Ui {
        QGroupBox* frSearch;
        QRadioButton* optSearchFName;
        QRadioButton* optSearchLName;
        QRadioButton* optSearchCity;
        QRadioButton* optSearchState;
        QRadioButton* optSearchZip;
        QRadioButton* optSearchEmail;
        QRadioButton* optSearchCat;
        QRadioButton* optSearchAll;
        QRadioButton* optSearchCompany;
        QGroupBox* frSortOrder;
        QRadioButton* optFnameSort;
        QRadioButton* optLnameSort;
        QPushButton* cmdACGetReport;
        qm::StockChooser* labelStock;  // the sheet the list's labels print on
        QPushButton* cmdPrintLabels;
        QPushButton* cmdPreviewLabels;
        QPushButton* cmdViewAllClose;
        QLineEdit* txtViewAllHeader;
        QListView* lstAllContacts;
        QLabel* lblSearchDisplay;
        QLabel* lblTotContacts;

        QMenu* mnuVAFile;
        QAction* mnuPrint;
        QAction* mnuPreview;
        QMenu* mnuVAEdit;
        QAction* mnuVAEditCut;
        QAction* mnuVAEditCopy;
        QAction* mnuVAEditPaste;
        QAction* mnuVAEditSelAll;
        QMenu* mnuVAHelp;
        QAction* mnuVAManual;
        QAction* mnuVAAbout;
    };

    void buildControls();
    QGroupBox* buildSearchFrame();
    QGroupBox* buildSortFrame();
    void buildMenus();
    void connectCommands();

    // Search, sort and the build.
    void searchOptionChosen(qm::SearchField field);
    void sortOptionChosen(qm::SortOrder order);
    void getReport();
    void showBuiltList(int found, const std::string& resultWord);
    void closeAfterCancelledError();
    // Puts each column of the list under its name in the heading field.
    void alignColumnsWithHeading();

    // Printing.
    void printLabels();
    void previewLabels();
    void runLabelsCommand(bool preview);
    void printReport();
    void previewReport();
    void runReportCommand(bool preview);

    // Selection, clipboard and opening a contact.
    bool headingHasFocus() const;
    std::vector<int> selectedRows() const;
    std::vector<std::string> selectedLines() const;
    void editMenuOpening();
    void copyCommand();
    void cutCommand();
    void pasteCommand();
    void selectAllCommand();
    void openListedContact();

    qm::AppState& state_;
    qm::ContactListModel* model_;
    qm::ListLineDelegate* delegate_;
    qm::SearchField searchField_ = qm::SearchField::All;
    qm::SortOrder sortOrder_ = qm::SortOrder::ByFirstName;
    std::string searchText_;
    // A contact was opened from this list: closing goes back to the browser showing it.
    bool openedContact_ = false;
    Ui ui_{};
};
