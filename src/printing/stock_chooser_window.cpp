#include "printing/stock_chooser_window.h"

#include <QHBoxLayout>
#include <QSignalBlocker>

#include "platform/qt_text.h"
#include "printing/label_stock.h"
#include "printing/stock_library.h"

namespace qm {

namespace {

// "Avery L7160 - 21-up, 63.5 x 38.1 mm, A4 - Address labels"
QString entryText(const LabelStock& stock) {
    std::string text = std::string(stock.name) + " - " + std::to_string(stock.sheet.labels()) +
                       "-up, " + labelSizeText(stock) + ", " + paperText(stock);
    if (!stock.description.empty()) {
        text += " - " + std::string(stock.description);
    }
    return QString::fromStdString(text);
}

}  // namespace

const LabelStock& rememberedStock(AppState& state, const QString& settingKey,
                                  const LabelStock& jobDefault) {
    const QString remembered = state.platform.readSetting(settingKey).toString();
    if (!remembered.isEmpty()) {
        if (const LabelStock* stock = state.stocks().find(remembered.toStdString())) {
            return *stock;
        }
    }
    return jobDefault;
}

StockChooser::StockChooser(AppState& state, QString settingKey, const LabelStock& jobDefault,
                           const QString& prefix, QWidget* parent)
    : QWidget(parent),
      state_(state),
      settingKey_(std::move(settingKey)),
      chosen_(&rememberedStock(state, settingKey_, jobDefault)),
      search_(new QLineEdit),
      list_(new QComboBox) {
    search_->setObjectName(QStringLiteral("txt") + prefix + QStringLiteral("StockSearch"));
    search_->setPlaceholderText(tr("Find a label sheet: 8160, L7163, A4, 2 x 4..."));
    search_->setClearButtonEnabled(true);
    list_->setObjectName(QStringLiteral("cbo") + prefix + QStringLiteral("Stock"));
    list_->setToolTip(tr("The label sheet to print on"));
    list_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list_->setMinimumContentsLength(24);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(search_, 1);
    row->addWidget(list_, 2);

    showFound({});
    connect(search_, &QLineEdit::textChanged, this, &StockChooser::showFound);
    connect(list_, &QComboBox::activated, this, &StockChooser::picked);
}

// The stocks the search finds; the chosen one stays chosen while it is among them.
void StockChooser::showFound(const QString& search) {
    shown_ = state_.stocks().search(search.toStdString());
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const LabelStock* stock : shown_) {
        list_->addItem(entryText(*stock));
    }
    const auto at = std::find(shown_.begin(), shown_.end(), chosen_);
    list_->setCurrentIndex(at == shown_.end() ? -1 : static_cast<int>(at - shown_.begin()));
}

void StockChooser::picked(int index) {
    if (index < 0 || index >= static_cast<int>(shown_.size()) || shown_[index] == chosen_) {
        return;
    }
    chosen_ = shown_[static_cast<std::size_t>(index)];
    state_.platform.writeSetting(settingKey_, QString::fromStdString(std::string(chosen_->name)));
    Q_EMIT stockChanged();
}

}  // namespace qm
