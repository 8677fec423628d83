#pragma once

#include "engine/DataFileRecordRow.h"

#include <QAbstractTableModel>
#include <vector>

namespace gw {

// The records of a data file as table rows. The last rows may be provisional: the records still
// open at the end of the file as far as it was read, replaced at each reading.
class DataFileTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Index, Disk, Hole, Type, Temperature, Points, Started, Problems, ColumnCount };
    // Numbers sort as numbers; the start times sort in file order.
    static constexpr int SortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    void clear();
    void append(const std::vector<DataFileRecordRow>& rows);
    void setTail(const std::vector<DataFileRecordRow>& rows);
    const DataFileRecordRow& rowAt(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    int provisionalRows() const { return tail_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void dropTail();
    QVariant display(const DataFileRecordRow& row, int column) const;
    QVariant sortKey(const DataFileRecordRow& row, int column) const;

    std::vector<DataFileRecordRow> rows_;
    int tail_ = 0;
};

} // namespace gw
