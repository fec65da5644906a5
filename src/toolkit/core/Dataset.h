#pragma once

#include "Connection.h"
#include "Errors.h"
#include "Field.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace tk {

enum class DatasetState { Inactive, Browse, Edit, Insert };

enum class PostErrorAction { Fail, Abort };

struct LocateOptions {
    bool partialKey = false;      // the column's text begins with the value
    bool caseInsensitive = false; // compare texts without regard to case
};

// A query over one table with a static client-side cursor: all rows are read when it opens. It has a
// current row and three states (browse, edit, insert). Writes go to the table the query reads (the first
// name after "from", or setTableName) by INSERT, UPDATE and DELETE on the key (the auto-increment field,
// setKeyFields, or else every data column's old value).
//
// Handlers run at the named moments; a handler that raises the silent abort (tk::abort) refuses the
// operation and the state and rows stay as they were. Handlers may close, reopen and move the dataset.
class Dataset : public QObject {
    Q_OBJECT
public:
    explicit Dataset(const QString& name, QObject* parent = nullptr);
    ~Dataset() override;

    QString name() const { return objectName(); }
    void setConnection(Connection* connection);
    Connection* connection() const { return connection_; }

    // The SQL text as lines; joined with "\r\n" when sent.
    void setSql(const QString& text);
    void clearSql() { sql_.clear(); }
    void addSql(const QString& line);
    QStringList sqlLines() const { return sql_; }
    QString sqlText() const { return sql_.join(QStringLiteral("\r\n")); }
    void setTableName(const QString& table) { table_ = table; }
    QString tableName() const;
    void setKeyFields(const QStringList& fields) { keyFields_ = fields; }

    // Persistent fields, defined before the first open. A dataset without persistent fields creates a
    // field for every column of its result when it opens.
    Field& addField(const QString& fieldName, FieldType type, int size = 0);
    Field& addCalcField(const QString& fieldName, FieldType type, int size = 0);
    Field& addLookupField(const QString& fieldName, FieldType type, int size, Dataset* lookupDataset,
                          const QString& keyField, const QString& lookupKeyField, const QString& resultField);
    Field* findField(const QString& fieldName) const;
    Field& fieldByName(const QString& fieldName) const; // throws DatabaseError when missing
    const std::vector<std::unique_ptr<Field>>& fields() const { return fields_; }

    // Lifecycle.
    void open();
    void close();
    bool isActive() const { return state_ != DatasetState::Inactive; }
    // Re-reads the rows from the server; the current row is found again by its key, or else the same row
    // number stays current.
    void requery();
    DatasetState state() const { return state_; }
    bool isEditing() const { return state_ == DatasetState::Edit || state_ == DatasetState::Insert; }
    bool isModified() const { return modified_; }

    // Navigation. Moving leaves edit or insert state first (posting a changed row, cancelling an
    // unchanged one).
    void first();
    void prior();
    void next();
    void last();
    void moveBy(int distance);
    void setRecNo(int recNo); // 1-based
    int recNo() const;        // 1-based; 0 when there is no row
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    bool locate(const QString& fieldName, const QVariant& value, LocateOptions options = {});

    // Editing.
    void insert(); // a new row before the current one
    void append(); // a new row after the last one
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    void checkBrowseMode(); // posts a changed row being edited, cancels an unchanged one
    // Called by an editor that cannot write its pending text while updateRecordRequested is handled; the
    // post then fails with this message (exceptions do not travel through signal connections).
    void failUpdate(const QString& message);

    // The row values of a given row without moving (1-based), for grids.
    QVariant rowValue(int recNo, const Field& field) const;
    QString rowDisplayText(int recNo, const Field& field) const;

    // Handlers.
    using Handler = std::function<void(Dataset&)>;
    Handler beforeOpen, afterOpen, beforeClose, afterClose;
    Handler beforeInsert, afterInsert, beforeEdit, afterEdit, beforePost, afterPost;
    Handler beforeCancel, afterCancel, beforeDelete, afterDelete, afterScroll;
    Handler calcFields;
    std::function<PostErrorAction(Dataset&, const DatabaseError&)> postError;

Q_SIGNALS:
    void stateChanged();                 // inactive, browse, edit, insert
    void rowsChanged();                  // the set of rows changed (open, close, requery, insert, delete)
    void currentChanged();               // another row became current
    void fieldChanged(tk::Field* field); // a value of the current row changed
    void updateRecordRequested();        // data-aware editors write their pending text into their fields now

private:
    friend class Field;
    struct Row {
        std::vector<QVariant> values;
    };

    void defineSlots();
    void fetch();
    void computeCalcFields(Row& row);
    void computeAllCalcFields();
    QVariant valueOf(const Field& field) const;
    QVariant valueOfRow(const Row& row, const Field& field) const;
    void setFieldValue(Field& field, const QVariant& value);
    const Row* activeRow() const;
    Row* activeRowMutable();
    void setCurrent(int index, bool notify = true);
    void setState(DatasetState state);
    void startInsert(int index);
    void run(const Handler& handler);
    void writeInsert(Row& row);
    void writeUpdate(const Row& original, Row& row);
    void writeDelete(const Row& row);
    QString whereKey(const Row& row, QVariantList& binds) const;
    QStringList keyFieldNames() const;
    void requireActive() const;

    Connection* connection_ = nullptr;
    QStringList sql_;
    QString table_;
    QStringList keyFields_;
    std::vector<std::unique_ptr<Field>> fields_;
    bool dynamicFields_ = false;
    std::vector<Row> rows_;
    int current_ = -1;
    bool bof_ = true, eof_ = true;
    DatasetState state_ = DatasetState::Inactive;
    Row editRow_;                // the row being edited or inserted
    Row originalRow_;            // its values before editing
    std::vector<bool> assigned_; // insert: the columns given a value
    int insertIndex_ = -1;       // where the inserted row stands
    int beforeInsertCurrent_ = -1;
    bool modified_ = false;
    const Row* calcRow_ = nullptr; // the row whose derived fields are being computed
    int changeDepth_ = 0;
    QString updateFailure_;
};

} // namespace tk
