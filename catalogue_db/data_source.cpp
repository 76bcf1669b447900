#include "data_source.h"

#include "ado_query.h"

TDataSource::TDataSource(TADOQuery* dataset, QObject* parent) : QAbstractTableModel(parent), dataset_(dataset)
{
    if (dataset_) {
        connect(dataset_, &TADOQuery::activeChanged, this, &TDataSource::datasetActiveChanged);
        connect(dataset_, &TADOQuery::currentRowChanged, this, &TDataSource::datasetRowChanged);
        connect(dataset_, &QObject::destroyed, this, &TDataSource::datasetActiveChanged);
    }
}

int TDataSource::column(const QString& name) const { return dataset_ ? dataset_->columnIndex(name) : -1; }

int TDataSource::currentRow() const { return dataset_ ? dataset_->RecNo() : -1; }

void TDataSource::setCurrentRow(int row)
{
    if (dataset_)
        dataset_->setRecNo(row);
}

int TDataSource::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !dataset_ ? 0 : dataset_->RecordCount();
}

int TDataSource::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !dataset_ ? 0 : int(dataset_->columnNames().size());
}

QVariant TDataSource::data(const QModelIndex& index, int role) const
{
    if (!dataset_ || !index.isValid() || role != Qt::DisplayRole)
        return QVariant();
    return dataset_->displayText(index.row(), index.column());
}

QVariant TDataSource::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section + 1;
    const QStringList names = dataset_ ? dataset_->columnNames() : QStringList();
    return section >= 0 && section < names.size() ? QVariant(names[section]) : QVariant();
}

Qt::ItemFlags TDataSource::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TDataSource::datasetActiveChanged()
{
    beginResetModel();
    endResetModel();
    emit DataChange();
}

void TDataSource::datasetRowChanged(int row)
{
    emit currentRowChanged(row);
    emit DataChange();
}
