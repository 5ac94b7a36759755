#pragma once

// The list of contact lines behind lstAllContacts: a model over the built entries (kept in
// list order) and a delegate that draws a line's tab-separated columns.

#include <QAbstractListModel>
#include <QFontMetricsF>
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
    // Adds lines at their sorted places, after equal lines already listed and in their own
    // order among themselves, as adding them one by one would; the selection stays on the
    // lines it was on.
    void addLines(std::vector<ListEntry> lines);
    // Removes the given rows (any order).
    void removeRows(std::vector<int> rows);
    void clear();

  private:
    std::vector<ListEntry> entries_;
};

// One column of a line as drawn: its text and where it goes.
struct DrawnColumn {
    QString text;
    double left = 0;
    double width = 0;
};

// Draws a list line. The raw columns keep their trailing blanks, so tabs alone (at the
// list's tab stops, in dialog units) leave the columns ragged; once column positions are
// given, each column starts at its own position instead, without its trailing blanks and
// cut short before the next one.
class ListLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    ListLineDelegate(std::vector<int> tabStopDialogUnits, QObject* parent);

    // Left edges in the view's viewport coordinates, one per column; empty: tab stops.
    void setColumnPositions(std::vector<double> positions) { columns_ = std::move(positions); }
    const std::vector<double>& columnPositions() const { return columns_; }

    // The columns of a line placed from the positions, clipped to the right edge.
    std::vector<DrawnColumn> layoutColumns(const QString& line, double right) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    QTextOption tabStopOption(const QFont& font) const;

    std::vector<int> stops_;
    std::vector<double> columns_;
};

}  // namespace qm
