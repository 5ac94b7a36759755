#include "printing/typed_lines_panel_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/enter_as_tab.h"
#include "platform/qt_text.h"
#include "platform/widget_names.h"

namespace qm {

namespace {

const char* const kEnvelopeSizes[] = {
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel",
                      "#10 Standard Business envelope (4 1/8 in x 9 1/2 in)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "#6 3/4 Small envelope (3 5/8 in x 6 1/2 in)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "#A2 Invitation envelope (4 3/8 in x 5 3/4 in)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "#A7 Announcement envelope (5 1/4 in x 7 1/4 in)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "#A8 Std Greeting Card envelope (5.5 in x 8 1/8 in)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "#A10 Lrg Greeting Card envelope (6 in x 9 1/2 in)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "Custom (edit Left and Top margin boxes)"),
};

// Both options of a frame off (a plain exclusive group never allows that).
void clearOptions(QRadioButton* a, QRadioButton* b) {
    a->setAutoExclusive(false);
    b->setAutoExclusive(false);
    a->setChecked(false);
    b->setChecked(false);
    a->setAutoExclusive(true);
    b->setAutoExclusive(true);
}

// The frame's option that the state names, or both off.
void showChoice(QRadioButton* first, QRadioButton* second, bool firstOn, bool secondOn) {
    if (firstOn) {
        first->setChecked(true);
    } else if (secondOn) {
        second->setChecked(true);
    } else {
        clearOptions(first, second);
    }
}

}  // namespace

TypedLinesPanel::TypedLinesPanel(AppState& state, QWidget* parent)
    : QWidget(parent), state_(state) {
    setObjectName(QStringLiteral("typedLinesPanel"));
    buildControls();
    connectCommands();
    startUp();
}

void TypedLinesPanel::buildControls() {
    ui_.lblLMLine1 = named(new QLabel(tr("Line #1:")), "lblLMLine1");
    ui_.lblLMLine2 = named(new QLabel(tr("Line #2:")), "lblLMLine2");
    ui_.lblLMLine3 = named(new QLabel(tr("Line #3:")), "lblLMLine3");
    ui_.lblLMLine4 = named(new QLabel(tr("Line #4:")), "lblLMLine4");
    ui_.lblLMLine5 = named(new QLabel(tr("Line #5:")), "lblLMLine5");
    ui_.txtLMLine1 = named(new QLineEdit, "txtLMLine1");
    ui_.txtLMLine2 = named(new QLineEdit, "txtLMLine2");
    ui_.txtLMline3 = named(new QLineEdit, "txtLMline3");
    ui_.txtLMLine4 = named(new QLineEdit, "txtLMLine4");
    ui_.txtLMLine5 = named(new QLineEdit, "txtLMLine5");

    ui_.cmdLMStart = named(new QPushButton(tr("Print")), "cmdLMStart");
    ui_.cmdLMClear = named(new QPushButton(tr("Clear Form")), "cmdLMClear");
    ui_.cmdRetAddress = named(new QPushButton(tr("Print")), "cmdRetAddress");
    ui_.cmdRetAddress->setToolTip(
        tr("Prints 80 return address labels on Avery 5167 (1/2\" x 1 3/4\") labels"));
    ui_.cmdLMPreview = named(new QPushButton(tr("Preview")), "cmdLMPreview");
    ui_.cmdLMPreview->setToolTip(tr("Shows the pages as Print would print them"));
    ui_.cmdRetPreview = named(new QPushButton(tr("Preview")), "cmdRetPreview");
    ui_.cmdRetPreview->setToolTip(tr("Shows the sheet of return address labels before it prints"));

    ui_.frLMMediaType = named(new QGroupBox, "frLMMediaType");
    ui_.optLMLabel = named(new QRadioButton(tr("Label stock")), "optLMLabel");
    ui_.optLMEnvelope = named(new QRadioButton(tr("Envelope")), "optLMEnvelope");
    ui_.cboLMEnvelope = named(new QComboBox, "cboLMEnvelope");
    ui_.cboLMEnvelope->setPlaceholderText(tr("Select Envelope Size"));
    ui_.frPortLand = named(new QGroupBox, "frPortLand");
    ui_.optPortrait = named(new QRadioButton(tr("Portrait")), "optPortrait");
    ui_.optLandscape = named(new QRadioButton(tr("Landscape")), "optLandscape");
    ui_.frLMJust = named(new QGroupBox, "frLMJust");
    ui_.optLMCenter = named(new QRadioButton(tr("Centered")), "optLMCenter");
    ui_.optLMLeftjust = named(new QRadioButton(tr("Left-Justified")), "optLMLeftjust");
    ui_.chkBold = named(new QCheckBox(tr("Bold")), "chkBold");
    ui_.chkBold->setToolTip(tr("If checked, will print envelope in bold"));
    ui_.chkLargeFont = named(new QCheckBox(tr("Large Font")), "chkLargeFont");
    ui_.chkLargeFont->setToolTip(tr("If checked, will print envelope in larger, italicized font"));
    ui_.lblLMPosition = named(new QLabel, "lblLMPosition");
    ui_.lblLMEnvSize = named(new QLabel, "lblLMEnvSize");
    ui_.lblLMEnvSize->setWordWrap(true);

    // Lines on the left with their buttons, print options on the right.
    auto* lines = new QGridLayout;
    const QList<QPair<QLabel*, QLineEdit*>> rows = {{ui_.lblLMLine1, ui_.txtLMLine1},
                                                    {ui_.lblLMLine2, ui_.txtLMLine2},
                                                    {ui_.lblLMLine3, ui_.txtLMline3},
                                                    {ui_.lblLMLine4, ui_.txtLMLine4},
                                                    {ui_.lblLMLine5, ui_.txtLMLine5}};
    for (int r = 0; r < rows.size(); ++r) {
        lines->addWidget(rows[r].first, r, 0);
        lines->addWidget(rows[r].second, r, 1);
        rows[r].second->setMinimumWidth(320);
    }
    auto* lineButtons = new QHBoxLayout;
    lineButtons->addWidget(ui_.cmdLMStart);
    lineButtons->addWidget(ui_.cmdLMPreview);
    lineButtons->addWidget(ui_.cmdRetAddress);
    lineButtons->addWidget(ui_.cmdRetPreview);
    lineButtons->addWidget(ui_.cmdLMClear);
    lineButtons->addStretch();
    lines->addLayout(lineButtons, 5, 1);
    lines->addWidget(ui_.lblLMPosition, 6, 1);

    auto* media = new QVBoxLayout(ui_.frLMMediaType);
    media->addWidget(ui_.optLMLabel);
    media->addWidget(ui_.optLMEnvelope);
    auto* orientation = new QVBoxLayout(ui_.frPortLand);
    orientation->addWidget(ui_.optPortrait);
    orientation->addWidget(ui_.optLandscape);
    auto* justification = new QVBoxLayout(ui_.frLMJust);
    justification->addWidget(ui_.optLMLeftjust);
    justification->addWidget(ui_.optLMCenter);
    auto* options = new QVBoxLayout;
    auto* frames = new QHBoxLayout;
    frames->addWidget(ui_.frLMMediaType);
    frames->addWidget(ui_.frPortLand);
    frames->addWidget(ui_.frLMJust);
    options->addLayout(frames);
    options->addWidget(ui_.cboLMEnvelope);
    options->addWidget(ui_.lblLMEnvSize);
    auto* styles = new QHBoxLayout;
    styles->addWidget(ui_.chkBold);
    styles->addWidget(ui_.chkLargeFont);
    styles->addStretch();
    options->addLayout(styles);
    options->addStretch();

    auto* body = new QHBoxLayout(this);
    body->setContentsMargins(0, 0, 0, 0);
    body->addLayout(lines, 3);
    body->addSpacing(12);
    body->addLayout(options, 2);

    // Print first, then the five lines, as the typed-line workflow expects.
    setTabOrder(ui_.cmdLMStart, ui_.txtLMLine1);
    setTabOrder(ui_.txtLMLine1, ui_.txtLMLine2);
    setTabOrder(ui_.txtLMLine2, ui_.txtLMline3);
    setTabOrder(ui_.txtLMline3, ui_.txtLMLine4);
    setTabOrder(ui_.txtLMLine4, ui_.txtLMLine5);
    for (QLineEdit* line : {ui_.txtLMLine1, ui_.txtLMLine2, ui_.txtLMline3, ui_.txtLMLine4}) {
        installEnterAsTab(line);
    }
}

void TypedLinesPanel::connectCommands() {
    connect(ui_.cmdRetAddress, &QPushButton::clicked, this, &TypedLinesPanel::returnAddressCommand);
    connect(ui_.cmdLMStart, &QPushButton::clicked, this, &TypedLinesPanel::printCommand);
    connect(ui_.cmdLMPreview, &QPushButton::clicked, this, &TypedLinesPanel::previewCommand);
    connect(ui_.cmdRetPreview, &QPushButton::clicked, this,
            &TypedLinesPanel::returnAddressPreviewCommand);
    connect(ui_.cmdLMClear, &QPushButton::clicked, this, &TypedLinesPanel::clearForm);

    // The state follows every change of a control, however it came about.
    const auto lines = lineFields();
    for (int i = 0; i < kTypedLineCount; ++i) {
        connect(lines[static_cast<std::size_t>(i)], &QLineEdit::textChanged, this,
                [this, i] { takeLineFromControl(i); });
    }
    for (QAbstractButton* option : std::initializer_list<QAbstractButton*>{
             ui_.optLMLabel, ui_.optLMEnvelope, ui_.optPortrait, ui_.optLandscape, ui_.optLMCenter,
             ui_.optLMLeftjust, ui_.chkBold, ui_.chkLargeFont}) {
        connect(option, &QAbstractButton::toggled, this, &TypedLinesPanel::takeOptionsFromControls);
    }
    connect(&state_, &AppState::typedLinesChanged, this, &TypedLinesPanel::showTypedLines);
    connect(&state_, &AppState::printOptionsChanged, this, &TypedLinesPanel::showOptions);
    // A contact's lines handed over print without bold, which is offered with envelopes only.
    connect(&state_, &AppState::labelLinesHanded, ui_.chkBold, &QWidget::hide);

    connect(ui_.optLMLabel, &QRadioButton::clicked, this, &TypedLinesPanel::labelStockClicked);
    connect(ui_.optLMEnvelope, &QRadioButton::clicked, this, &TypedLinesPanel::envelopeClicked);
    connect(ui_.cboLMEnvelope, &QComboBox::activated, this, &TypedLinesPanel::envelopeSizePicked);
    connect(ui_.optPortrait, &QRadioButton::clicked, this, [this] { setPads(kDefaultSlot); });
    for (QRadioButton* option : {ui_.optLandscape, ui_.optLMCenter, ui_.optLMLeftjust}) {
        connect(option, &QRadioButton::clicked, this, [this] { ui_.txtLMLine1->setFocus(); });
    }
    for (QCheckBox* style : {ui_.chkBold, ui_.chkLargeFont}) {
        connect(style, &QCheckBox::clicked, this, [this] { ui_.cmdLMStart->setFocus(); });
    }
}

void TypedLinesPanel::startUp() {
    for (const char* size : kEnvelopeSizes) {
        ui_.cboLMEnvelope->addItem(tr(size));
    }
    ui_.cboLMEnvelope->setCurrentIndex(-1);
    showTypedLines();
    showOptions();
    ui_.cboLMEnvelope->hide();
    ui_.chkBold->hide();
    ui_.chkLargeFont->hide();
    setReturnAddressMode(ReturnAddressMode::Off);
}

std::array<QLineEdit*, kTypedLineCount> TypedLinesPanel::lineFields() const {
    return {ui_.txtLMLine1, ui_.txtLMLine2, ui_.txtLMline3, ui_.txtLMLine4, ui_.txtLMLine5};
}

std::array<std::string, kTypedLineCount> TypedLinesPanel::typedLinesCp() const {
    std::array<std::string, kTypedLineCount> out;
    const TypedLines& lines = state_.typedLines();
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = toCore(lines[i]);
    }
    return out;
}

void TypedLinesPanel::takeLineFromControl(int index) {
    state_.setTypedLine(index, lineFields()[static_cast<std::size_t>(index)]->text());
}

void TypedLinesPanel::showTypedLines() {
    const auto fields = lineFields();
    const TypedLines& lines = state_.typedLines();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i]->text() != lines[i]) {
            fields[i]->setText(lines[i]);
        }
    }
}

void TypedLinesPanel::takeOptionsFromControls() {
    if (syncing_) {
        return;
    }
    syncing_ = true;
    PrintOptions options = state_.printOptions();
    options.medium = ui_.optLMLabel->isChecked()      ? PrintMedium::LabelStock
                     : ui_.optLMEnvelope->isChecked() ? PrintMedium::Envelope
                                                      : PrintMedium::None;
    options.portrait = ui_.optPortrait->isChecked();
    options.alignment = ui_.optLMLeftjust->isChecked() ? TextAlignment::LeftJustified
                        : ui_.optLMCenter->isChecked() ? TextAlignment::Centered
                                                       : TextAlignment::None;
    options.bold = ui_.chkBold->isChecked();
    options.largeFont = ui_.chkLargeFont->isChecked();
    state_.setPrintOptions(options);
    syncing_ = false;
}

void TypedLinesPanel::showOptions() {
    if (syncing_) {
        return;
    }
    syncing_ = true;
    const PrintOptions& o = state_.printOptions();
    showChoice(ui_.optLMLabel, ui_.optLMEnvelope, o.medium == PrintMedium::LabelStock,
               o.medium == PrintMedium::Envelope);
    showChoice(ui_.optPortrait, ui_.optLandscape, o.portrait, !o.portrait);
    showChoice(ui_.optLMLeftjust, ui_.optLMCenter, o.alignment == TextAlignment::LeftJustified,
               o.alignment == TextAlignment::Centered);
    ui_.chkBold->setChecked(o.bold);
    ui_.chkLargeFont->setChecked(o.largeFont);
    showPosition();
    syncing_ = false;
}

void TypedLinesPanel::showPosition() {
    const PrintOptions& o = state_.printOptions();
    if (o.positionEntered) {
        ui_.lblLMPosition->setText(tr("Label Position ") + o.positionRange);
        ui_.lblLMPosition->show();
    } else {
        ui_.lblLMPosition->clear();
    }
}

void TypedLinesPanel::setPads(const TextSlot& slot) {
    PrintOptions options = state_.printOptions();
    options.leftPad = slot.startColumn;
    options.topPad = slot.topLines;
    state_.setPrintOptions(options);
}

void TypedLinesPanel::focusFirstLine() {
    ui_.txtLMLine1->setFocus();
}

void TypedLinesPanel::hideStyles() {
    for (QCheckBox* style : {ui_.chkBold, ui_.chkLargeFont}) {
        style->setChecked(false);
        style->hide();
    }
}

void TypedLinesPanel::switchOffBold() {
    ui_.chkBold->setChecked(false);
    ui_.chkBold->hide();
}

}  // namespace qm
