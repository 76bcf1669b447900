#pragma once
// Presents the rows of the shared dataset to data-bound views: one row per result row, the
// columns in result order, each cell the column's display text. Read-only (AutoEdit is off).
#include "ado_query.h"  // QPointer needs the complete dataset class

#include <QAbstractTableModel>
#include <QPointer>

class TDataSource : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TDataSource(TADOQuery* dataset, QObject* parent = nullptr);

    TADOQuery* dataset() const { return dataset_; }
    bool AutoEdit() const { return false; }
    // Index of a result column by name, ignoring case; -1 when absent or closed.
    int column(const QString& name) const;

    int currentRow() const;
    void setCurrentRow(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The dataset opened, closed or moved to another row.
    void DataChange();
    void currentRowChanged(int row);

private:
    void datasetActiveChanged();
    void datasetRowChanged(int row);

    QPointer<TADOQuery> dataset_;
};
