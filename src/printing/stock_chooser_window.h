#pragma once

// A label stock chooser: a search field and the list of the stocks it finds (by product
// number, vendor, size, paper or description). The choice is remembered in the settings
// under the job's key and offered again at the next start.

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <vector>

#include "app/app_state.h"

namespace qm {

struct LabelStock;

// The settings that remember each job's sheet.
inline constexpr const char* kLabelStockSetting = "LabelStock";
inline constexpr const char* kListLabelStockSetting = "ListLabelStock";
inline constexpr const char* kReturnLabelStockSetting = "ReturnLabelStock";

// The stock remembered under the key, or the job's own when none is (or the one remembered
// is no longer known).
const LabelStock& rememberedStock(AppState& state, const QString& settingKey,
                                  const LabelStock& jobDefault);

class StockChooser : public QWidget {
    Q_OBJECT
  public:
    // The controls are named prefix + "StockSearch" and prefix + "Stock" (txt..., cbo...).
    StockChooser(AppState& state, QString settingKey, const LabelStock& jobDefault,
                 const QString& prefix, QWidget* parent = nullptr);

    const LabelStock& stock() const { return *chosen_; }

  Q_SIGNALS:
    void stockChanged();

  private:
    void showFound(const QString& search);
    void picked(int index);

    AppState& state_;
    QString settingKey_;
    const LabelStock* chosen_;
    std::vector<const LabelStock*> shown_;
    QLineEdit* search_;
    QComboBox* list_;
};

}  // namespace qm
