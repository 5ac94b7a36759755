#pragma once

// The list of contact lines behind lstAllContacts: a model over the built entries (kept in
// list order) and a delegate that draws the tab-separated columns at the list's tab stops.

#include <QAbstractListModel>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <vector>

#include "list/contact_list.h"

namespace qm {

class ContactListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const std::vector<ListEntry>& entries() const { return entries_; }
    const ListEntry& entry(int row) const { return entries_.at(static_cast<std::size_t>(row)); }
    // Adds sorted entries at their places; lines already listed stay before equal ones.
    void addSorted(std::vector<ListEntry> sorted);
    // Adds one line at its sorted place; returns its row.
    int addLine(ListEntry entry);
    // Removes the given rows (any order).
    void removeRows(std::vector<int> rows);
    void clear();

  private:
    std::vector<ListEntry> entries_;
};

// Tab stops in dialog units, a quarter of the font's average character width each.
class TabStopDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    TabStopDelegate(std::vector<int> dialogUnits, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    QTextOption textOption(const QFont& font) const;

    std::vector<int> stops_;
};

}  // namespace qm
