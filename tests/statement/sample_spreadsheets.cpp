#include "sample_spreadsheets.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <xlsxwriter.h>

namespace tallyfin::samples {

namespace {

std::string numberText(const std::string &text)
{
    std::string digits;
    for (const char c : text)
        if (c != ',')
            digits += c;
    return digits;
}

// `="601869"` -> 601869: what the formula shows.
std::string formulaResult(const std::string &formula)
{
    const std::size_t open = formula.find('"'), close = formula.rfind('"');
    return open < close ? formula.substr(open + 1, close - open - 1) : std::string();
}

} // namespace

void WriteXlsx(const SampleTable &table, const std::filesystem::path &path)
{
    lxw_workbook *book = workbook_new(path.c_str());
    lxw_worksheet *sheet = workbook_add_worksheet(book, "交割单");
    for (std::size_t row = 0; row < table.size(); ++row)
        for (std::size_t column = 0; column < table[row].size(); ++column) {
            const SampleCell &cell = table[row][column];
            const auto r = static_cast<lxw_row_t>(row);
            const auto c = static_cast<lxw_col_t>(column);
            if (cell.number)
                worksheet_write_number(sheet, r, c, std::strtod(numberText(cell.text).c_str(), nullptr), nullptr);
            else if (cell.formula)
                worksheet_write_formula_str(sheet, r, c, cell.text.c_str(), nullptr, formulaResult(cell.text).c_str());
            else if (!cell.text.empty())
                worksheet_write_string(sheet, r, c, cell.text.c_str(), nullptr);
        }
    if (workbook_close(book) != LXW_NO_ERROR)
        throw std::runtime_error("libxlsxwriter could not write " + path.string());
}

void WriteXls(const SampleTable &table, const std::filesystem::path &path)
{
    const std::filesystem::path cellsPath = path.string() + ".cells";
    {
        std::ofstream cells(cellsPath);
        for (const std::vector<SampleCell> &row : table) {
            for (std::size_t column = 0; column < row.size(); ++column)
                cells << (column ? "\t" : "") << (row[column].number ? 'n' : 't') << row[column].text;
            cells << '\n';
        }
    }
    const std::string command = std::string(TALLYFIN_PYTHON3) + " " + TALLYFIN_WRITE_XLS + " '" + cellsPath.string() +
                                "' '" + path.string() + "'";
    const int status = std::system(command.c_str());
    std::filesystem::remove(cellsPath);
    if (status != 0)
        throw std::runtime_error("python3-xlwt could not write " + path.string() + ": " + command);
}

} // namespace tallyfin::samples
