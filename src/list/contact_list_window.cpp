#include "list/contact_list_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include "contacts/contact_browser_open.h"
#include "list/contact_list_open.h"
#include "platform/enter_presses_button.h"
#include "platform/lookups.h"
#include "platform/messages.h"
#include "platform/qt_text.h"
#include "platform/widget_names.h"
#include "shell/about_open.h"

using qm::addMenuItem;
using qm::named;
using qm::SearchField;
using qm::SortOrder;

namespace {

const char* const kColumnHeading = QT_TRANSLATE_NOOP(
    "frmViewAll",
    "Name                               City               ST     Zip         Home         Cell    "
    "               Email Address");

// Tab stops of the list, in dialog units.
const std::vector<int> kListTabStops = {100, 110, 120, 154, 176, 212, 242};

// Where the heading's column names start: the first character and every character that
// follows two blanks or more ("Email Address" keeps its single blank).
std::vector<qsizetype> headingColumnStarts(const QString& heading) {
    std::vector<qsizetype> starts;
    for (qsizetype i = 0; i < heading.size(); ++i) {
        const bool afterGap =
            i >= 2 && heading[i - 1] == QLatin1Char(' ') && heading[i - 2] == QLatin1Char(' ');
        if (heading[i] != QLatin1Char(' ') && (i == 0 || afterGap)) {
            starts.push_back(i);
        }
    }
    return starts;
}

constexpr double kHeadingPoints = 12;

QFont listFont(double points, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}  // namespace

frmViewAll::frmViewAll(qm::AppState& state) : state_(state) {
    setObjectName(QStringLiteral("frmViewAll"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildMenus();
    connectCommands();

    setWindowTitle(qm::captionWithFileTitle(state_, tr("All Contacts")));
    ui_.mnuPrint->setEnabled(false);
    ui_.mnuPreview->setEnabled(false);
    ui_.cmdPrintLabels->setEnabled(false);
    ui_.cmdPreviewLabels->setEnabled(false);
    ui_.lblSearchDisplay->hide();
    ui_.lblTotContacts->clear();
    ui_.cmdACGetReport->setFocus();
}

void frmViewAll::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    ui_.txtViewAllHeader = named(new QLineEdit, "txtViewAllHeader");
    ui_.txtViewAllHeader->setFont(listFont(9.75, true));

    model_ = new qm::ContactListModel(this);
    ui_.lstAllContacts = named(new QListView, "lstAllContacts");
    ui_.lstAllContacts->setModel(model_);
    delegate_ = new qm::ListLineDelegate(kListTabStops, ui_.lstAllContacts);
    ui_.lstAllContacts->setItemDelegate(delegate_);
    // The heading does not scroll: columns past the right edge are cut short instead.
    ui_.lstAllContacts->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui_.lstAllContacts->setUniformItemSizes(true);
    ui_.lstAllContacts->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui_.lstAllContacts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui_.lstAllContacts->setFont(listFont(9.75, false));
    ui_.lstAllContacts->setToolTip(tr("Double-click contact to view or edit details"));
    ui_.lstAllContacts->setMinimumSize(900, 360);

    auto* frames = new QHBoxLayout;
    frames->addWidget(buildSearchFrame());
    frames->addWidget(buildSortFrame(), 0, Qt::AlignTop);
    frames->addStretch();

    ui_.cmdACGetReport = named(new QPushButton(tr("Get report")), "cmdACGetReport");
    ui_.cmdACGetReport->setDefault(true);
    ui_.cmdPrintLabels = named(new QPushButton(tr("Print labels")), "cmdPrintLabels");
    ui_.cmdPrintLabels->setToolTip(tr("Print a label for each contact in list"));
    ui_.cmdPreviewLabels = named(new QPushButton(tr("Preview labels")), "cmdPreviewLabels");
    ui_.cmdPreviewLabels->setToolTip(tr("Shows the labels for the list before they print"));
    ui_.cmdViewAllClose = named(new QPushButton(tr("Close")), "cmdViewAllClose");
    ui_.lblSearchDisplay = named(new QLabel, "lblSearchDisplay");
    // The search text is the user's: never read as markup.
    ui_.lblSearchDisplay->setTextFormat(Qt::PlainText);
    ui_.lblTotContacts = named(new QLabel, "lblTotContacts");

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ui_.lblSearchDisplay);
    bottom->addWidget(ui_.lblTotContacts);
    bottom->addStretch();
    bottom->addWidget(ui_.cmdACGetReport);
    bottom->addWidget(ui_.cmdPrintLabels);
    bottom->addWidget(ui_.cmdPreviewLabels);
    bottom->addWidget(ui_.cmdViewAllClose);

    auto* layout = new QVBoxLayout(central);
    layout->addLayout(frames);
    layout->addWidget(ui_.txtViewAllHeader);
    layout->addWidget(ui_.lstAllContacts, 1);
    layout->addLayout(bottom);

    // Search, sort, the buttons, then the list and its heading.
    const std::vector<QWidget*> tabOrder = {
        ui_.optSearchFName,   ui_.optSearchLName,   ui_.optSearchCity,   ui_.optSearchState,
        ui_.optSearchZip,     ui_.optSearchEmail,   ui_.optSearchCat,    ui_.optSearchAll,
        ui_.optSearchCompany, ui_.optFnameSort,     ui_.optLnameSort,    ui_.cmdACGetReport,
        ui_.cmdPrintLabels,   ui_.cmdPreviewLabels, ui_.cmdViewAllClose, ui_.lstAllContacts,
        ui_.txtViewAllHeader};
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
}

QGroupBox* frmViewAll::buildSearchFrame() {
    ui_.frSearch = named(new QGroupBox(tr("Search")), "frSearch");
    auto* layout = new QVBoxLayout(ui_.frSearch);
    for (const qm::SearchFieldText& text : qm::searchFieldTexts()) {
        auto* option = named(new QRadioButton(QString::fromLatin1(text.caption)), text.optionName);
        layout->addWidget(option);
        const SearchField field = text.field;
        connect(option, &QRadioButton::toggled, this, [this, field](bool on) {
            if (on) {
                searchOptionChosen(field);
            }
        });
    }
    const auto option = [this](const char* name) {
        return ui_.frSearch->findChild<QRadioButton*>(QString::fromLatin1(name));
    };
    ui_.optSearchFName = option("optSearchFName");
    ui_.optSearchLName = option("optSearchLName");
    ui_.optSearchCity = option("optSearchCity");
    ui_.optSearchState = option("optSearchState");
    ui_.optSearchZip = option("optSearchZip");
    ui_.optSearchEmail = option("optSearchEmail");
    ui_.optSearchCat = option("optSearchCat");
    ui_.optSearchAll = option("optSearchAll");
    ui_.optSearchCompany = option("optSearchCompany");
    return ui_.frSearch;
}

QGroupBox* frmViewAll::buildSortFrame() {
    ui_.frSortOrder = named(new QGroupBox, "frSortOrder");
    ui_.optFnameSort = named(new QRadioButton(tr("Sort by first name")), "optFnameSort");
    ui_.optLnameSort = named(new QRadioButton(tr("Sort by last name")), "optLnameSort");
    auto* layout = new QVBoxLayout(ui_.frSortOrder);
    layout->addWidget(ui_.optFnameSort);
    layout->addWidget(ui_.optLnameSort);
    connect(ui_.optFnameSort, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            sortOptionChosen(SortOrder::ByFirstName);
        }
    });
    connect(ui_.optLnameSort, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            sortOptionChosen(SortOrder::ByLastName);
        }
    });
    return ui_.frSortOrder;
}

void frmViewAll::buildMenus() {
    ui_.mnuVAFile = named(menuBar()->addMenu(tr("&File")), "mnuVAFile");
    ui_.mnuPrint = addMenuItem(ui_.mnuVAFile, "mnuPrint", tr("&Print"));
    ui_.mnuPreview = addMenuItem(ui_.mnuVAFile, "mnuPreview", tr("Print Pre&view"),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));

    ui_.mnuVAEdit = named(menuBar()->addMenu(tr("&Edit")), "mnuVAEdit");
    // The keys themselves, not the desktop's standard keys (Cut is Shift+Del on some).
    ui_.mnuVAEditCut =
        addMenuItem(ui_.mnuVAEdit, "mnuVAEditCut", tr("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X));
    ui_.mnuVAEditCopy = addMenuItem(ui_.mnuVAEdit, "mnuVAEditCopy", tr("&Copy"),
                                    QKeySequence(Qt::CTRL | Qt::Key_C));
    ui_.mnuVAEditPaste = addMenuItem(ui_.mnuVAEdit, "mnuVAEditPaste", tr("&Paste"),
                                     QKeySequence(Qt::CTRL | Qt::Key_V));
    ui_.mnuVAEditSelAll = addMenuItem(ui_.mnuVAEdit, "mnuVAEditSelAll", tr("Select &All"),
                                      QKeySequence(Qt::CTRL | Qt::Key_A));

    ui_.mnuVAHelp = named(menuBar()->addMenu(tr("&Help")), "mnuVAHelp");
    ui_.mnuVAManual =
        addMenuItem(ui_.mnuVAHelp, "mnuVAManual", tr("&User Manual"), QKeySequence(Qt::Key_F1));
    ui_.mnuVAAbout = addMenuItem(ui_.mnuVAHelp, "mnuVAAbout", tr("&About Quillmark"));
}

void frmViewAll::connectCommands() {
    connect(ui_.cmdACGetReport, &QPushButton::clicked, this, &frmViewAll::getReport);
    connect(ui_.cmdPrintLabels, &QPushButton::clicked, this, &frmViewAll::printLabels);
    connect(ui_.cmdPreviewLabels, &QPushButton::clicked, this, &frmViewAll::previewLabels);
    connect(ui_.cmdViewAllClose, &QPushButton::clicked, this, &frmViewAll::close);
    connect(ui_.mnuPrint, &QAction::triggered, this, &frmViewAll::printReport);
    connect(ui_.mnuPreview, &QAction::triggered, this, &frmViewAll::previewReport);
    connect(ui_.mnuVAEdit, &QMenu::aboutToShow, this, &frmViewAll::editMenuOpening);
    connect(ui_.mnuVAEditCopy, &QAction::triggered, this, &frmViewAll::copyCommand);
    connect(ui_.mnuVAEditCut, &QAction::triggered, this, &frmViewAll::cutCommand);
    connect(ui_.mnuVAEditPaste, &QAction::triggered, this, &frmViewAll::pasteCommand);
    connect(ui_.mnuVAEditSelAll, &QAction::triggered, this, &frmViewAll::selectAllCommand);
    connect(ui_.mnuVAManual, &QAction::triggered, this,
            [this] { qm::openUserManual(state_.platform, state_.appFolder); });
    connect(ui_.mnuVAAbout, &QAction::triggered, this, [this] { showAboutWindow(state_, this); });
    connect(ui_.lstAllContacts, &QListView::doubleClicked, this, &frmViewAll::openListedContact);

    // Enter presses the focused button, else "Get report", the window's default button.
    qm::installEnterPressesButton(this, ui_.cmdACGetReport);
}

void frmViewAll::selectStartOptions() {
    ui_.frSearch->show();
    ui_.optSearchAll->setChecked(true);
    ui_.optFnameSort->setChecked(true);
}

void frmViewAll::searchOptionChosen(SearchField field) {
    searchField_ = field;
    if (field == SearchField::All) {
        ui_.lblSearchDisplay->hide();
        return;
    }
    const qm::SearchFieldText& text = qm::searchFieldText(field);
    // Compared with stored values, so folded as they were: "Łukasz" finds "Lukasz".
    searchText_ =
        qm::toStorable(state_.platform.inputBox(this, QString::fromLatin1(text.promptTitle),
                                                tr("Search For: ")),
                       state_.contacts().fieldLimits())
            .text;
    ui_.lblSearchDisplay->setText(qm::fromCore(searchText_));
    ui_.lblSearchDisplay->show();
    ui_.cmdACGetReport->setFocus();
}

void frmViewAll::sortOptionChosen(SortOrder order) {
    sortOrder_ = order;
    ui_.cmdACGetReport->setFocus();
}

void frmViewAll::getReport() {
    ui_.frSearch->hide();
    ui_.frSortOrder->hide();
    ui_.txtViewAllHeader->show();
    ui_.txtViewAllHeader->setFont(listFont(kHeadingPoints, true));
    ui_.txtViewAllHeader->setText(tr(kColumnHeading));
    // Shown from its start, so that its words stand over their columns.
    ui_.txtViewAllHeader->setCursorPosition(0);
    alignColumnsWithHeading();

    std::vector<qm::ListEntry> entries;
    try {
        entries = qm::buildContactList(state_.contacts(), searchField_, searchText_, sortOrder_);
    } catch (const qm::QmError& e) {
        if (qm::showCommonError(state_.platform, this, e) == qm::MsgAnswer::Cancel) {
            closeAfterCancelledError();
        }
        return;
    }
    const auto found = static_cast<int>(entries.size());
    model_->addSorted(std::move(entries));
    showBuiltList(found, found > 0 ? qm::searchFieldText(searchField_).resultWord : "");
}

void frmViewAll::showBuiltList(int found, const std::string& resultWord) {
    if (searchField_ == SearchField::All) {
        ui_.lblSearchDisplay->hide();
    } else {
        ui_.lblSearchDisplay->setText(qm::fromCore(qm::resultCaption(resultWord, searchText_)));
        ui_.lblSearchDisplay->show();
    }
    ui_.cmdPrintLabels->setEnabled(true);
    ui_.cmdPreviewLabels->setEnabled(true);
    ui_.lblTotContacts->setText(tr("Contacts Found = %1").arg(found));
    ui_.lblTotContacts->show();
    ui_.mnuPrint->setEnabled(true);
    ui_.mnuPreview->setEnabled(true);
    ui_.cmdViewAllClose->setFocus();
    if (found != 0) {
        ui_.cmdACGetReport->setEnabled(false);
        return;
    }
    state_.platform.messageBox(this, tr("Contact file empty."), tr("No contacts found."));
    ui_.cmdViewAllClose->setFocus();
}

void frmViewAll::alignColumnsWithHeading() {
    if (ui_.txtViewAllHeader->isHidden()) {
        return;
    }
    // Where the heading field draws its first character, as QLineEdit lays out its text:
    // the style's contents rectangle, the text margins and a fixed margin of two pixels.
    QStyleOptionFrame frame;
    frame.initFrom(ui_.txtViewAllHeader);
    frame.rect = ui_.txtViewAllHeader->contentsRect();
    frame.lineWidth =
        ui_.txtViewAllHeader->hasFrame()
            ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, ui_.txtViewAllHeader)
            : 0;
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Sunken;
    frame.features = QStyleOptionFrame::None;
    const QRect contents = ui_.txtViewAllHeader->style()->subElementRect(
        QStyle::SE_LineEditContents, &frame, ui_.txtViewAllHeader);
    constexpr int kLineEditTextMargin = 2;
    const int headingLeft =
        contents.left() + ui_.txtViewAllHeader->textMargins().left() + kLineEditTextMargin;
    QWidget* viewport = ui_.lstAllContacts->viewport();
    const double origin = ui_.txtViewAllHeader->mapTo(this, QPoint(headingLeft, 0)).x() -
                          viewport->mapTo(this, QPoint(0, 0)).x();

    const QString heading = tr(kColumnHeading);
    const QFontMetricsF metrics(ui_.txtViewAllHeader->font());
    std::vector<double> positions;
    for (qsizetype start : headingColumnStarts(heading)) {
        positions.push_back(origin + metrics.horizontalAdvance(heading.left(start)));
    }
    delegate_->setColumnPositions(std::move(positions));
    viewport->update();
}

void frmViewAll::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!delegate_->columnPositions().empty()) {
        alignColumnsWithHeading();
    }
}

void frmViewAll::closeAfterCancelledError() {
    model_->clear();
    close();
}

void frmViewAll::closeEvent(QCloseEvent* event) {
    model_->clear();
    event->accept();
    // A contact opened from the list is on show in the browser; go back there. A browser
    // left hidden by Print Label also holds a current record, but the list did not open it.
    if (openedContact_ && state_.currentRecord != 0) {
        returnToContactBrowser(state_);
    } else {
        state_.returnToMain();
    }
}

namespace qm {

void openContactList(AppState& state) {
    auto* list = new frmViewAll(state);
    state.showInsteadOfMain(list);
    list->selectStartOptions();
}

}  // namespace qm
