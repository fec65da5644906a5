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

// Points a data-aware widget at a data source: the widget's `rebind` runs now and whenever the source's
// dataset changes or the source goes away.
template <class Widget>
void followDataSource(Widget* widget, QPointer<DataSource>& current, DataSource* source,
                      void (Widget::*rebind)()) {
    if (current == source)
        return;
    if (current)
        QObject::disconnect(current, nullptr, widget, nullptr);
    current = source;
    if (current) {
        QObject::connect(current, &DataSource::datasetChanged, widget, rebind);
        QObject::connect(current, &QObject::destroyed, widget, rebind);
    }
    (widget->*rebind)();
}

} // namespace tk
