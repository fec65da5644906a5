#pragma once

#include "DateTime.h"
#include "EditMask.h"
#include "Engine.h"

#include <QString>
#include <QVariant>
#include <functional>

namespace tk {

class Dataset;

enum class FieldKind { Data, Calculated, Lookup };

// A persistent field of a dataset: one column (or a derived value) of the current row, with its
// presentation. The field object's name is the dataset's name followed by the column's ("QReserveDatumCas").
class Field {
public:
    Field(Dataset* dataset, const QString& fieldName, FieldType type, int size, FieldKind kind);

    Dataset* dataset() const { return dataset_; }
    QString fieldName() const { return fieldName_; }
    QString name() const; // object name
    FieldType type() const { return type_; }
    int size() const { return size_; }
    FieldKind kind() const { return kind_; }
    bool isData() const { return kind_ == FieldKind::Data; }

    // Presentation; each returns the field for chaining.
    Field& setDisplayLabel(const QString& label);
    Field& setDisplayFormat(const QString& format);
    Field& setEditFormat(const QString& format);
    Field& setEditMask(const QString& mask);
    Field& setDisplayValues(const QString& values); // booleans: "A;N"
    Field& setFixedChar(bool fixed);
    Field& setDefaultValue(const QVariant& value);
    Field& setReadOnly(bool readOnly);
    Field& setDisplayWidth(int characters);
    Field& setRange(int minimum, int maximum);
    // A look-up field: the value of `resultField` in the row of `lookupDataset` whose `lookupKeyField`
    // equals this dataset's `keyField`.
    Field& setLookup(Dataset* lookupDataset, const QString& keyField, const QString& lookupKeyField,
                     const QString& resultField);

    QString displayLabel() const { return label_.isEmpty() ? fieldName_ : label_; }
    QString displayFormat() const { return displayFormat_; }
    QString editFormat() const { return editFormat_; }
    const EditMask& editMask() const { return mask_; }
    QString displayValues() const { return displayValues_; }
    bool fixedChar() const { return fixed_; }
    QVariant defaultValue() const { return default_; }
    bool readOnly() const { return readOnly_ || type_ == FieldType::AutoInc || kind_ != FieldKind::Data; }
    int displayWidth() const;

    // Called after the field's value has changed in the current row (by a user or the program).
    std::function<void(Field&)> onChange;

    // Values of the row being shown (the current row, or the row whose derived fields are computed).
    QVariant value() const;
    void setValue(const QVariant& value);
    bool isNull() const { return !value().isValid() || value().isNull(); }
    void clear() { setValue(QVariant()); }

    QString asString() const;
    void setAsString(const QString& value) { setValue(value); }
    int asInteger() const;
    void setAsInteger(int value) { setValue(value); }
    double asFloat() const;
    void setAsFloat(double value) { setValue(value); }
    TDateTime asDateTime() const;
    void setAsDateTime(TDateTime value) { setValue(value); }
    bool asBoolean() const;
    void setAsBoolean(bool value) { setValue(value); }

    // The text shown when the field is not being edited (display format, display values).
    QString displayText() const;
    QString displayTextOf(const QVariant& value) const; // the same for a value of another row
    // The text offered for editing (edit format; masks are applied by the widget).
    QString text() const;
    // Sets the value from a typed text; throws DatabaseError with a readable message when the text is not
    // a value of the field's type or lies outside its range.
    void setText(const QString& text);

    // Converts a value of any kind to this field's canonical kind (QString, int, double, bool, TDateTime as
    // double); an invalid QVariant for null.
    QVariant normalize(const QVariant& value) const;

private:
    friend class Dataset;
    Dataset* dataset_;
    QString fieldName_;
    FieldType type_;
    int size_;
    FieldKind kind_;
    int index_ = -1; // slot in the row
    QString label_, displayFormat_, editFormat_, displayValues_;
    EditMask mask_;
    bool fixed_ = false, readOnly_ = false;
    QVariant default_;
    int displayWidth_ = 0;
    bool hasRange_ = false;
    int minimum_ = 0, maximum_ = 0;
    Dataset* lookupDataset_ = nullptr;
    QString lookupKeyField_, lookupTargetKey_, lookupResult_;
};

// Formats a number by a pattern of "0" (digit, always shown) and "#" (digit when significant), with an
// optional decimal point: "00" shows 5 as "05".
QString formatNumber(const QString& pattern, double value);

} // namespace tk
