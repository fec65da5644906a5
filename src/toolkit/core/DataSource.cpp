#include "DataSource.h"

namespace tk {

DataSource::DataSource(const QString& name, Dataset* dataset, QObject* parent) : QObject(parent) {
    setObjectName(name);
    setDataset(dataset);
}

void DataSource::setDataset(Dataset* dataset) {
    if (dataset_ == dataset)
        return;
    if (dataset_)
        disconnect(dataset_, &QObject::destroyed, this, nullptr);
    dataset_ = dataset;
    // A dataset that goes away must unbind the widgets as a replaced one does.
    if (dataset_)
        connect(dataset_, &QObject::destroyed, this, [this] { Q_EMIT datasetChanged(); });
    Q_EMIT datasetChanged();
}

} // namespace tk
