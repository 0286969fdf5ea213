#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A thin RAII layer over SQLite's C API: a connection, prepared statements
// and a transaction that rolls back unless committed. Our own rather than
// SQLiteCpp: the store must tell a file that is no database, a damaged one
// and a busy one apart by SQLite's result codes and say each in its own
// words, and these three small classes are all it needs of a wrapper.
//
//   Connection db(path);
//   Transaction change(db);
//   Query insert(db, "INSERT INTO account(name, created) VALUES (?, ?)");
//   insert.bind(1, "default").bind(2, now).run();
//   change.commit();
namespace tallyfin::store {

// What SQLite reported, with its extended result code (SQLITE_NOTADB,
// SQLITE_CORRUPT, SQLITE_BUSY …; the primary code is code() & 0xff).
class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, const std::string &message) : std::runtime_error(message), m_code(code) {}
    int code() const { return m_code; }
    int primaryCode() const { return m_code & 0xff; }

private:
    int m_code;
};

class Connection {
public:
    // Opens an existing database file for reading and writing; never creates one.
    explicit Connection(const std::filesystem::path &path);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Runs statements that return no rows.
    void execute(const char *sql);
    // A PRAGMA or query whose one result is an integer.
    std::int64_t integer(const char *sql);
    std::int64_t lastInsertId() const;
    // How long a writer waits for another process's transaction before giving up.
    void waitWhenBusy(int milliseconds);

    sqlite3 *handle() const { return m_db; }
    [[noreturn]] void fail(int code) const;

private:
    sqlite3 *m_db = nullptr;
};

class Query {
public:
    Query(Connection &connection, std::string_view sql);
    ~Query();
    Query(const Query &) = delete;
    Query &operator=(const Query &) = delete;

    // 1-based parameters; an empty optional binds NULL.
    Query &bind(int index, std::int64_t value);
    Query &bind(int index, std::string_view value);
    Query &bind(int index, const char *value) { return bind(index, std::string_view(value)); }
    Query &bindOrNull(int index, const std::optional<std::string_view> &value);
    Query &bindNull(int index);

    // The next row: true while there is one.
    bool step();
    // Runs a statement that returns no rows, then makes it ready to run again.
    void run();
    void reset();

    // 0-based columns of the current row.
    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    std::string_view text(int column) const; // empty for NULL; valid until the next step

private:
    Connection &m_connection;
    sqlite3_stmt *m_statement = nullptr;
};

// BEGIN IMMEDIATE: the write lock is taken at once (waiting for another
// process as the connection allows), so a read never has to become a write
// that could fail midway. Rolled back unless committed.
class Transaction {
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    Connection &m_connection;
    bool m_open = true;
};

} // namespace tallyfin::store
