#include "list/contact_list_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
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
    mnuPrint->setEnabled(false);
    mnuPreview->setEnabled(false);
    cmdPrintLabels->setEnabled(false);
    cmdPreviewLabels->setEnabled(false);
    lblSearchDisplay->hide();
    lblTotContacts->clear();
    cmdACGetReport->setFocus();
}

void frmViewAll::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    txtViewAllHeader = named(new QLineEdit, "txtViewAllHeader");
    txtViewAllHeader->setFont(listFont(9.75, true));

    model_ = new qm::ContactListModel(this);
    lstAllContacts = named(new QListView, "lstAllContacts");
    lstAllContacts->setModel(model_);
    delegate_ = new qm::ListLineDelegate(kListTabStops, lstAllContacts);
    lstAllContacts->setItemDelegate(delegate_);
    // The heading does not scroll: columns past the right edge are cut short instead.
    lstAllContacts->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstAllContacts->setUniformItemSizes(true);
    lstAllContacts->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstAllContacts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstAllContacts->setFont(listFont(9.75, false));
    lstAllContacts->setToolTip(tr("Double-click contact to view or edit details"));
    lstAllContacts->setMinimumSize(900, 360);

    auto* frames = new QHBoxLayout;
    frames->addWidget(buildSearchFrame());
    frames->addWidget(buildSortFrame(), 0, Qt::AlignTop);
    frames->addStretch();

    cmdACGetReport = named(new QPushButton(tr("Get report")), "cmdACGetReport");
    cmdACGetReport->setDefault(true);
    cmdPrintLabels = named(new QPushButton(tr("Print labels")), "cmdPrintLabels");
    cmdPrintLabels->setToolTip(tr("Print a label for each contact in list"));
    cmdPreviewLabels = named(new QPushButton(tr("Preview labels")), "cmdPreviewLabels");
    cmdPreviewLabels->setToolTip(tr("Shows the labels for the list before they print"));
    cmdViewAllClose = named(new QPushButton(tr("Close")), "cmdViewAllClose");
    lblSearchDisplay = named(new QLabel, "lblSearchDisplay");
    // The search text is the user's: never read as markup.
    lblSearchDisplay->setTextFormat(Qt::PlainText);
    lblTotContacts = named(new QLabel, "lblTotContacts");

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblSearchDisplay);
    bottom->addWidget(lblTotContacts);
    bottom->addStretch();
    bottom->addWidget(cmdACGetReport);
    bottom->addWidget(cmdPrintLabels);
    bottom->addWidget(cmdPreviewLabels);
    bottom->addWidget(cmdViewAllClose);

    auto* layout = new QVBoxLayout(central);
    layout->addLayout(frames);
    layout->addWidget(txtViewAllHeader);
    layout->addWidget(lstAllContacts, 1);
    layout->addLayout(bottom);

    // Search, sort, the buttons, then the list and its heading.
    const std::vector<QWidget*> tabOrder = {
        optSearchFName, optSearchLName,  optSearchCity,  optSearchState,   optSearchZip,
        optSearchEmail, optSearchCat,    optSearchAll,   optSearchCompany, optFnameSort,
        optLnameSort,   cmdACGetReport,  cmdPrintLabels, cmdPreviewLabels, cmdViewAllClose,
        lstAllContacts, txtViewAllHeader};
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
}

QGroupBox* frmViewAll::buildSearchFrame() {
    frSearch = named(new QGroupBox(tr("Search")), "frSearch");
    auto* layout = new QVBoxLayout(frSearch);
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
        return frSearch->findChild<QRadioButton*>(QString::fromLatin1(name));
    };
    optSearchFName = option("optSearchFName");
    optSearchLName = option("optSearchLName");
    optSearchCity = option("optSearchCity");
    optSearchState = option("optSearchState");
    optSearchZip = option("optSearchZip");
    optSearchEmail = option("optSearchEmail");
    optSearchCat = option("optSearchCat");
    optSearchAll = option("optSearchAll");
    optSearchCompany = option("optSearchCompany");
    return frSearch;
}

QGroupBox* frmViewAll::buildSortFrame() {
    frSortOrder = named(new QGroupBox, "frSortOrder");
    optFnameSort = named(new QRadioButton(tr("Sort by first name")), "optFnameSort");
    optLnameSort = named(new QRadioButton(tr("Sort by last name")), "optLnameSort");
    auto* layout = new QVBoxLayout(frSortOrder);
    layout->addWidget(optFnameSort);
    layout->addWidget(optLnameSort);
    connect(optFnameSort, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            sortOptionChosen(SortOrder::ByFirstName);
        }
    });
    connect(optLnameSort, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            sortOptionChosen(SortOrder::ByLastName);
        }
    });
    return frSortOrder;
}

void frmViewAll::buildMenus() {
    mnuVAFile = named(menuBar()->addMenu(tr("&File")), "mnuVAFile");
    mnuPrint = addMenuItem(mnuVAFile, "mnuPrint", tr("&Print"));
    mnuPreview = addMenuItem(mnuVAFile, "mnuPreview", tr("Print Pre&view"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));

    mnuVAEdit = named(menuBar()->addMenu(tr("&Edit")), "mnuVAEdit");
    // The keys themselves, not the desktop's standard keys (Cut is Shift+Del on some).
    mnuVAEditCut =
        addMenuItem(mnuVAEdit, "mnuVAEditCut", tr("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuVAEditCopy =
        addMenuItem(mnuVAEdit, "mnuVAEditCopy", tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuVAEditPaste =
        addMenuItem(mnuVAEdit, "mnuVAEditPaste", tr("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuVAEditSelAll = addMenuItem(mnuVAEdit, "mnuVAEditSelAll", tr("Select &All"),
                                  QKeySequence(Qt::CTRL | Qt::Key_A));

    mnuVAHelp = named(menuBar()->addMenu(tr("&Help")), "mnuVAHelp");
    mnuVAManual =
        addMenuItem(mnuVAHelp, "mnuVAManual", tr("&User Manual"), QKeySequence(Qt::Key_F1));
    mnuVAAbout = addMenuItem(mnuVAHelp, "mnuVAAbout", tr("&About Quillmark"));
}

void frmViewAll::connectCommands() {
    connect(cmdACGetReport, &QPushButton::clicked, this, &frmViewAll::getReport);
    connect(cmdPrintLabels, &QPushButton::clicked, this, &frmViewAll::printLabels);
    connect(cmdPreviewLabels, &QPushButton::clicked, this, &frmViewAll::previewLabels);
    connect(cmdViewAllClose, &QPushButton::clicked, this, &frmViewAll::close);
    connect(mnuPrint, &QAction::triggered, this, &frmViewAll::printReport);
    connect(mnuPreview, &QAction::triggered, this, &frmViewAll::previewReport);
    connect(mnuVAEdit, &QMenu::aboutToShow, this, &frmViewAll::editMenuOpening);
    connect(mnuVAEditCopy, &QAction::triggered, this, &frmViewAll::copyCommand);
    connect(mnuVAEditCut, &QAction::triggered, this, &frmViewAll::cutCommand);
    connect(mnuVAEditPaste, &QAction::triggered, this, &frmViewAll::pasteCommand);
    connect(mnuVAEditSelAll, &QAction::triggered, this, &frmViewAll::selectAllCommand);
    connect(mnuVAManual, &QAction::triggered, this,
            [this] { qm::openUserManual(state_.platform, state_.appFolder); });
    connect(mnuVAAbout, &QAction::triggered, this, [this] { showAboutWindow(state_, this); });
    connect(lstAllContacts, &QListView::doubleClicked, this, &frmViewAll::openListedContact);

    // Enter presses the focused button, else "Get report", the window's default button.
    qm::installEnterPressesButton(this, cmdACGetReport);
}

void frmViewAll::selectStartOptions() {
    frSearch->show();
    optSearchAll->setChecked(true);
    optFnameSort->setChecked(true);
}

void frmViewAll::searchOptionChosen(SearchField field) {
    searchField_ = field;
    if (field == SearchField::All) {
        lblSearchDisplay->hide();
        return;
    }
    const qm::SearchFieldText& text = qm::searchFieldText(field);
    // Compared with stored values, so folded as they were: "Łukasz" finds "Lukasz".
    searchText_ =
        qm::toStorable(state_.platform.inputBox(this, QString::fromLatin1(text.promptTitle),
                                                tr("Search For: ")),
                       state_.contacts().fieldLimits())
            .text;
    lblSearchDisplay->setText(qm::fromCore(searchText_));
    lblSearchDisplay->show();
    cmdACGetReport->setFocus();
}

void frmViewAll::sortOptionChosen(SortOrder order) {
    sortOrder_ = order;
    cmdACGetReport->setFocus();
}

void frmViewAll::getReport() {
    frSearch->hide();
    frSortOrder->hide();
    txtViewAllHeader->show();
    txtViewAllHeader->setFont(listFont(kHeadingPoints, true));
    txtViewAllHeader->setText(tr(kColumnHeading));
    // Shown from its start, so that its words stand over their columns.
    txtViewAllHeader->setCursorPosition(0);
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
        lblSearchDisplay->hide();
    } else {
        lblSearchDisplay->setText(qm::fromCore(qm::resultCaption(resultWord, searchText_)));
        lblSearchDisplay->show();
    }
    cmdPrintLabels->setEnabled(true);
    cmdPreviewLabels->setEnabled(true);
    lblTotContacts->setText(tr("Contacts Found = %1").arg(found));
    lblTotContacts->show();
    mnuPrint->setEnabled(true);
    mnuPreview->setEnabled(true);
    cmdViewAllClose->setFocus();
    if (found != 0) {
        cmdACGetReport->setEnabled(false);
        return;
    }
    state_.platform.messageBox(this, tr("Contact file empty."), tr("No contacts found."));
    cmdViewAllClose->setFocus();
}

void frmViewAll::alignColumnsWithHeading() {
    if (txtViewAllHeader->isHidden()) {
        return;
    }
    // Where the heading field draws its first character, as QLineEdit lays out its text:
    // the style's contents rectangle, the text margins and a fixed margin of two pixels.
    QStyleOptionFrame frame;
    frame.initFrom(txtViewAllHeader);
    frame.rect = txtViewAllHeader->contentsRect();
    frame.lineWidth =
        txtViewAllHeader->hasFrame()
            ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, txtViewAllHeader)
            : 0;
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Sunken;
    frame.features = QStyleOptionFrame::None;
    const QRect contents = txtViewAllHeader->style()->subElementRect(QStyle::SE_LineEditContents,
                                                                     &frame, txtViewAllHeader);
    constexpr int kLineEditTextMargin = 2;
    const int headingLeft =
        contents.left() + txtViewAllHeader->textMargins().left() + kLineEditTextMargin;
    QWidget* viewport = lstAllContacts->viewport();
    const double origin = txtViewAllHeader->mapTo(this, QPoint(headingLeft, 0)).x() -
                          viewport->mapTo(this, QPoint(0, 0)).x();

    const QString heading = tr(kColumnHeading);
    const QFontMetricsF metrics(txtViewAllHeader->font());
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
