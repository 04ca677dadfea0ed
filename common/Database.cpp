// SQLite behind the database object: prepared statements, bound parameters, record sets.
#include "common/Database.h"

#include <sqlite3.h>

#include <utility>

namespace orvane {

std::optional<qint64> rowKey(const QString& text) {
    bool ok = false;
    const qint64 key = text.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return key;
}

RecordSet::RecordSet(sqlite3_stmt* stmt) : stmt_(stmt) {
    const int n = sqlite3_column_count(stmt_);
    names_.reserve(n);
    for (int i = 0; i < n; ++i)
        names_.push_back(QString::fromUtf8(sqlite3_column_name(stmt_, i)));
    step();
}

RecordSet::RecordSet(RecordSet&& other) noexcept
    : stmt_(std::exchange(other.stmt_, nullptr)), names_(std::move(other.names_)),
      atEnd_(std::exchange(other.atEnd_, true)), row_(std::exchange(other.row_, 0)),
      error_(std::exchange(other.error_, 0)), errorText_(std::move(other.errorText_)) {}

RecordSet& RecordSet::operator=(RecordSet&& other) noexcept {
    if (this != &other) {
        close();
        stmt_ = std::exchange(other.stmt_, nullptr);
        names_ = std::move(other.names_);
        atEnd_ = std::exchange(other.atEnd_, true);
        row_ = std::exchange(other.row_, 0);
        error_ = std::exchange(other.error_, 0);
        errorText_ = std::move(other.errorText_);
    }
    return *this;
}

RecordSet::~RecordSet() {
    close();
}

void RecordSet::step() {
    // A failed step (I/O error, busy) ends the set: a reader never sees a half-read row, and is told the
    // set is not the whole table.
    if (stmt_ == nullptr) {
        atEnd_ = true;
        return;
    }
    const int rc = sqlite3_step(stmt_);
    atEnd_ = rc != SQLITE_ROW;
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        error_ = rc;
        errorText_ = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(stmt_)));
    }
}

bool RecordSet::first() {
    if (stmt_ == nullptr)
        return false;
    // Still on the first record: running the statement again would only repeat that work.
    if (row_ == 0)
        return !atEnd_;
    sqlite3_reset(stmt_);
    error_ = 0;
    errorText_.clear();
    step();
    row_ = 0;
    return !atEnd_;
}

bool RecordSet::next() {
    if (!atEnd_) {
        step();
        ++row_;
    }
    return !atEnd_;
}

void RecordSet::close() {
    if (stmt_ != nullptr)
        sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    atEnd_ = true;
}

int RecordSet::columnIndex(const QString& name) const {
    // Exact names are the common case and the cheap one; column names are matched regardless of case.
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name)
            return int(i);
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QVariant RecordSet::field(const QString& name) const {
    return fieldAt(columnIndex(name));
}

QVariant RecordSet::fieldAt(int i) const {
    if (atEnd_ || i < 0 || size_t(i) >= names_.size())
        return {};
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt_, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, i));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i)),
                                          sqlite3_column_bytes(stmt_, i)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, i)),
                                   sqlite3_column_bytes(stmt_, i)));
    default:
        return {};
    }
}

QString RecordSet::text(int column) const {
    if (atEnd_ || column < 0 || size_t(column) >= names_.size())
        return {};
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                                 sqlite3_column_bytes(stmt_, column));
    case SQLITE_NULL:
        return {};
    default:
        return fieldAt(column).toString();
    }
}

QByteArrayView RecordSet::textBytes(int column) const {
    if (atEnd_ || column < 0 || size_t(column) >= names_.size())
        return {};
    // The text first, then its length: the order in which SQLite keeps the pointer valid.
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return QByteArrayView(text, text ? sqlite3_column_bytes(stmt_, column) : 0);
}

qint64 RecordSet::integer(int column) const {
    if (atEnd_ || column < 0 || size_t(column) >= names_.size())
        return 0;
    if (sqlite3_column_type(stmt_, column) == SQLITE_INTEGER)
        return sqlite3_column_int64(stmt_, column);
    return fieldAt(column).toLongLong();
}

Database::~Database() {
    close();
}

bool Database::open(const QString& path, Open mode) {
    close();
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX |
                      (mode == Open::CreateIfMissing ? SQLITE_OPEN_CREATE : 0);
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        fail(db ? sqlite3_extended_errcode(db) : rc,
             db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory"));
        sqlite3_close(db);
        return false;
    }
    sqlite3_extended_result_codes(db, 1);
    // Another process holding a write lock briefly should not fail a save at once.
    sqlite3_busy_timeout(db, 2000);
    db_ = db;
    fail(0, QString());
    return true;
}

bool Database::isBusyCode(int code) {
    return (code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED;
}

void Database::setBusyTimeout(int ms) {
    if (db_ != nullptr)
        sqlite3_busy_timeout(db_, ms);
}

void Database::fail(int code, const QString& message) {
    lastErrorCode_ = code;
    lastError_ = message;
}

void Database::close() {
    if (db_ != nullptr)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

sqlite3_stmt* Database::prepare(const QString& sql, const QVariantList& params) {
    if (db_ == nullptr) {
        fail(SQLITE_MISUSE, QStringLiteral("database not open"));
        return nullptr;
    }
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK ||
        stmt == nullptr) {
        fail(sqlite3_extended_errcode(db_), QString::fromUtf8(sqlite3_errmsg(db_)));
        sqlite3_finalize(stmt);
        return nullptr;
    }
    if (sqlite3_bind_parameter_count(stmt) != params.size()) {
        fail(SQLITE_RANGE, QStringLiteral("wrong number of parameters"));
        sqlite3_finalize(stmt);
        return nullptr;
    }
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params.at(i);
        int rc = SQLITE_OK;
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Long:
        case QMetaType::Short:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(stmt, i + 1, v.toDouble());
            break;
        case QMetaType::UnknownType:
            rc = sqlite3_bind_null(stmt, i + 1);
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob64(stmt, i + 1, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray t = v.toString().toUtf8();
            rc = sqlite3_bind_text64(stmt, i + 1, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
        }
        }
        if (rc != SQLITE_OK) {
            fail(rc, QString::fromUtf8(sqlite3_errmsg(db_)));
            sqlite3_finalize(stmt);
            return nullptr;
        }
    }
    return stmt;
}

RecordSet Database::query(const QString& sql, const QVariantList& params) {
    sqlite3_stmt* stmt = prepare(sql, params);
    return stmt ? RecordSet(stmt) : RecordSet();
}

bool Database::execute(const QString& sql, const QVariantList& params) {
    sqlite3_stmt* stmt = prepare(sql, params);
    if (stmt == nullptr)
        return false;
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(stmt);
    if (rc != SQLITE_DONE)
        fail(sqlite3_extended_errcode(db_), QString::fromUtf8(sqlite3_errmsg(db_)));
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE;
}

bool Database::executeScript(const QString& sql) {
    if (db_ == nullptr)
        return false;
    char* error = nullptr;
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK)
        fail(sqlite3_extended_errcode(db_), QString::fromUtf8(error ? error : sqlite3_errmsg(db_)));
    sqlite3_free(error);
    return rc == SQLITE_OK;
}

qint64 Database::lastInsertId() const {
    return db_ ? sqlite3_last_insert_rowid(db_) : 0;
}

int Database::changes() const {
    return db_ ? sqlite3_changes(db_) : 0;
}

} // namespace orvane
