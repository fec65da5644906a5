#pragma once

#include "toolkit/core/Dataset.h"

#include <QObject>
#include <QPointer>

namespace tk {

// Binds a dataset to data-aware widgets. It never starts editing by itself: a row enters edit or insert
// state only through a navigator's Edit or Insert button or by the program.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(const QString& name, Dataset* dataset = nullptr, QObject* parent = nullptr);
    Dataset* dataset() const { return dataset_; }
    void setDataset(Dataset* dataset);

Q_SIGNALS:
    void datasetChanged();

private:
    QPointer<Dataset> dataset_;
};

} // namespace tk
