// The database object: one SQLite connection with record sets (first, at end, field by name, next,
// close) and statements that succeed or fail. User texts and keys are always bound parameters.
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <memory>
#include <optional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace orvane {

class RecordSet {
public:
    RecordSet() = default;
    RecordSet(RecordSet&& other) noexcept;
    RecordSet& operator=(RecordSet&& other) noexcept;
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;
    ~RecordSet();

    bool isValid() const { return stmt_ != nullptr; } // false when the query failed
    // True when a step failed (the file busy, an I/O error): the set then ended early and its records
    // are not the table's. SQLite's result code, and its message.
    bool failed() const { return error_ != 0; }
    int errorCode() const { return error_; }
    QString errorText() const { return errorText_; }
    bool first(); // back to the first record; false when there is none
    bool atEnd() const { return atEnd_; }
    // The current record's field: qint64, double, QString, QByteArray or a null QVariant; null when
    // the name is unknown or the set is at its end.
    QVariant field(const QString& name) const;
    QString text(const QString& name) const { return field(name).toString(); }
    qint64 integer(const QString& name) const { return field(name).toLongLong(); }
    // The same by column: a loop over many records looks each name up once (column(name), -1 when
    // unknown). Texts come straight from the stored bytes, without a QVariant in between.
    int column(const QString& name) const { return columnIndex(name); }
    QString text(int column) const;
    // A field as SQLite's UTF-8 text, neither decoded nor copied: valid until the set moves on.
    QByteArrayView textBytes(int column) const;
    qint64 integer(int column) const;
    bool next();
    void close();

private:
    friend class Database;
    explicit RecordSet(sqlite3_stmt* stmt);
    void step();
    int columnIndex(const QString& name) const;
    QVariant fieldAt(int column) const; // null outside the columns or at the end

    sqlite3_stmt* stmt_ = nullptr;
    std::vector<QString> names_;
    bool atEnd_ = true;
    qint64 row_ = 0; // records moved past since the first
    int error_ = 0;
    QString errorText_;
};

class Database {
public:
    enum class Open { ExistingOnly, CreateIfMissing };

    Database() = default;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    bool open(const QString& path, Open mode = Open::ExistingOnly);
    void close();
    bool isOpen() const { return db_ != nullptr; }

    // Runs a query; params bind to "?" in order (QString → text, integers → integer, double, null).
    RecordSet query(const QString& sql, const QVariantList& params = {});
    // Runs one statement to completion; false when it could not be prepared or failed.
    bool execute(const QString& sql, const QVariantList& params = {});
    // Runs several statements separated by ";" without parameters (schema scripts).
    bool executeScript(const QString& sql);
    qint64 lastInsertId() const;
    int changes() const; // rows touched by the last statement
    QString lastError() const { return lastError_; }
    // SQLite's result code of the last failure.
    int lastErrorCode() const { return lastErrorCode_; }
    // Whether that failure was another connection holding the file (busy or locked), not a fault of it.
    bool lastFailureWasBusy() const { return isBusyCode(lastErrorCode_); }
    static bool isBusyCode(int code);
    // How long a statement waits for another connection's lock before it fails as busy.
    void setBusyTimeout(int ms);

private:
    void fail(int code, const QString& message);
    sqlite3_stmt* prepare(const QString& sql, const QVariantList& params);

    sqlite3* db_ = nullptr;
    QString lastError_;
    int lastErrorCode_ = 0;
};

// A row key as the hidden lists hold it (the 编号 column's text): nullopt for anything but a decimal
// integer, for which no statement is run with it as a key.
std::optional<qint64> rowKey(const QString& text);

} // namespace orvane
