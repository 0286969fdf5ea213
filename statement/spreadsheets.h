#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "progress.h"
#include "sheettable.h"
#include "statement.h"

// Real spreadsheets: .xls through libfreexl, .xlsx through libzip and expat.
namespace tallyfin::statement {

// Given each sheet in the workbook's order, until it returns true.
using SheetUser = std::function<bool(const std::string &name, SheetTable &table)>;

// A failure of the container (BadSpreadsheet, or Cancelled); nullopt when
// every sheet was given or one was taken.
std::optional<Failure> ReadXlsSheets(std::string_view bytes, const Stage &stage, const SheetUser &use);
std::optional<Failure> ReadXlsxSheets(std::string_view bytes, const Stage &stage, const SheetUser &use);

// libfreexl reads a .xls in a child process (a damaged workbook can take it
// down): the reading program started again as the reader, which every
// program linking xls.cpp can become before its main() runs. Code loaded
// into a program that links no reader (the statement window's plugin) names
// the reader program to start instead, before it reads any workbook.
void UseWorkbookReaderProgram(std::string path);
// Becomes the reader when this process was started as one by ReadXlsSheets:
// reads the workbook handed over and ends the process. Returns otherwise.
void ServeAsWorkbookReader(int argc, char **argv);

inline constexpr const char *kSheetTooLarge = "the sheet is larger than a spreadsheet program makes one";

inline Failure BadSpreadsheet(std::string detail)
{
    Failure failure;
    failure.kind = FailureKind::BadSpreadsheet;
    failure.detail = std::move(detail);
    return failure;
}

} // namespace tallyfin::statement
