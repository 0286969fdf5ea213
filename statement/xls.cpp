#include <cerrno>
#include <cstring>
#include <freexl.h>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

#include "cells.h"
#include "failure.h"
#include "spreadsheets.h"

namespace tallyfin::statement {

namespace {

// libfreexl opens files by name only: the bytes are given to it as a file in
// memory, so that nothing is ever written to disk.
class MemoryFile {
public:
    explicit MemoryFile(std::string_view bytes) : m_fd(memfd_create("tallyfin-statement", MFD_CLOEXEC))
    {
        for (std::size_t written = 0; m_fd >= 0 && written < bytes.size();) {
            const ssize_t n = write(m_fd, bytes.data() + written, bytes.size() - written);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                close(m_fd);
                m_fd = -1;
            } else {
                written += static_cast<std::size_t>(n);
            }
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
    std::string path() const { return "/proc/self/fd/" + std::to_string(m_fd); }

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
        if (table.textBytes() > kMaxSheetTextBytes)
            return BadSpreadsheet("the sheet holds more than 512 MiB of text");
        if (row % 1024 == 1023 && !stage.report(static_cast<double>(row) / rows))
            return MakeFailure(FailureKind::Cancelled);
    }
    return std::nullopt;
}

} // namespace

std::optional<Failure> ReadXlsSheets(std::string_view bytes, const Stage &stage, const SheetUser &use)
{
    const MemoryFile file(bytes);
    if (!file.ok())
        return BadSpreadsheet(std::string("cannot hold the workbook in memory: ") + std::strerror(errno));
    const Workbook workbook(file.path());
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

} // namespace tallyfin::statement
