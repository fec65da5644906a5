#pragma once

#include "toolkit/core/DataSource.h"

#include <QCheckBox>
#include <QPointer>

namespace tk {

// A check box bound to a boolean field; it follows the current row and changes the field only while the
// dataset is in edit or insert state.
class DBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit DBCheckBox(QWidget* parent = nullptr);
    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return source_; }
    void setDataField(const QString& fieldName);
    QString dataField() const { return fieldName_; }
    Field* field() const;
    bool canModify() const;

protected:
    void nextCheckState() override;

private:
    void rebind();
    void refreshFromField();
    QPointer<DataSource> source_;
    QPointer<Dataset> dataset_;
    QString fieldName_;
    QList<QMetaObject::Connection> connections_;
};

} // namespace tk
