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

inline constexpr const char *kSheetTooLarge = "the sheet is larger than a spreadsheet program makes one";

inline Failure BadSpreadsheet(std::string detail)
{
    Failure failure;
    failure.kind = FailureKind::BadSpreadsheet;
    failure.detail = std::move(detail);
    return failure;
}

} // namespace tallyfin::statement
