#include "engine/views/DataFileTableModel.h"

#include "platform/Windows1252.h"

#include <QBrush>
#include <QColor>
#include <QStringList>
#include <limits>

namespace gw {

namespace {

const char* const Headers[DataFileTableModel::ColumnCount] = {
    "#", "Disk", "Hole", "Type", "Temperature", "Points", "Started", "Problems"};

QVariant Number(const std::string& text) {
    bool ok = false;
    const double value = QString::fromStdString(text).replace(',', '.').toDouble(&ok);
    return ok ? value : -std::numeric_limits<double>::infinity();
}

} // namespace

void DataFileTableModel::clear() {
    beginResetModel();
    rows_.clear();
    tail_ = 0;
    endResetModel();
}

void DataFileTableModel::dropTail() {
    if (tail_ == 0) {
        return;
    }
    const int first = static_cast<int>(rows_.size()) - tail_;
    beginRemoveRows({}, first, static_cast<int>(rows_.size()) - 1);
    rows_.resize(static_cast<std::size_t>(first));
    tail_ = 0;
    endRemoveRows();
}

void DataFileTableModel::append(const std::vector<DataFileRecordRow>& rows) {
    if (rows.empty()) {
        return;
    }
    dropTail();
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.insert(rows_.end(), rows.begin(), rows.end());
    endInsertRows();
}

void DataFileTableModel::setTail(const std::vector<DataFileRecordRow>& rows) {
    // A file that has not changed gives the same tail: leave the rows (and the selection) be.
    if (std::equal(rows_.end() - tail_, rows_.end(), rows.begin(), rows.end())) {
        return;
    }
    dropTail();
    if (rows.empty()) {
        return;
    }
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.insert(rows_.end(), rows.begin(), rows.end());
    tail_ = static_cast<int>(rows.size());
    endInsertRows();
}

int DataFileTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int DataFileTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DataFileTableModel::display(const DataFileRecordRow& row, int column) const {
    switch (column) {
    case Index:
        return row.index;
    case Disk:
        return FromWindows1252(row.disk);
    case Hole:
        return FromWindows1252(row.hole);
    case Type:
        return FromWindows1252(row.type);
    case Temperature:
        return FromWindows1252(row.temperature);
    case Points:
        return row.points;
    case Started:
        return FromWindows1252(row.started);
    case Problems:
        return row.problems.empty() ? QString() : FromWindows1252(row.problems.front());
    default:
        return {};
    }
}

QVariant DataFileTableModel::sortKey(const DataFileRecordRow& row, int column) const {
    switch (column) {
    case Disk:
        return Number(row.disk);
    case Hole:
        return Number(row.hole);
    case Temperature:
        return Number(row.temperature);
    case Points:
        return row.points;
    case Type:
    case Problems:
        return display(row, column);
    default:
        return row.index;
    }
}

QVariant DataFileTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) {
        return {};
    }
    const DataFileRecordRow& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return display(row, index.column());
    case SortRole:
        return sortKey(row, index.column());
    case Qt::ToolTipRole: {
        QStringList lines;
        for (const std::string& problem : row.problems) {
            lines << FromWindows1252(problem);
        }
        return lines.isEmpty() ? QVariant() : lines.join('\n');
    }
    case Qt::BackgroundRole:
        return row.problems.empty() ? QVariant() : QBrush(QColor(255, 224, 224));
    case Qt::TextAlignmentRole:
        return index.column() == Type || index.column() == Started || index.column() == Problems
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant DataFileTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount) {
        return QString::fromLatin1(Headers[section]);
    }
    return {};
}

} // namespace gw
