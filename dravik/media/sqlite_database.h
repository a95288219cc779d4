#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace dravik::media {

// One prepared statement, finalised when it goes. Parameters are numbered from 1, columns from 0.
class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);

    Statement& bind(int at, std::int64_t value);
    Statement& bind(int at, std::string_view text);
    // True while a row is there; false when done. Throws common::Error on failure.
    bool step();
    void run(); // steps to the end
    void reset();

    std::int64_t integer(int column) const;
    std::string text(int column) const;

private:
    sqlite3* db_;
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement_;
};

// One connection to a database file, closed when it goes.
class SqliteDatabase {
public:
    enum class Open { CreateIfMissing, ExistingOnly };
    // Throws common::Error when the file cannot be opened.
    SqliteDatabase(const std::filesystem::path& file, Open how);

    sqlite3* handle() const { return db_.get(); }
    void execute(std::string_view sql);
    Statement prepare(std::string_view sql) { return Statement(db_.get(), sql); }
    std::int64_t lastInsertId() const { return sqlite3_last_insert_rowid(db_.get()); }

    // A write transaction, rolled back unless committed.
    class Transaction {
    public:
        explicit Transaction(SqliteDatabase& db);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

    private:
        SqliteDatabase& db_;
        bool open_ = true;
    };

private:
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> db_;
};

} // namespace dravik::media
