#include "DBEdit.h"

#include <QSignalBlocker>

namespace tk {

namespace {
constexpr int kUnlimitedLength = 32767;
}

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    // Connected first, so the field holds the typed value before anybody else hears of the change.
    connect(this, &QLineEdit::textChanged, this, &DBEdit::onTextChanged);
}

void DBEdit::setDataSource(DataSource* source) {
    followDataSource(this, source_, source, &DBEdit::rebind);
}

void DBEdit::setDataField(const QString& fieldName) {
    fieldName_ = fieldName;
    pending_ = false;
    refreshFromField();
}

Field* DBEdit::field() const {
    if (!dataset_ || fieldName_.isEmpty())
        return nullptr;
    return dataset_->findField(fieldName_);
}

QString DBEdit::shownText() const {
    return inputMask().isEmpty() ? text() : displayText();
}

QString DBEdit::editValue() const {
    Field* f = field();
    if (f && showsEditText() && !f->editMask().isEmpty())
        return f->editMask().value(displayText());
    return text();
}

bool DBEdit::canModify() const {
    Field* f = field();
    return f && dataset_ && dataset_->isEditing() && !f->readOnly();
}

bool DBEdit::showsEditText() const {
    return canModify();
}

void DBEdit::rebind() {
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    dataset_ = source_ ? source_->dataset() : nullptr;
    if (dataset_) {
        connections_ << connect(dataset_, &Dataset::currentChanged, this, &DBEdit::refreshFromField);
        connections_ << connect(dataset_, &Dataset::rowsChanged, this, &DBEdit::refreshFromField);
        connections_ << connect(dataset_, &Dataset::stateChanged, this, &DBEdit::refreshFromField);
        connections_ << connect(dataset_, &Dataset::fieldChanged, this, &DBEdit::onFieldChanged);
        connections_ << connect(dataset_, &Dataset::updateRecordRequested, this, &DBEdit::writeToField);
    }
    pending_ = false;
    refreshFromField();
}

void DBEdit::onFieldChanged(Field* changed) {
    Field* f = field();
    if (!f)
        return;
    // Derived values may follow any other field of the row.
    if (changed && changed != f && f->isData())
        return;
    // Our own write: the shown text is what the user typed and stays as it is (a handler that reformats
    // the value must not move the cursor under the user's fingers).
    if (writing_ && (changed == f || !changed))
        return;
    refreshFromField();
}

void DBEdit::refreshFromField() {
    const QString before = text();
    const QString shownBefore = displayText();
    Field* f = field();
    QString mask;
    QString newText;
    const bool editing = showsEditText();
    if (f && dataset_ && dataset_->isActive()) {
        if (editing) {
            const EditMask& m = f->editMask();
            if (m.isEmpty()) {
                newText = f->text();
            } else {
                mask = m.qtInputMask();
                newText = m.display(f->text());
            }
        } else {
            newText = f->displayText();
        }
    }

    refreshing_ = true;
    {
        // One textChanged for the whole swap of mask and text, not one per intermediate step.
        const QSignalBlocker blocker(this);
        if (inputMask() != mask)
            setInputMask(mask);
        if (mask.isEmpty()) {
            const bool limited = editing && f->type() == FieldType::String && f->size() > 0;
            setMaxLength(limited ? f->size() : kUnlimitedLength);
        }
        setText(newText);
        if (editing && !mask.isEmpty())
            setCursorPosition(0); // a full mask accepts no typing at its end
        if (editing && hasFocus())
            selectAll();
        setModified(false);
        updateReadOnly();
    }
    pending_ = false;
    if (text() != before || displayText() != shownBefore)
        Q_EMIT textChanged(text());
    refreshing_ = false;
}

void DBEdit::onTextChanged() {
    if (refreshing_ || writing_ || !canModify())
        return;
    pending_ = true;
    Field* f = field();
    const QString value = editValue();
    writing_ = true;
    guard([&] {
        try {
            f->setText(value);
            pending_ = false;
        } catch (const DatabaseError&) {
            // Not a value of the field yet (half a date, say): kept and written when the row is posted,
            // where the error is reported.
        }
    });
    writing_ = false;
}

void DBEdit::writeToField() {
    if (!pending_ || !canModify())
        return;
    Field* f = field();
    const QString value = editValue();
    writing_ = true;
    try {
        f->setText(value);
        pending_ = false;
    } catch (const DatabaseError& e) {
        dataset_->failUpdate(e.message()); // the post fails with the field's message
    } catch (const Abort&) {
        dataset_->failUpdate(QStringLiteral("Hodnotu nelze zapsat."));
    }
    writing_ = false;
}

void DBEdit::updateReadOnly() {
    setReadOnly(!canModify());
}

} // namespace tk
