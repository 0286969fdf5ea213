#pragma once

#include <optional>

#include "layout.h"
#include "statement.h"
#include "textstore.h"

namespace tallyfin::statement {

// Reads one record after the header into a Row, or says why it cannot be
// read. Trades are read strictly (a text where a number belongs makes the
// row unreadable); other rows keep what they have.
class RowBuilder {
public:
    RowBuilder(const Layout &layout, const std::vector<Column> &columns, TextStore &store)
        : m_layout(layout), m_columns(columns), m_store(store)
    {
    }

    // The row, or nullopt with `problem` set.
    std::optional<Row> read(const Record &record, const OperationReading &operation, UnreadableRow &problem);

private:
    bool fail(RowProblem problem, int column);
    bool settleSides(const OperationReading &operation, Row &row);
    bool readDate(Row &row);
    bool readCode(Row &row);
    void readTexts(Row &row);
    bool readNumbers(Row &row);
    bool numberIn(int column, std::optional<CellNumber> &number);
    bool readNumber(NumberField field, int column, Row &row);
    bool readOtherFees(Row &row);
    bool readsAsStockConnect() const;
    std::string_view cell(ColumnRole role) const { return CellAt(*m_record, m_layout.column(role)); }
    StoredText kept(std::string_view text);
    static void setNumber(Row &row, NumberField field, CellNumber number);
    static bool hasNumber(const Row &row, NumberField field);
    static bool isZeroOrAbsent(const Row &row, NumberField field);
    static bool movesMoneyWithoutShares(const Row &row);
    void becomePayment(Row &row);
    static void makeMagnitude(Row &row, NumberField field);

    const Layout &m_layout;
    const std::vector<Column> &m_columns;
    TextStore &m_store;
    const Record *m_record = nullptr;
    UnreadableRow *m_problem = nullptr;
    bool m_trade = false;
};

} // namespace tallyfin::statement
