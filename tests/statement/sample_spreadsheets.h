#pragma once

#include <filesystem>
#include <string>

#include "statementgen.h"

// The made-up statements of the tests as real spreadsheets.
namespace tallyfin::samples {

// An .xlsx written by libxlsxwriter: numbers in number cells, `="…"` texts
// as formulas with their text as the cached result (as a spreadsheet
// program saves them).
void WriteXlsx(const SampleTable &table, const std::filesystem::path &path);

// An .xls (BIFF8) written by python3-xlwt: numbers in number cells, `="…"`
// texts kept as text (as brokers' .xls files have them).
void WriteXls(const SampleTable &table, const std::filesystem::path &path);

} // namespace tallyfin::samples
