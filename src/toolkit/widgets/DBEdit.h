#pragma once

#include "toolkit/core/DataSource.h"

#include <QLineEdit>
#include <QPointer>

namespace tk {

// A one-line edit bound to one field of a data source. It shows the field's display text while the
// dataset browses and its edit text (through the field's edit mask) while it edits; it can be typed into
// only while the dataset is in edit or insert state and the field is writable. Typed text is written into
// the field as soon as it is a valid value, and at the latest when the dataset posts. textChanged fires
// whenever the shown text changes: typing, the program setting the field, the cursor moving.
class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DBEdit(QWidget* parent = nullptr);
    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return source_; }
    void setDataField(const QString& fieldName);
    QString dataField() const { return fieldName_; }
    Field* field() const;

    // The text as shown, with the blanks of unfilled mask positions.
    QString shownText() const;
    // The value the shown text stands for: literals dropped unless the mask stores them.
    QString editValue() const;
    // True while the edit shows the field's edit text and accepts typing.
    bool canModify() const;

private:
    void rebind();
    void refreshFromField();
    void onFieldChanged(Field* changed);
    void onTextChanged();
    void writeToField();
    void updateReadOnly();
    bool showsEditText() const;
    QPointer<DataSource> source_;
    QPointer<Dataset> dataset_;
    QString fieldName_;
    bool refreshing_ = false;
    bool writing_ = false;
    bool pending_ = false; // shown text not yet stored in the field
    QList<QMetaObject::Connection> connections_;
};

} // namespace tk
