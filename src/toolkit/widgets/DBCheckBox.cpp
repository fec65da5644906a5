#include "DBCheckBox.h"

namespace tk {

DBCheckBox::DBCheckBox(QWidget* parent) : QCheckBox(parent) {}

void DBCheckBox::setDataSource(DataSource* source) {
    followDataSource(this, source_, source, &DBCheckBox::rebind);
}

void DBCheckBox::setDataField(const QString& fieldName) {
    fieldName_ = fieldName;
    refreshFromField();
}

Field* DBCheckBox::field() const {
    if (!dataset_ || fieldName_.isEmpty())
        return nullptr;
    return dataset_->findField(fieldName_);
}

bool DBCheckBox::canModify() const {
    Field* f = field();
    return f && dataset_->isEditing() && !f->readOnly();
}

void DBCheckBox::rebind() {
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    dataset_ = source_ ? source_->dataset() : nullptr;
    if (dataset_) {
        connections_ << connect(dataset_, &Dataset::currentChanged, this, &DBCheckBox::refreshFromField);
        connections_ << connect(dataset_, &Dataset::rowsChanged, this, &DBCheckBox::refreshFromField);
        connections_ << connect(dataset_, &Dataset::stateChanged, this, &DBCheckBox::refreshFromField);
        connections_ << connect(dataset_, &Dataset::fieldChanged, this, [this](Field* changed) {
            Field* f = field();
            if (f && (!changed || changed == f || !f->isData()))
                refreshFromField();
        });
    }
    refreshFromField();
}

void DBCheckBox::refreshFromField() {
    Field* f = field();
    const bool on = f && dataset_->isActive() && !f->isNull() && f->asBoolean();
    if (isChecked() != on)
        setChecked(on);
}

void DBCheckBox::nextCheckState() {
    // Outside edit state a click leaves the box and the field as they are.
    if (!canModify())
        return;
    Field* f = field();
    const bool wanted = !isChecked();
    guard([&] { f->setAsBoolean(wanted); });
    refreshFromField(); // also when a change handler refused or altered the value
}

} // namespace tk
