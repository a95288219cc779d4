#include "dravik/media/sqlite_database.h"

#include "common/error.h"

namespace dravik::media {

namespace {

// Another program's write waits this long before the change is refused as busy.
constexpr int BusyMs = 10000;

[[noreturn]] void fail(sqlite3* db, const std::string& what) {
    throw common::Error(common::ErrorNumber::PathFileAccess,
                        "facts database: " + what + ": " + (db ? sqlite3_errmsg(db) : "no memory"));
}

} // namespace

Statement::Statement(sqlite3* db, std::string_view sql)
    : db_(db), statement_(nullptr, &sqlite3_finalize) {
    sqlite3_stmt* made = nullptr;
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &made, nullptr) !=
        SQLITE_OK)
        fail(db, std::string(sql));
    statement_.reset(made);
}

Statement& Statement::bind(int at, std::int64_t value) {
    sqlite3_bind_int64(statement_.get(), at, value);
    return *this;
}

Statement& Statement::bind(int at, std::string_view text) {
    sqlite3_bind_text(statement_.get(), at, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

bool Statement::step() {
    const int result = sqlite3_step(statement_.get());
    if (result == SQLITE_ROW)
        return true;
    if (result == SQLITE_DONE)
        return false;
    fail(db_, sqlite3_sql(statement_.get()));
}

void Statement::run() {
    while (step()) {
    }
}

void Statement::reset() {
    sqlite3_reset(statement_.get());
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(statement_.get(), column);
}

std::string Statement::text(int column) const {
    const auto* bytes = sqlite3_column_text(statement_.get(), column);
    return bytes ? std::string(
                       reinterpret_cast<const char*>(bytes),
                       static_cast<std::size_t>(sqlite3_column_bytes(statement_.get(), column)))
                 : std::string();
}

SqliteDatabase::SqliteDatabase(const std::filesystem::path& file, Open how)
    : db_(nullptr, &sqlite3_close) {
    sqlite3* opened = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX |
                      (how == Open::CreateIfMissing ? SQLITE_OPEN_CREATE : 0);
    const int result = sqlite3_open_v2(file.c_str(), &opened, flags, nullptr);
    db_.reset(opened);
    if (result != SQLITE_OK)
        fail(opened, file.string());
    sqlite3_busy_timeout(opened, BusyMs);
}

void SqliteDatabase::execute(std::string_view sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_.get(), std::string(sql).c_str(), nullptr, nullptr, &message) !=
        SQLITE_OK) {
        const std::string text = message ? message : "failed";
        sqlite3_free(message);
        throw common::Error(common::ErrorNumber::PathFileAccess, "facts database: " + text);
    }
}

SqliteDatabase::Transaction::Transaction(SqliteDatabase& db) : db_(db) {
    db_.execute("BEGIN IMMEDIATE");
}

SqliteDatabase::Transaction::~Transaction() {
    if (open_) {
        try {
            db_.execute("ROLLBACK");
        } catch (const common::Error&) {
        }
    }
}

void SqliteDatabase::Transaction::commit() {
    db_.execute("COMMIT");
    open_ = false;
}

} // namespace dravik::media
