#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "assemble.h"
#include "failure.h"
#include "sheettable.h"
#include "spreadsheets.h"
#include "statement.h"
#include "textdecode.h"
#include "textsource.h"
#include "textstore.h"

namespace tallyfin::statement {

namespace {

constexpr std::string_view kOle2Magic = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"; // a real .xls
constexpr std::string_view kZipMagic = "PK\x03\x04";                       // .xlsx
// Reading the file's bytes is this part of the progress; the rest is reading them.
constexpr double kLoadShare = 0.05;
// Decoding text, or unpacking a spreadsheet, before its rows are read.
constexpr double kUnpackShare = 0.3;
constexpr std::size_t kReadChunk = 4u << 20;

Failure tooLarge(std::uint64_t size)
{
    Failure failure = MakeFailure(FailureKind::TooLarge);
    failure.fileSize = size;
    return failure;
}

Failure cannotOpen(const std::filesystem::path &path, int error)
{
    Failure failure = MakeFailure(FailureKind::CannotOpen, path.string());
    failure.systemError = error;
    return failure;
}

Statement readText(std::string bytes, const Stage &stage)
{
    switch (InspectText(bytes)) {
    case TextVerdict::Empty: return FailedStatement(MakeFailure(FailureKind::Empty));
    case TextVerdict::Binary: return FailedStatement(MakeFailure(FailureKind::Binary));
    case TextVerdict::Html: return FailedStatement(MakeFailure(FailureKind::Html));
    case TextVerdict::Text: break;
    }
    std::optional<DecodedText> decoded = DecodeText(std::move(bytes), stage.part(0, kUnpackShare));
    if (!decoded)
        return FailedStatement(MakeFailure(FailureKind::Cancelled));
    Statement statement;
    statement.format.encoding = decoded->encoding;
    statement.format.linesInOtherEncoding = decoded->linesInOtherEncoding;
    auto store = std::make_shared<TextStore>();
    TextSource source(store->adopt(std::move(decoded->text)));
    Assemble(source, *store, stage.part(kUnpackShare, 1), statement);
    if (statement.failure && statement.failure->kind == FailureKind::NoHeader)
        statement.failure->detail = EncodingName(*statement.format.encoding);
    statement.texts = std::move(store);
    return statement;
}

// Each sheet in turn, until one has a header.
Statement readSpreadsheet(std::string_view bytes, FileKind kind, const Stage &stage)
{
    Statement result = FailedStatement(MakeFailure(FailureKind::NoHeader), kind);
    const SheetUser useSheet = [&](const std::string &name, SheetTable &table) {
        auto store = std::make_shared<TextStore>();
        TableSource source(table, store->adopt(table.takeText()));
        Statement statement;
        statement.format.kind = kind;
        statement.format.sheet = name;
        Assemble(source, *store, stage.part(kUnpackShare, 1), statement);
        statement.texts = std::move(store);
        const bool found = !statement.failure || statement.failure->kind != FailureKind::NoHeader;
        if (found)
            result = std::move(statement);
        return found;
    };
    const Stage unpacking = stage.part(0, kUnpackShare);
    const std::optional<Failure> failure = kind == FileKind::Xls ? ReadXlsSheets(bytes, unpacking, useSheet)
                                                                  : ReadXlsxSheets(bytes, unpacking, useSheet);
    return failure ? FailedStatement(*failure, kind) : result;
}

Statement readBytes(std::string bytes, const Stage &stage)
{
    if (bytes.size() > kMaxStatementBytes)
        return FailedStatement(tooLarge(bytes.size()));
    if (std::string_view(bytes).starts_with(kOle2Magic))
        return readSpreadsheet(bytes, FileKind::Xls, stage);
    if (std::string_view(bytes).starts_with(kZipMagic))
        return readSpreadsheet(bytes, FileKind::Xlsx, stage);
    return readText(std::move(bytes), stage);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// The file's bytes, or why they cannot be had. Reads one byte past the limit,
// so that a file grown since its size was looked at is refused all the same.
std::optional<Failure> load(const std::filesystem::path &path, const Stage &stage, std::string &bytes)
{
    const FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat info;
    if (file.get() < 0 || fstat(file.get(), &info) != 0)
        return cannotOpen(path, errno);
    if (S_ISDIR(info.st_mode))
        return cannotOpen(path, EISDIR);
    if (!S_ISREG(info.st_mode))
        return cannotOpen(path, ENODEV);
    if (static_cast<std::uint64_t>(info.st_size) > kMaxStatementBytes)
        return tooLarge(static_cast<std::uint64_t>(info.st_size));
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = read(file.get(), bytes.data() + done, std::min(kReadChunk, bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return cannotOpen(path, errno);
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
        if (done == bytes.size() && bytes.size() <= kMaxStatementBytes)
            bytes.resize(std::min<std::size_t>(bytes.size() * 2, kMaxStatementBytes + 1));
        if (!stage.report(static_cast<double>(done) / static_cast<double>(bytes.size())))
            return MakeFailure(FailureKind::Cancelled);
    }
    if (done > kMaxStatementBytes)
        return tooLarge(done);
    bytes.resize(done);
    return std::nullopt;
}

} // namespace

Statement ReadStatementFile(const std::filesystem::path &path, const Progress &progress)
{
    std::string bytes;
    if (std::optional<Failure> failure = load(path, Stage(progress, 0, kLoadShare), bytes))
        return FailedStatement(std::move(*failure));
    return readBytes(std::move(bytes), Stage(progress, kLoadShare, 1));
}

Statement ReadStatementBytes(std::string bytes, const Progress &progress)
{
    return readBytes(std::move(bytes), Stage(progress, 0, 1));
}

} // namespace tallyfin::statement
