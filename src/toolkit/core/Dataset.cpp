#include "Dataset.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cmath>

namespace tk {

namespace {

QString rtrimmed(QString s) {
    while (s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s;
}

bool sameValue(const QVariant& a, const QVariant& b) {
    const bool an = !a.isValid() || a.isNull(), bn = !b.isValid() || b.isNull();
    if (an || bn)
        return an == bn;
    return a == b;
}

QString sqlError(const QSqlQuery& q) {
    const QSqlError e = q.lastError();
    QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return text.trimmed();
}

} // namespace

Dataset::Dataset(const QString& name, QObject* parent) : QObject(parent) {
    setObjectName(name);
}

Dataset::~Dataset() = default;

void Dataset::setConnection(Connection* connection) {
    if (connection_ == connection)
        return;
    close();
    connection_ = connection;
}

void Dataset::setSql(const QString& text) {
    sql_ = text.split(QStringLiteral("\r\n"));
}

void Dataset::addSql(const QString& line) {
    sql_ << line.split(QStringLiteral("\r\n"));
}

QString Dataset::tableName() const {
    if (!table_.isEmpty())
        return table_;
    static const QRegularExpression re(QStringLiteral(R"(\bfrom\s+\[?([A-Za-z_][A-Za-z0-9_]*))"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(sqlText());
    return m.hasMatch() ? m.captured(1) : QString();
}

Field& Dataset::addField(const QString& fieldName, FieldType type, int size) {
    fields_.push_back(std::make_unique<Field>(this, fieldName, type, size, FieldKind::Data));
    defineSlots();
    return *fields_.back();
}

Field& Dataset::addCalcField(const QString& fieldName, FieldType type, int size) {
    fields_.push_back(std::make_unique<Field>(this, fieldName, type, size, FieldKind::Calculated));
    defineSlots();
    return *fields_.back();
}

Field& Dataset::addLookupField(const QString& fieldName, FieldType type, int size, Dataset* lookupDataset,
                               const QString& keyField, const QString& lookupKeyField,
                               const QString& resultField) {
    fields_.push_back(std::make_unique<Field>(this, fieldName, type, size, FieldKind::Lookup));
    fields_.back()->setLookup(lookupDataset, keyField, lookupKeyField, resultField);
    defineSlots();
    return *fields_.back();
}

void Dataset::defineSlots() {
    for (size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->index_ = int(i);
}

Field* Dataset::findField(const QString& fieldName) const {
    for (const auto& f : fields_)
        if (f->fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

Field& Dataset::fieldByName(const QString& fieldName) const {
    if (Field* f = findField(fieldName))
        return *f;
    throw DatabaseError(QStringLiteral("%1: pole '%2' nebylo nalezeno.").arg(name(), fieldName));
}

void Dataset::requireActive() const {
    if (!isActive())
        throw DatabaseError(QStringLiteral("%1: dataset není otevřen.").arg(name()));
}

void Dataset::run(const Handler& handler) {
    if (handler)
        handler(*this);
}

// ---- Reading

void Dataset::fetch() {
    if (!connection_ || !connection_->isOpen())
        throw DatabaseError(QStringLiteral("%1: spojení k databázi není otevřeno.").arg(name()));
    Engine* engine = connection_->engine();
    QSqlQuery q(connection_->database());
    q.setForwardOnly(true);
    if (!q.exec(sqlText()))
        throw DatabaseError(sqlError(q));
    const QSqlRecord rec = q.record();
    if (fields_.empty() || dynamicFields_) {
        fields_.clear();
        for (int i = 0; i < rec.count(); ++i)
            fields_.push_back(std::make_unique<Field>(this, rec.fieldName(i), engine->columnType(q, i), 0,
                                                      FieldKind::Data));
        dynamicFields_ = true;
        defineSlots();
    }
    std::vector<std::pair<int, int>> map; // field slot -> result column
    for (const auto& f : fields_) {
        if (!f->isData())
            continue;
        const int col = rec.indexOf(f->fieldName());
        if (col < 0)
            throw DatabaseError(QStringLiteral("%1: pole '%2' nebylo nalezeno.").arg(name(), f->fieldName()));
        map.emplace_back(f->index_, col);
    }
    std::vector<Row> rows;
    while (q.next()) {
        Row r;
        r.values.resize(fields_.size());
        for (const auto& [slot, col] : map)
            r.values[size_t(slot)] = engine->fromDb(q.value(col), fields_[size_t(slot)]->type());
        rows.push_back(std::move(r));
    }
    rows_ = std::move(rows);
    computeAllCalcFields();
}

void Dataset::computeCalcFields(Row& row) {
    bool any = false;
    for (const auto& f : fields_)
        if (f->kind() == FieldKind::Calculated) {
            row.values[size_t(f->index_)] = QVariant();
            any = true;
        }
    if (!any || !calcFields)
        return;
    const Row* saved = calcRow_;
    calcRow_ = &row;
    try {
        calcFields(*this);
    } catch (...) {
        calcRow_ = saved;
        throw;
    }
    calcRow_ = saved;
}

void Dataset::computeAllCalcFields() {
    for (Row& r : rows_)
        computeCalcFields(r);
}

void Dataset::open() {
    if (isActive())
        return;
    run(beforeOpen);
    fetch();
    state_ = DatasetState::Browse;
    current_ = rows_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.empty();
    modified_ = false;
    Q_EMIT rowsChanged();
    Q_EMIT stateChanged();
    Q_EMIT currentChanged();
    run(afterOpen);
}

void Dataset::close() {
    if (!isActive())
        return;
    run(beforeClose);
    rows_.clear();
    editRow_ = Row();
    current_ = -1;
    bof_ = eof_ = true;
    modified_ = false;
    state_ = DatasetState::Inactive;
    if (dynamicFields_) {
        fields_.clear();
        dynamicFields_ = false;
    }
    Q_EMIT rowsChanged();
    Q_EMIT stateChanged();
    Q_EMIT currentChanged();
    run(afterClose);
}

void Dataset::requery() {
    requireActive();
    checkBrowseMode();
    const QStringList keys = keyFieldNames();
    std::vector<QVariant> key;
    const int oldRecNo = recNo();
    if (current_ >= 0)
        for (const QString& k : keys)
            key.push_back(rows_[size_t(current_)].values[size_t(fieldByName(k).index_)]);
    fetch();
    int found = -1;
    if (!key.empty()) {
        for (size_t i = 0; i < rows_.size() && found < 0; ++i) {
            bool all = true;
            for (qsizetype k = 0; k < keys.size() && all; ++k)
                all = sameValue(rows_[i].values[size_t(fieldByName(keys[k]).index_)], key[size_t(k)]);
            if (all)
                found = int(i);
        }
    }
    if (found < 0 && !rows_.empty())
        found = std::clamp(oldRecNo - 1, 0, int(rows_.size()) - 1);
    current_ = found;
    bof_ = current_ <= 0;
    eof_ = rows_.empty();
    Q_EMIT rowsChanged();
    Q_EMIT currentChanged();
}

// ---- Values

const Dataset::Row* Dataset::activeRow() const {
    if (calcRow_)
        return calcRow_;
    if (isEditing())
        return &editRow_;
    if (current_ >= 0 && current_ < int(rows_.size()))
        return &rows_[size_t(current_)];
    return nullptr;
}

Dataset::Row* Dataset::activeRowMutable() {
    return const_cast<Row*>(activeRow());
}

QVariant Dataset::valueOfRow(const Row& row, const Field& field) const {
    if (field.kind() != FieldKind::Lookup)
        return row.values[size_t(field.index_)];
    const Field* key = findField(field.lookupKeyField_);
    Dataset* other = field.lookupDataset_;
    if (!key || !other || !other->isActive())
        return {};
    const QVariant k = valueOfRow(row, *key);
    if (!k.isValid() || k.isNull())
        return {};
    const Field* target = other->findField(field.lookupTargetKey_);
    const Field* result = other->findField(field.lookupResult_);
    if (!target || !result)
        return {};
    const QString wanted = rtrimmed(k.toString());
    for (const Row& r : other->rows_) {
        const QVariant v = r.values[size_t(target->index_)];
        if (v.isValid() && rtrimmed(v.toString()) == wanted)
            return other->valueOfRow(r, *result);
    }
    return {};
}

QVariant Dataset::valueOf(const Field& field) const {
    const Row* r = activeRow();
    return r ? valueOfRow(*r, field) : QVariant();
}

void Dataset::setFieldValue(Field& field, const QVariant& value) {
    if (calcRow_) {
        if (field.kind() != FieldKind::Calculated)
            throw DatabaseError(QStringLiteral("Pole '%1' nelze měnit při výpočtu.").arg(field.fieldName()));
        const_cast<Row*>(calcRow_)->values[size_t(field.index_)] = value;
        return;
    }
    if (!isEditing())
        throw DatabaseError(QStringLiteral("%1: dataset není v režimu úprav.").arg(name()));
    if (field.kind() != FieldKind::Data || field.readOnly())
        throw DatabaseError(QStringLiteral("Pole '%1' nelze měnit.").arg(field.displayLabel()));
    QVariant& slot = editRow_.values[size_t(field.index_)];
    if (sameValue(slot, value) && (state_ != DatasetState::Insert || assigned_[size_t(field.index_)]))
        return;
    const bool changed = !sameValue(slot, value);
    slot = value;
    assigned_[size_t(field.index_)] = true;
    modified_ = true;
    if (!changed)
        return;
    computeCalcFields(editRow_);
    Q_EMIT fieldChanged(&field);
    if (field.onChange)
        field.onChange(field);
}

QVariant Dataset::rowValue(int recNo, const Field& field) const {
    const int i = recNo - 1;
    if (i < 0 || i >= int(rows_.size()))
        return {};
    if (i == current_ && isEditing())
        return valueOfRow(editRow_, field);
    return valueOfRow(rows_[size_t(i)], field);
}

QString Dataset::rowDisplayText(int recNo, const Field& field) const {
    return field.displayTextOf(rowValue(recNo, field));
}

// ---- Navigation

void Dataset::setCurrent(int index, bool notify) {
    current_ = index;
    if (notify) {
        Q_EMIT currentChanged();
        run(afterScroll);
    }
}

void Dataset::first() {
    requireActive();
    checkBrowseMode();
    bof_ = true;
    eof_ = rows_.empty();
    if (!rows_.empty())
        setCurrent(0);
}

void Dataset::last() {
    requireActive();
    checkBrowseMode();
    eof_ = true;
    bof_ = rows_.empty();
    if (!rows_.empty())
        setCurrent(int(rows_.size()) - 1);
}

void Dataset::next() {
    moveBy(1);
}
void Dataset::prior() {
    moveBy(-1);
}

void Dataset::moveBy(int distance) {
    requireActive();
    checkBrowseMode();
    if (rows_.empty()) {
        bof_ = eof_ = true;
        return;
    }
    const int target = current_ + distance;
    bof_ = target < 0;
    eof_ = target > int(rows_.size()) - 1;
    const int clamped = std::clamp(target, 0, int(rows_.size()) - 1);
    if (clamped != current_)
        setCurrent(clamped);
}

void Dataset::setRecNo(int recNo) {
    requireActive();
    // A row number counted while a new row stood in the list: dropping that row moves the ones after it.
    const bool inserting = state_ == DatasetState::Insert;
    const int inserted = insertIndex_;
    const size_t before = rows_.size();
    checkBrowseMode();
    if (inserting && rows_.size() < before && recNo - 1 > inserted)
        --recNo;
    if (rows_.empty())
        return;
    const int target = std::clamp(recNo - 1, 0, int(rows_.size()) - 1);
    bof_ = eof_ = false;
    if (target != current_)
        setCurrent(target);
}

int Dataset::recNo() const {
    return current_ + 1;
}

int Dataset::recordCount() const {
    return int(rows_.size()) - (state_ == DatasetState::Insert ? 1 : 0);
}

bool Dataset::locate(const QString& fieldName, const QVariant& value, LocateOptions options) {
    requireActive();
    checkBrowseMode();
    const Field& field = fieldByName(fieldName);
    const Qt::CaseSensitivity cs = options.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const bool wantNull = !value.isValid() || value.isNull();
    const bool numeric = field.type() == FieldType::Integer || field.type() == FieldType::AutoInc ||
                         field.type() == FieldType::Float;
    const QString text = wantNull ? QString() : value.toString();
    for (size_t i = 0; i < rows_.size(); ++i) {
        const QVariant v = valueOfRow(rows_[i], field);
        const bool isNull = !v.isValid() || v.isNull();
        bool match = false;
        if (wantNull || isNull) {
            match = wantNull && isNull;
        } else if (field.type() == FieldType::DateTime && !options.partialKey) {
            bool ok = true;
            double target = value.typeId() == QMetaType::QDateTime ? fromDateTime(value.toDateTime())
                                                                   : value.toDouble(&ok);
            match = ok && std::fabs(v.toDouble() - target) < kTolerance;
        } else if (numeric && !options.partialKey) {
            bool ok = false;
            const double target = text.trimmed().toDouble(&ok);
            match = ok && std::fabs(v.toDouble() - target) < 1e-9;
        } else {
            const QString s = field.type() == FieldType::Boolean ? field.displayTextOf(v) : v.toString();
            match =
                options.partialKey ? s.startsWith(text, cs) : rtrimmed(s).compare(rtrimmed(text), cs) == 0;
        }
        if (match) {
            bof_ = eof_ = false;
            if (int(i) != current_)
                setCurrent(int(i));
            return true;
        }
    }
    return false;
}

// ---- Editing

void Dataset::setState(DatasetState state) {
    if (state_ == state)
        return;
    state_ = state;
    Q_EMIT stateChanged();
}

void Dataset::checkBrowseMode() {
    if (!isEditing())
        return;
    if (modified_)
        post();
    else
        cancel();
}

void Dataset::failUpdate(const QString& message) {
    if (updateFailure_.isEmpty())
        updateFailure_ = message;
}

void Dataset::insert() {
    requireActive();
    checkBrowseMode();
    run(beforeInsert);
    startInsert(current_ < 0 ? 0 : current_);
}

void Dataset::append() {
    requireActive();
    checkBrowseMode();
    if (!rows_.empty())
        current_ = int(rows_.size()) - 1;
    run(beforeInsert);
    startInsert(int(rows_.size()));
}

void Dataset::startInsert(int index) {
    beforeInsertCurrent_ = current_;
    insertIndex_ = index;
    Row r;
    r.values.resize(fields_.size());
    assigned_.assign(fields_.size(), false);
    for (const auto& f : fields_)
        if (f->isData() && f->defaultValue().isValid()) {
            r.values[size_t(f->index_)] = f->normalize(f->defaultValue());
            assigned_[size_t(f->index_)] = true;
        }
    computeCalcFields(r);
    editRow_ = r;
    originalRow_ = r;
    rows_.insert(rows_.begin() + insertIndex_, r);
    current_ = insertIndex_;
    bof_ = eof_ = false;
    modified_ = false;
    state_ = DatasetState::Insert;
    Q_EMIT rowsChanged();
    Q_EMIT stateChanged();
    Q_EMIT currentChanged();
    run(afterInsert);
}

void Dataset::edit() {
    requireActive();
    if (isEditing())
        return;
    if (rows_.empty()) {
        insert();
        return;
    }
    run(beforeEdit);
    if (current_ < 0 || rows_.empty())
        throw DatabaseError(QStringLiteral("%1: není vybrán žádný záznam.").arg(name()));
    editRow_ = rows_[size_t(current_)];
    originalRow_ = editRow_;
    assigned_.assign(fields_.size(), true);
    modified_ = false;
    state_ = DatasetState::Edit;
    Q_EMIT stateChanged();
    Q_EMIT currentChanged();
    run(afterEdit);
}

void Dataset::post() {
    requireActive();
    if (!isEditing())
        return;
    updateFailure_.clear();
    Q_EMIT updateRecordRequested();
    if (!updateFailure_.isEmpty()) {
        const QString message = updateFailure_;
        updateFailure_.clear();
        throw DatabaseError(message);
    }
    run(beforePost);
    if (!isEditing())
        return; // a handler finished the edit itself
    if (connection_ && connection_->readOnly())
        throw DatabaseError(QStringLiteral("%1: databáze je otevřena jen pro čtení.").arg(name()));
    Row row = editRow_;
    try {
        if (state_ == DatasetState::Insert)
            writeInsert(row);
        else
            writeUpdate(originalRow_, row);
    } catch (const DatabaseError& e) {
        if (postError && postError(*this, e) == PostErrorAction::Abort)
            throw Abort();
        throw;
    }
    const bool inserted = state_ == DatasetState::Insert;
    computeCalcFields(row);
    rows_[size_t(current_)] = row;
    editRow_ = Row();
    modified_ = false;
    state_ = DatasetState::Browse;
    if (inserted)
        Q_EMIT rowsChanged();
    Q_EMIT stateChanged();
    Q_EMIT currentChanged();
    run(afterPost);
}

void Dataset::cancel() {
    if (!isEditing())
        return;
    run(beforeCancel);
    if (state_ == DatasetState::Insert) {
        rows_.erase(rows_.begin() + insertIndex_);
        current_ = rows_.empty() ? -1 : std::clamp(beforeInsertCurrent_, 0, int(rows_.size()) - 1);
    }
    editRow_ = Row();
    modified_ = false;
    eof_ = rows_.empty();
    bof_ = rows_.empty();
    state_ = DatasetState::Browse;
    Q_EMIT rowsChanged();
    Q_EMIT stateChanged();
    Q_EMIT currentChanged();
    run(afterCancel);
}

void Dataset::deleteRecord() {
    requireActive();
    if (state_ == DatasetState::Insert) {
        cancel();
        return;
    }
    if (state_ == DatasetState::Edit)
        cancel();
    if (rows_.empty() || current_ < 0)
        throw DatabaseError(QStringLiteral("%1: nelze mazat v prázdném seznamu.").arg(name()));
    if (connection_ && connection_->readOnly())
        throw DatabaseError(QStringLiteral("%1: databáze je otevřena jen pro čtení.").arg(name()));
    run(beforeDelete);
    writeDelete(rows_[size_t(current_)]);
    rows_.erase(rows_.begin() + current_);
    if (current_ >= int(rows_.size()))
        current_ = int(rows_.size()) - 1;
    bof_ = current_ <= 0;
    eof_ = rows_.empty();
    Q_EMIT rowsChanged();
    Q_EMIT currentChanged();
    run(afterDelete);
}

// ---- Writing

QStringList Dataset::keyFieldNames() const {
    if (!keyFields_.isEmpty())
        return keyFields_;
    for (const auto& f : fields_)
        if (f->type() == FieldType::AutoInc)
            return {f->fieldName()};
    QStringList all;
    for (const auto& f : fields_)
        if (f->isData() && f->type() != FieldType::Memo)
            all << f->fieldName();
    return all;
}

QString Dataset::whereKey(const Row& row, QVariantList& binds) const {
    QStringList parts;
    Engine* engine = connection_->engine();
    for (const QString& k : keyFieldNames()) {
        const Field& f = fieldByName(k);
        const QVariant v = row.values[size_t(f.index_)];
        if (!v.isValid() || v.isNull()) {
            parts << f.fieldName() + QStringLiteral(" is null");
        } else {
            parts << f.fieldName() + QStringLiteral("=?");
            binds << engine->toDb(v, f.type());
        }
    }
    return parts.join(QStringLiteral(" and "));
}

void Dataset::writeInsert(Row& row) {
    if (!connection_ || !connection_->isOpen())
        throw DatabaseError(QStringLiteral("%1: spojení k databázi není otevřeno.").arg(name()));
    Engine* engine = connection_->engine();
    QStringList columns;
    QVariantList binds;
    QString identity;
    int identitySlot = -1;
    for (const auto& f : fields_) {
        if (!f->isData())
            continue;
        if (f->type() == FieldType::AutoInc) {
            identity = f->fieldName();
            identitySlot = f->index_;
            continue;
        }
        if (!assigned_[size_t(f->index_)])
            continue; // the table's default applies
        columns << f->fieldName();
        binds << engine->toDb(row.values[size_t(f->index_)], f->type());
    }
    QSqlQuery q(connection_->database());
    if (!q.prepare(engine->dialect().insertReturning(tableName(), columns, identity)))
        throw DatabaseError(sqlError(q));
    for (const QVariant& b : binds)
        q.addBindValue(b);
    if (!q.exec())
        throw DatabaseError(sqlError(q));
    if (identitySlot >= 0) {
        const QVariant id = engine->lastIdentity(q);
        if (id.isValid())
            row.values[size_t(identitySlot)] = id.toInt();
    }
}

void Dataset::writeUpdate(const Row& original, Row& row) {
    Engine* engine = connection_->engine();
    QStringList sets;
    QVariantList binds;
    for (const auto& f : fields_) {
        if (!f->isData() || f->type() == FieldType::AutoInc)
            continue;
        const QVariant& v = row.values[size_t(f->index_)];
        if (sameValue(v, original.values[size_t(f->index_)]))
            continue;
        sets << f->fieldName() + QStringLiteral("=?");
        binds << engine->toDb(v, f->type());
    }
    if (sets.isEmpty())
        return;
    const QString where = whereKey(original, binds);
    QSqlQuery q(connection_->database());
    if (!q.prepare(
            QStringLiteral("update %1 set %2 where %3").arg(tableName(), sets.join(QLatin1Char(',')), where)))
        throw DatabaseError(sqlError(q));
    for (const QVariant& b : binds)
        q.addBindValue(b);
    if (!q.exec())
        throw DatabaseError(sqlError(q));
    if (q.numRowsAffected() == 0)
        throw DatabaseError(QStringLiteral(
            "Řádek pro uložení nebyl nalezen: mezitím jej změnila nebo smazala jiná stanice."));
}

void Dataset::writeDelete(const Row& row) {
    QVariantList binds;
    const QString where = whereKey(row, binds);
    QSqlQuery q(connection_->database());
    if (!q.prepare(QStringLiteral("delete from %1 where %2").arg(tableName(), where)))
        throw DatabaseError(sqlError(q));
    for (const QVariant& b : binds)
        q.addBindValue(b);
    if (!q.exec())
        throw DatabaseError(sqlError(q));
}

} // namespace tk
