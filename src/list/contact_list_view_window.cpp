#include "list/contact_list_view_window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "platform/qt_text.h"

namespace qm {

int ContactListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant ContactListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole) {
        return {};
    }
    // Converted on demand: the view asks only for the rows it shows.
    return fromCore(entries_[static_cast<std::size_t>(index.row())].line);
}

void ContactListModel::addSorted(std::vector<ListEntry> sorted) {
    if (sorted.empty()) {
        return;
    }
    beginResetModel();
    if (entries_.empty()) {
        entries_ = std::move(sorted);
    } else {
        std::vector<ListEntry> merged;
        merged.reserve(entries_.size() + sorted.size());
        std::merge(
            std::make_move_iterator(entries_.begin()), std::make_move_iterator(entries_.end()),
            std::make_move_iterator(sorted.begin()), std::make_move_iterator(sorted.end()),
            std::back_inserter(merged),
            [](const ListEntry& a, const ListEntry& b) { return listLineBefore(a.line, b.line); });
        entries_ = std::move(merged);
    }
    endResetModel();
}

void ContactListModel::addLines(std::vector<ListEntry> lines) {
    const auto before = [](const ListEntry& a, const ListEntry& b) {
        return listLineBefore(a.line, b.line);
    };
    std::stable_sort(lines.begin(), lines.end(), before);
    if (entries_.empty()) {
        addSorted(std::move(lines));
        return;
    }
    // One merge rather than an insertion per line: a pasted list of many thousand lines
    // would otherwise move the whole list once per line.
    Q_EMIT layoutAboutToBeChanged();
    std::vector<int> newRow(entries_.size());
    std::vector<ListEntry> merged;
    merged.reserve(entries_.size() + lines.size());
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < entries_.size() || j < lines.size()) {
        if (j < lines.size() && (i == entries_.size() || before(lines[j], entries_[i]))) {
            merged.push_back(std::move(lines[j++]));
        } else {
            newRow[i] = static_cast<int>(merged.size());
            merged.push_back(std::move(entries_[i++]));
        }
    }
    entries_ = std::move(merged);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    for (const QModelIndex& index : from) {
        to.append(index.row() < static_cast<int>(newRow.size())
                      ? createIndex(newRow[static_cast<std::size_t>(index.row())], 0)
                      : QModelIndex());
    }
    changePersistentIndexList(from, to);
    Q_EMIT layoutChanged();
}

void ContactListModel::removeRows(std::vector<int> rows) {
    // From the last to the first, a run of neighbouring rows at a time.
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::size_t i = 0;
    while (i < rows.size()) {
        std::size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] - 1) {
            ++j;
        }
        const int first = rows[j];
        const int last = rows[i];
        beginRemoveRows(QModelIndex(), first, last);
        entries_.erase(entries_.begin() + first, entries_.begin() + last + 1);
        endRemoveRows();
        i = j + 1;
    }
}

void ContactListModel::clear() {
    beginResetModel();
    entries_.clear();
    endResetModel();
}

ListLineDelegate::ListLineDelegate(std::vector<int> tabStopDialogUnits, QObject* parent)
    : QStyledItemDelegate(parent), stops_(std::move(tabStopDialogUnits)) {}

QTextOption ListLineDelegate::tabStopOption(const QFont& font) const {
    const double unit = QFontMetricsF(font).averageCharWidth() / 4.0;
    QList<QTextOption::Tab> tabs;
    for (int stop : stops_) {
        tabs.append(QTextOption::Tab(stop * unit, QTextOption::LeftTab));
    }
    QTextOption option;
    option.setTabs(tabs);
    option.setWrapMode(QTextOption::NoWrap);
    return option;
}

std::vector<DrawnColumn> ListLineDelegate::layoutColumns(const QString& line, double right) const {
    // Room left between one column's text and the next column.
    constexpr double kGap = 6.0;
    QStringList parts = line.split(QLatin1Char('\t'));
    // A pasted line may have more tabs than there are columns: the rest shares the last.
    while (parts.size() > static_cast<qsizetype>(columns_.size()) && parts.size() > 1) {
        const QString rest = parts.takeLast();
        parts.back() += QLatin1Char(' ') + rest;
    }
    std::vector<DrawnColumn> drawn;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const double left = columns_[static_cast<std::size_t>(i)];
        const bool lastColumn = static_cast<std::size_t>(i) + 1 >= columns_.size();
        const double end =
            lastColumn ? right : std::min(right, columns_[static_cast<std::size_t>(i) + 1] - kGap);
        QString text = parts[i];
        while (!text.isEmpty() && text.back() == QLatin1Char(' ')) {
            text.chop(1);
        }
        if (text.isEmpty() || end <= left) {
            continue;
        }
        drawn.push_back(DrawnColumn{text, left, end - left});
    }
    return drawn;
}

void ListLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    // The background, focus and selection as the style draws them, then the text ourselves:
    // the style's item text knows neither tab stops nor columns.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    painter->save();
    painter->setFont(opt.font);
    const bool selected = (opt.state & QStyle::State_Selected) != 0;
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    if (columns_.empty()) {
        QTextOption textOpt = tabStopOption(opt.font);
        textOpt.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        painter->drawText(textRect, text, textOpt);
    } else {
        const QFontMetricsF metrics(opt.font);
        for (const DrawnColumn& column : layoutColumns(text, textRect.right() + 1.0)) {
            const QRectF cell(column.left, textRect.top(), column.width, textRect.height());
            painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                              metrics.elidedText(column.text, Qt::ElideRight, column.width));
        }
    }
    painter->restore();
}

}  // namespace qm
