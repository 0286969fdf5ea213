#include "storefile.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "schema.h"

namespace tallyfin::store {

namespace {

[[noreturn]] void refuse(StoreProblem problem, const std::filesystem::path &path, std::string detail = {},
                         int systemError = 0)
{
    throw StoreFailure({problem, path.string(), std::move(detail), systemError, 0});
}

// The store's folder holds someone's finances: only its owner may enter it.
void makeFolder(const std::filesystem::path &folder)
{
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error))
        return;
    std::filesystem::create_directories(folder.parent_path(), error);
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        refuse(StoreProblem::CannotCreate, folder, {}, errno);
}

void makeFile(const std::filesystem::path &path)
{
    makeFolder(path.parent_path());
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0 && errno != EEXIST)
        refuse(StoreProblem::CannotCreate, path, {}, errno);
    if (fd >= 0)
        close(fd);
}

enum class Header : std::uint8_t { Empty, Ours, Unclaimed, Foreign, NotADatabase };

// Read before SQLite touches the file, so that one that is not ours is left
// exactly as it was (SQLite would, for one, switch its journal to WAL).
Header inspect(const std::filesystem::path &path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info;
    if (fd < 0 || fstat(fd, &info) != 0) {
        const int error = errno;
        if (fd >= 0)
            close(fd);
        refuse(StoreProblem::CannotOpen, path, std::strerror(error), error);
    }
    unsigned char header[100];
    const ssize_t got = S_ISREG(info.st_mode) ? read(fd, header, sizeof header) : -1;
    close(fd);
    if (!S_ISREG(info.st_mode))
        refuse(StoreProblem::CannotOpen, path, "not a regular file", ENODEV);
    if (got == 0)
        return Header::Empty;
    if (got < static_cast<ssize_t>(sizeof header) || std::memcmp(header, "SQLite format 3", 16) != 0)
        return Header::NotADatabase;
    const std::uint32_t id = (std::uint32_t{header[68]} << 24) | (std::uint32_t{header[69]} << 16) |
                             (std::uint32_t{header[70]} << 8) | header[71];
    if (id == static_cast<std::uint32_t>(kApplicationId))
        return Header::Ours;
    return id == 0 ? Header::Unclaimed : Header::Foreign;
}

void migrate(Connection &db)
{
    if (db.integer("PRAGMA user_version") >= kSchemaVersion)
        return;
    Transaction change(db);
    // Another process may have migrated it while this one waited.
    for (std::int64_t version = db.integer("PRAGMA user_version"); version < kSchemaVersion; ++version)
        db.execute(std::string(kMigrations[static_cast<std::size_t>(version)]).c_str());
    db.execute(("PRAGMA application_id = " + std::to_string(kApplicationId)).c_str());
    db.execute(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
    change.commit();
}

std::unique_ptr<Connection> connect(const std::filesystem::path &path, Header header)
{
    auto db = std::make_unique<Connection>(path);
    db->waitWhenBusy(kBusyWaitMilliseconds);
    const std::int64_t version = db->integer("PRAGMA user_version");
    // A database without our mark is taken only while it holds nothing.
    if (header == Header::Unclaimed && db->integer("SELECT count(*) FROM sqlite_schema") > 0)
        refuse(StoreProblem::Foreign, path);
    if (version > kSchemaVersion)
        throw StoreFailure({StoreProblem::Newer, path.string(), {}, 0, version});
    db->execute("PRAGMA foreign_keys = ON");
    db->integer("PRAGMA journal_mode = WAL");
    migrate(*db);
    return db;
}

} // namespace

static_assert(kSchemaVersion == kSchemaVersionOfMigrations);

std::unique_ptr<Connection> OpenStoreFile(const std::filesystem::path &path)
{
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error)))
        makeFile(path);
    const Header header = inspect(path);
    if (header == Header::NotADatabase)
        refuse(StoreProblem::NotADatabase, path);
    if (header == Header::Foreign)
        refuse(StoreProblem::Foreign, path);
    return Guarded(path, [&] { return connect(path, header); });
}

StoreError ErrorOf(const SqliteError &error, const std::filesystem::path &path)
{
    StoreProblem problem = StoreProblem::Failed;
    switch (error.primaryCode()) {
    case SQLITE_NOTADB: problem = StoreProblem::NotADatabase; break;
    case SQLITE_CORRUPT: problem = StoreProblem::Damaged; break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: problem = StoreProblem::Busy; break;
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_AUTH: problem = StoreProblem::CannotOpen; break;
    default: break;
    }
    return {problem, path.string(), error.what(), 0, 0};
}

} // namespace tallyfin::store
