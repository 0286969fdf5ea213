#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <freexl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

#include "cells.h"
#include "failure.h"
#include "spreadsheets.h"

namespace tallyfin::statement {

namespace {

// Calls `step(data, size)`, a read or a write, until all `size` bytes are
// through; false on an error or at the end. A step returns -1 with EINTR to be
// called again.
template <typename Step, typename Byte>
bool throughAll(Step step, Byte *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = step(data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool writeAll(int fd, const char *data, std::size_t size)
{
    return throughAll([fd](const char *at, std::size_t left) { return write(fd, at, left); }, data, size);
}

// The reader process (below) finds the workbook and its pipe at these numbers.
constexpr int kWorkbookFd = 3, kMessagesFd = 4;

// A descriptor numbered above kMessagesFd, closed on exec, in place of `fd`.
// Giving the reader a descriptor already at its number would leave it closed
// on exec, and one at the other's number would be overwritten first.
int aboveReaderNumbers(int fd)
{
    if (fd < 0 || fd > kMessagesFd)
        return fd;
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, kMessagesFd + 1);
    close(fd);
    return moved;
}

// libfreexl opens files by name only: the bytes are given to it as a file in
// memory, so that nothing is ever written to disk.
class MemoryFile {
public:
    explicit MemoryFile(std::string_view bytes)
        : m_fd(aboveReaderNumbers(memfd_create("tallyfin-statement", MFD_CLOEXEC)))
    {
        if (m_fd >= 0 && !writeAll(m_fd, bytes.data(), bytes.size())) {
            close(m_fd);
            m_fd = -1;
        }
    }
    ~MemoryFile()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    MemoryFile(const MemoryFile &) = delete;
    MemoryFile &operator=(const MemoryFile &) = delete;

    bool ok() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

private:
    int m_fd;
};

class Workbook {
public:
    explicit Workbook(const std::string &path) : m_status(freexl_open(path.c_str(), &m_handle)) {}
    ~Workbook()
    {
        if (m_handle)
            freexl_close(m_handle);
    }
    Workbook(const Workbook &) = delete;
    Workbook &operator=(const Workbook &) = delete;

    int status() const { return m_status; }
    const void *handle() const { return m_handle; }

private:
    const void *m_handle = nullptr;
    int m_status;
};

std::string cellText(const FreeXL_CellValue &value)
{
    switch (value.type) {
    case FREEXL_CELL_INT:
        return std::to_string(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return SpreadsheetNumberText(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return value.value.text_value ? value.value.text_value : "";
    default:
        return {};
    }
}

Failure freexlFailure(const char *step, int status)
{
    return BadSpreadsheet(std::string("libfreexl: ") + step + " failed (" + std::to_string(status) + ")");
}

// The active sheet's cells; a failure when the library cannot give them.
std::optional<Failure> readSheet(const void *handle, const Stage &stage, SheetTable &table)
{
    unsigned rows = 0;
    unsigned short columns = 0;
    if (const int status = freexl_worksheet_dimensions(handle, &rows, &columns); status != FREEXL_OK)
        return freexlFailure("reading the sheet's size", status);
    for (unsigned row = 0; row < rows; ++row) {
        table.startRow(static_cast<int>(row) + 1);
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue value;
            if (freexl_get_cell_value(handle, row, column, &value) != FREEXL_OK)
                continue;
            if (const std::string text = cellText(value); !text.empty())
                table.addCell(column, text);
        }
        if (table.overLimits())
            return BadSpreadsheet(kSheetTooLarge);
        if (row % 1024 == 1023 && !stage.report(static_cast<double>(row) / rows))
            return MakeFailure(FailureKind::Cancelled);
    }
    return std::nullopt;
}

// The sheets as libfreexl reads them, in this process.
std::optional<Failure> readWorkbook(const std::string &path, const Stage &stage, const SheetUser &use)
{
    const Workbook workbook(path);
    if (workbook.status() != FREEXL_OK)
        return freexlFailure("opening the workbook", workbook.status());
    unsigned info = 0;
    if (freexl_get_info(workbook.handle(), FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED)
        return BadSpreadsheet("the workbook is protected by a password");
    unsigned sheets = 0;
    if (const int status = freexl_get_info(workbook.handle(), FREEXL_BIFF_SHEET_COUNT, &sheets); status != FREEXL_OK)
        return freexlFailure("counting the sheets", status);
    for (unsigned short i = 0; i < sheets; ++i) {
        const char *name = nullptr;
        if (freexl_select_active_worksheet(workbook.handle(), i) != FREEXL_OK ||
            freexl_get_worksheet_name(workbook.handle(), i, &name) != FREEXL_OK)
            continue;
        SheetTable table;
        if (std::optional<Failure> failure = readSheet(workbook.handle(), stage.part(i / double(sheets), (i + 1) / double(sheets)), table))
            return failure;
        if (use(name ? name : "", table))
            break;
    }
    return std::nullopt;
}


// libfreexl trusts the lengths written in the file: a damaged .xls makes it
// read past its buffers (found by fuzzing). It runs in a child process that
// sends the sheets back through a pipe, so that a workbook that stops it is
// reported damaged and the program goes on.
//
// The child is this same program started again, not a fork of it: a fork of
// a program with threads (the window reads on a worker thread) holds whatever
// locks the other threads held at that moment, its allocator's among them,
// and a child that allocates could wait on them forever.
enum class Message : char { Progress = 'P', Sheet = 'S', Failure = 'F', Done = 'D' };
constexpr std::uint64_t kMaxMessageBytes = 2ull << 30; // a sheet of the largest an .xls holds

void send(int fd, Message kind, std::string_view payload)
{
    const std::uint64_t size = payload.size();
    writeAll(fd, reinterpret_cast<const char *>(&kind), 1);
    writeAll(fd, reinterpret_cast<const char *>(&size), sizeof size);
    writeAll(fd, payload.data(), payload.size());
}

// The parent's end of the pipe. While the child is silent (a large sheet, or
// a child that hangs), the caller is still asked every 100 ms whether to go
// on; a child silent for 30 s is given up (libfreexl reads any .xls, at most
// 65,536 rows a sheet, in a few seconds).
class ChildPipe {
public:
    ChildPipe(int fd, const Stage &stage) : m_fd(fd), m_stage(stage) {}

    bool cancelled() const { return m_cancelled; }

    bool receive(Message &kind, std::string &payload)
    {
        std::uint64_t size = 0;
        if (!readAll(reinterpret_cast<char *>(&kind), 1) || !readAll(reinterpret_cast<char *>(&size), sizeof size) ||
            size > kMaxMessageBytes)
            return false;
        payload.resize(size);
        return readAll(payload.data(), size);
    }

    bool report(double fraction)
    {
        m_fraction = fraction;
        m_cancelled = !m_stage.report(fraction);
        return !m_cancelled;
    }

private:
    bool readAll(char *data, std::size_t size)
    {
        return throughAll(
            [this](char *at, std::size_t left) -> ssize_t {
                constexpr int kPollMilliseconds = 100, kSilentPolls = 300;
                pollfd ready{m_fd, POLLIN, 0};
                if (poll(&ready, 1, kPollMilliseconds) != 0) {
                    m_silentPolls = 0;
                    return read(m_fd, at, left);
                }
                errno = EINTR; // silent for now: ask again unless the caller stops
                return ++m_silentPolls < kSilentPolls && report(m_fraction) ? -1 : 0;
            },
            data, size);
    }

    int m_fd;
    const Stage &m_stage;
    double m_fraction = 0;
    int m_silentPolls = 0;
    bool m_cancelled = false;
};

// In the child: every sheet, each sent as soon as it is read.
void sendWorkbook(const std::string &path, int fd)
{
    const Progress progress = [fd](double fraction) {
        send(fd, Message::Progress, std::string_view(reinterpret_cast<const char *>(&fraction), sizeof fraction));
        return true;
    };
    const std::optional<Failure> failure =
        readWorkbook(path, Stage(progress, 0, 1), [fd](const std::string &name, SheetTable &table) {
            const std::uint64_t nameSize = name.size();
            send(fd, Message::Sheet,
                 std::string(reinterpret_cast<const char *>(&nameSize), sizeof nameSize) + name + table.serialized());
            return false;
        });
    if (failure)
        send(fd, Message::Failure, failure->detail);
    else
        send(fd, Message::Done, {});
}

Failure damaged() { return BadSpreadsheet("libfreexl stopped on the workbook: the .xls file is damaged"); }

// In the parent: the sheets as the child sends them, until one is taken.
std::optional<Failure> receiveWorkbook(ChildPipe &pipe, const SheetUser &use)
{
    Message kind;
    std::string payload;
    while (pipe.receive(kind, payload)) {
        double fraction = 0;
        std::uint64_t nameSize = 0;
        switch (kind) {
        case Message::Progress:
            if (payload.size() != sizeof fraction)
                return damaged();
            std::memcpy(&fraction, payload.data(), sizeof fraction);
            if (!pipe.report(fraction))
                return MakeFailure(FailureKind::Cancelled);
            break;
        case Message::Sheet: {
            if (payload.size() < sizeof nameSize)
                return damaged();
            std::memcpy(&nameSize, payload.data(), sizeof nameSize);
            if (nameSize > payload.size() - sizeof nameSize)
                return damaged();
            std::optional<SheetTable> table = SheetTable::deserialized(std::string_view(payload).substr(sizeof nameSize + nameSize));
            if (!table)
                return damaged();
            if (use(payload.substr(sizeof nameSize, nameSize), *table))
                return std::nullopt;
            break;
        }
        case Message::Failure:
            return BadSpreadsheet(payload);
        case Message::Done:
            return std::nullopt;
        default:
            return damaged();
        }
    }
    return pipe.cancelled() ? MakeFailure(FailureKind::Cancelled) : damaged();
}

// The child is started with these arguments and nothing else.
constexpr const char *kReaderName = "tallyfin-xls-reader";
constexpr const char *kReaderFlag = "--read-workbook";

// The program started as the reader: this one, unless it was told another.
std::string &readerProgram()
{
    static std::string program = "/proc/self/exe";
    return program;
}

// Starts the reader of the workbook at `workbookFd`, sending to
// `messagesFd`; 0 or the error number.
int startReader(int workbookFd, int messagesFd, pid_t &child)
{
    posix_spawn_file_actions_t actions;
    if (const int error = posix_spawn_file_actions_init(&actions); error != 0)
        return error;
    int error = posix_spawn_file_actions_adddup2(&actions, workbookFd, kWorkbookFd);
    if (error == 0)
        error = posix_spawn_file_actions_adddup2(&actions, messagesFd, kMessagesFd);
    char *const arguments[] = {const_cast<char *>(kReaderName), const_cast<char *>(kReaderFlag), nullptr};
    if (error == 0)
        error = posix_spawn(&child, readerProgram().c_str(), &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    return error;
}

// Every program that reads statements links this file, so each can be
// started as the reader: the program becomes the reader before its main()
// runs, and ends without running anything of its own.
[[gnu::constructor(101), gnu::used]] void becomeTheReaderWhenStartedAsOne(int argc, char **argv, char **)
{
    ServeAsWorkbookReader(argc, argv);
}

} // namespace

void UseWorkbookReaderProgram(std::string path) { readerProgram() = std::move(path); }

void ServeAsWorkbookReader(int argc, char **argv)
{
    if (argc != 2 || std::strcmp(argv[0], kReaderName) != 0 || std::strcmp(argv[1], kReaderFlag) != 0)
        return;
    sendWorkbook("/proc/self/fd/" + std::to_string(kWorkbookFd), kMessagesFd);
    _exit(0); // nothing of the program's own (exit handlers, buffers) runs
}

std::optional<Failure> ReadXlsSheets(std::string_view bytes, const Stage &stage, const SheetUser &use)
{
    const MemoryFile workbook(bytes);
    if (!workbook.ok())
        return BadSpreadsheet(std::string("cannot hold the workbook in memory: ") + std::strerror(errno));
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return BadSpreadsheet(std::string("cannot start reading the workbook: ") + std::strerror(errno));
    fds[1] = aboveReaderNumbers(fds[1]);
    pid_t child = 0;
    const int error = fds[1] < 0 ? errno : startReader(workbook.fd(), fds[1], child);
    if (fds[1] >= 0)
        close(fds[1]); // the child's end: the pipe ends when the child does
    if (error != 0) {
        close(fds[0]);
        return BadSpreadsheet(std::string("cannot start reading the workbook: ") + std::strerror(error));
    }
    ChildPipe pipe(fds[0], stage);
    const std::optional<Failure> failure = receiveWorkbook(pipe, use);
    // The child may still be reading sheets no longer needed.
    kill(child, SIGKILL);
    close(fds[0]);
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    return failure;
}

} // namespace tallyfin::statement
