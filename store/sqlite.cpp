#include "sqlite.h"

#include <sqlite3.h>

namespace tallyfin::store {

Connection::Connection(const std::filesystem::path &path)
{
    const int code = sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        const std::string message = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(code);
        sqlite3_close(m_db);
        throw SqliteError(code, message);
    }
    sqlite3_extended_result_codes(m_db, 1);
}

Connection::~Connection() { sqlite3_close(m_db); }

void Connection::fail(int code) const { throw SqliteError(code, sqlite3_errmsg(m_db)); }

void Connection::execute(const char *sql)
{
    if (const int code = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); code != SQLITE_OK)
        fail(code);
}

std::int64_t Connection::integer(const char *sql)
{
    Query query(*this, sql);
    return query.step() ? query.integer(0) : 0;
}

std::int64_t Connection::lastInsertId() const { return sqlite3_last_insert_rowid(m_db); }

void Connection::waitWhenBusy(int milliseconds) { sqlite3_busy_timeout(m_db, milliseconds); }

Query::Query(Connection &connection, std::string_view sql) : m_connection(connection)
{
    const int code = sqlite3_prepare_v3(connection.handle(), sql.data(), static_cast<int>(sql.size()),
                                        SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr);
    if (code != SQLITE_OK)
        connection.fail(code);
}

Query::~Query() { sqlite3_finalize(m_statement); }

Query &Query::bind(int index, std::int64_t value)
{
    if (const int code = sqlite3_bind_int64(m_statement, index, value); code != SQLITE_OK)
        m_connection.fail(code);
    return *this;
}

Query &Query::bind(int index, std::string_view value)
{
    if (const int code = sqlite3_bind_text64(m_statement, index, value.data(), value.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        code != SQLITE_OK)
        m_connection.fail(code);
    return *this;
}

Query &Query::bindOrNull(int index, const std::optional<std::string_view> &value)
{
    return value ? bind(index, *value) : bindNull(index);
}

Query &Query::bindNull(int index)
{
    if (const int code = sqlite3_bind_null(m_statement, index); code != SQLITE_OK)
        m_connection.fail(code);
    return *this;
}

bool Query::step()
{
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    sqlite3_reset(m_statement);
    m_connection.fail(code);
}

void Query::run()
{
    while (step()) {
    }
    reset();
}

void Query::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

bool Query::isNull(int column) const { return sqlite3_column_type(m_statement, column) == SQLITE_NULL; }

std::int64_t Query::integer(int column) const { return sqlite3_column_int64(m_statement, column); }

std::string_view Query::text(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return bytes ? std::string_view(bytes, static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column)))
                 : std::string_view();
}

Transaction::Transaction(Connection &connection) : m_connection(connection) { connection.execute("BEGIN IMMEDIATE"); }

Transaction::~Transaction()
{
    if (m_open)
        sqlite3_exec(m_connection.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    m_connection.execute("COMMIT");
    m_open = false;
}

} // namespace tallyfin::store
