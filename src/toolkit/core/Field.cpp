#include "Field.h"

#include "Dataset.h"
#include "Errors.h"

#include <QLocale>
#include <cmath>

namespace tk {

Field::Field(Dataset* dataset, const QString& fieldName, FieldType type, int size, FieldKind kind)
    : dataset_(dataset), fieldName_(fieldName), type_(type), size_(size), kind_(kind) {}

QString Field::name() const {
    return dataset_->name() + fieldName_;
}

Field& Field::setDisplayLabel(const QString& label) {
    label_ = label;
    return *this;
}
Field& Field::setDisplayFormat(const QString& format) {
    displayFormat_ = format;
    return *this;
}
Field& Field::setEditFormat(const QString& format) {
    editFormat_ = format;
    return *this;
}
Field& Field::setEditMask(const QString& mask) {
    mask_ = EditMask(mask);
    return *this;
}
Field& Field::setDisplayValues(const QString& values) {
    displayValues_ = values;
    return *this;
}
Field& Field::setFixedChar(bool fixed) {
    fixed_ = fixed;
    return *this;
}
Field& Field::setDefaultValue(const QVariant& value) {
    default_ = value;
    return *this;
}
Field& Field::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    return *this;
}
Field& Field::setDisplayWidth(int characters) {
    displayWidth_ = characters;
    return *this;
}
Field& Field::setRange(int minimum, int maximum) {
    hasRange_ = true;
    minimum_ = minimum;
    maximum_ = maximum;
    return *this;
}
Field& Field::setLookup(Dataset* lookupDataset, const QString& keyField, const QString& lookupKeyField,
                        const QString& resultField) {
    lookupDataset_ = lookupDataset;
    lookupKeyField_ = keyField;
    lookupTargetKey_ = lookupKeyField;
    lookupResult_ = resultField;
    return *this;
}

int Field::displayWidth() const {
    if (displayWidth_ > 0)
        return displayWidth_;
    switch (type_) {
    case FieldType::String:
        return size_ > 0 ? size_ : 20;
    case FieldType::DateTime:
        return displayFormat_.isEmpty() ? 18 : int(displayFormat_.size());
    case FieldType::Boolean:
        return 5;
    case FieldType::Memo:
        return 10;
    default:
        return 10;
    }
}

QVariant Field::value() const {
    return dataset_->valueOf(*this);
}

void Field::setValue(const QVariant& value) {
    dataset_->setFieldValue(*this, normalize(value));
}

QString Field::asString() const {
    const QVariant v = value();
    if (!v.isValid() || v.isNull())
        return {};
    if (type_ == FieldType::Boolean)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (type_ == FieldType::DateTime)
        return displayTextOf(v);
    return v.toString();
}

int Field::asInteger() const {
    const QVariant v = value();
    if (type_ == FieldType::Float || type_ == FieldType::DateTime)
        return int(std::lround(v.toDouble()));
    return v.toInt();
}

double Field::asFloat() const {
    return value().toDouble();
}
TDateTime Field::asDateTime() const {
    return value().toDouble();
}

bool Field::asBoolean() const {
    const QVariant v = value();
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        return s == QLatin1String("true") || s == QLatin1String("1") || s == QLatin1String("a");
    }
    return v.toBool();
}

QString formatNumber(const QString& pattern, double value) {
    if (pattern.isEmpty())
        return QLocale().toString(value, 'g', 15);
    const int dot = pattern.indexOf(QLatin1Char('.'));
    const QString intPart = dot < 0 ? pattern : pattern.left(dot);
    const QString fracPart = dot < 0 ? QString() : pattern.mid(dot + 1);
    const int minInt = int(intPart.count(QLatin1Char('0')));
    const int decimals = int(fracPart.size());
    QString digits = QString::number(std::fabs(value), 'f', decimals);
    QString whole = digits, frac;
    if (decimals > 0) {
        whole = digits.section(QLatin1Char('.'), 0, 0);
        frac = digits.section(QLatin1Char('.'), 1, 1);
        while (frac.size() > fracPart.count(QLatin1Char('0')) && frac.endsWith(QLatin1Char('0')))
            frac.chop(1);
    }
    if (whole == QLatin1String("0") && minInt == 0)
        whole.clear();
    while (whole.size() < minInt)
        whole.prepend(QLatin1Char('0'));
    QString out = whole;
    if (!frac.isEmpty())
        out += QLocale().decimalPoint() + frac;
    if (value < 0 && !out.isEmpty())
        out.prepend(QLatin1Char('-'));
    return out;
}

QString Field::displayTextOf(const QVariant& v) const {
    if (!v.isValid() || v.isNull())
        return {};
    switch (type_) {
    case FieldType::Boolean: {
        const bool b = v.toBool();
        if (!displayValues_.isEmpty()) {
            const QStringList parts = displayValues_.split(QLatin1Char(';'));
            return b ? parts.value(0) : parts.value(1);
        }
        return b ? QStringLiteral("True") : QStringLiteral("False");
    }
    case FieldType::Integer:
    case FieldType::AutoInc:
        return displayFormat_.isEmpty() ? QString::number(v.toInt())
                                        : formatNumber(displayFormat_, v.toInt());
    case FieldType::Float:
        return formatNumber(displayFormat_, v.toDouble());
    case FieldType::DateTime: {
        if (!displayFormat_.isEmpty())
            return formatDateTime(displayFormat_, v.toDouble());
        const double d = v.toDouble();
        return formatDateTime(
            d == std::floor(d) ? QStringLiteral("dd.mm.yyyy") : QStringLiteral("dd.mm.yyyy hh:nn:ss"), d);
    }
    case FieldType::String:
        // A masked text shows with its literals, as it is typed (a postcode "110 00").
        if (!mask_.isEmpty() && !mask_.storesLiterals()) {
            QString shown = mask_.display(v.toString());
            while (shown.endsWith(QLatin1Char(' ')))
                shown.chop(1);
            return shown;
        }
        break;
    case FieldType::Memo:
        break;
    }
    return v.toString();
}

QString Field::displayText() const {
    return displayTextOf(value());
}

QString Field::text() const {
    const QVariant v = value();
    if (!v.isValid() || v.isNull())
        return {};
    switch (type_) {
    case FieldType::Integer:
    case FieldType::AutoInc:
        return editFormat_.isEmpty() ? QString::number(v.toInt()) : formatNumber(editFormat_, v.toInt());
    case FieldType::Float:
        return formatNumber(editFormat_, v.toDouble());
    case FieldType::DateTime: {
        const double d = v.toDouble();
        const bool withTime = displayFormat_.isEmpty()
                                  ? d != std::floor(d)
                                  : displayFormat_.contains(QLatin1Char('h'), Qt::CaseInsensitive);
        return formatDateTime(withTime ? QStringLiteral("dd.mm.yyyy hh:nn") : QStringLiteral("dd.mm.yyyy"),
                              d);
    }
    case FieldType::String:
    case FieldType::Memo:
        return v.toString(); // the editor applies the mask itself
    default:
        return displayTextOf(v);
    }
}

void Field::setText(const QString& text) {
    const QString t = text.trimmed();
    switch (type_) {
    case FieldType::String:
    case FieldType::Memo:
        setValue(text);
        return;
    case FieldType::Integer:
    case FieldType::AutoInc: {
        if (t.isEmpty()) {
            setValue(QVariant());
            return;
        }
        bool ok = false;
        const int n = t.toInt(&ok);
        if (!ok)
            throw DatabaseError(QStringLiteral("'%1' není platné celé číslo.").arg(t));
        if (hasRange_ && (n < minimum_ || n > maximum_))
            throw DatabaseError(QStringLiteral("Hodnota %1 pole %2 není v rozsahu %3 až %4.")
                                    .arg(n)
                                    .arg(displayLabel())
                                    .arg(minimum_)
                                    .arg(maximum_));
        setValue(n);
        return;
    }
    case FieldType::Float: {
        if (t.isEmpty()) {
            setValue(QVariant());
            return;
        }
        bool ok = false;
        double d = QLocale().toDouble(t, &ok);
        if (!ok)
            d = t.toDouble(&ok);
        if (!ok)
            throw DatabaseError(QStringLiteral("'%1' není platné číslo.").arg(t));
        setValue(d);
        return;
    }
    case FieldType::Boolean: {
        const QStringList parts = displayValues_.isEmpty()
                                      ? QStringList{QStringLiteral("True"), QStringLiteral("False")}
                                      : displayValues_.split(QLatin1Char(';'));
        if (t.compare(parts.value(0), Qt::CaseInsensitive) == 0 || t == QLatin1String("1"))
            setValue(true);
        else if (t.compare(parts.value(1), Qt::CaseInsensitive) == 0 || t == QLatin1String("0"))
            setValue(false);
        else if (t.isEmpty())
            setValue(QVariant());
        else
            throw DatabaseError(QStringLiteral("'%1' není platná logická hodnota.").arg(t));
        return;
    }
    case FieldType::DateTime: {
        if (t.isEmpty()) {
            setValue(QVariant());
            return;
        }
        TDateTime d = 0;
        if (!parseDateTime(t, d))
            throw DatabaseError(QStringLiteral("'%1' není platné datum a čas.").arg(t));
        setValue(d);
        return;
    }
    }
}

QVariant Field::normalize(const QVariant& v) const {
    if (!v.isValid() || v.isNull())
        return {};
    switch (type_) {
    case FieldType::String: {
        QString s = v.typeId() == QMetaType::Bool
                        ? (v.toBool() ? QStringLiteral("True") : QStringLiteral("False"))
                        : v.toString();
        if (size_ > 0 && s.size() > size_)
            s.truncate(size_);
        return s;
    }
    case FieldType::Memo:
        return v.toString();
    case FieldType::Integer:
    case FieldType::AutoInc: {
        if (v.typeId() == QMetaType::QString) {
            bool ok = false;
            const int n = v.toString().trimmed().toInt(&ok);
            if (!ok)
                throw DatabaseError(QStringLiteral("'%1' není platné celé číslo.").arg(v.toString()));
            return n;
        }
        if (v.typeId() == QMetaType::Double)
            return int(std::lround(v.toDouble()));
        return v.toInt();
    }
    case FieldType::Float:
        return v.toDouble();
    case FieldType::Boolean:
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed().toLower();
            return s == QLatin1String("true") || s == QLatin1String("1") || s == QLatin1String("a");
        }
        return v.toBool();
    case FieldType::DateTime:
        if (v.typeId() == QMetaType::QDateTime)
            return fromDateTime(v.toDateTime());
        if (v.typeId() == QMetaType::QDate)
            return fromDate(v.toDate());
        if (v.typeId() == QMetaType::QString) {
            TDateTime d = 0;
            if (!parseDateTime(v.toString(), d))
                throw DatabaseError(QStringLiteral("'%1' není platné datum a čas.").arg(v.toString()));
            return d;
        }
        return v.toDouble();
    }
    return v;
}

} // namespace tk
