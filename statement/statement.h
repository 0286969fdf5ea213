#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decimal.h"
#include "feerules.h"

// Reads the statements (交割单 / 对账单) that brokers' clients export: the
// rows as they stand in the file, classified as buys, sells and other
// business, with every fee column the file has. No Qt; the CLI and the window
// share it. The file is only ever read. Readings share nothing and may run on
// any thread; a real .xls is read by libfreexl in a child process (the
// program started again, see xls.cpp), which ends before the reading returns.
//
//   Statement s = ReadStatementFile("交割单.xls");
//   if (s.failure) puts(EnglishText(*s.failure).c_str()); // messages.h
//   for (const Row &row : s.rows)
//       if (row.kind() == RowKind::Sell) ... row.quantity(), row.stampDuty() ...

namespace tallyfin::statement {

// Larger files are refused before a byte of them is read.
inline constexpr std::uint64_t kMaxStatementBytes = 256ull * 1024 * 1024;

enum class FileKind : std::uint8_t { Text, Xls, Xlsx };
enum class TextEncoding : std::uint8_t { Utf8, Gb18030, Utf16Le };

//   FileKindKey(FileKind::Xlsx) -> "xlsx"
std::string_view FileKindKey(FileKind kind);
//   EncodingName(TextEncoding::Gb18030) -> "GB18030"
std::string_view EncodingName(TextEncoding encoding);

// How the file was read. The kind and encoding are told from the bytes,
// never from the file's name.
struct Format {
    FileKind kind = FileKind::Text;
    std::optional<TextEncoding> encoding; // text only
    char separator = 0;                   // text only: '\t' or ','
    int headerLine = 0;                   // 1-based line of the header; the sheet's row for spreadsheets
    std::string sheet;                    // spreadsheets: the name of the sheet read
    // Text only: lines written in the other of UTF-8 and GB18030, each read
    // in the encoding it is valid in.
    int linesInOtherEncoding = 0;
};

// What a column of the statement holds.
enum class ColumnRole : std::uint8_t {
    None, // a column we do not use, or one that lost a choice
    Date, Time, Code, Name, Operation, Market, Currency,
    Quantity, Price, Amount,
    Commission, StampDuty, TransferFee, HandlingFee, ManagementFee, Levies, OtherFees, FeesTotal,
    Cash, ExchangeRate, Fills, OrderNumber, TradeNumber, Account,
    ShareBalance, CashBalance, FundAccount, // running balances after the row (股份余额, 资金余额), 资金帐号
    Remark, // 备注: free text, where some exports write a Stock Connect trade's settlement rate and parts
};

//   ColumnRoleKey(ColumnRole::StampDuty) -> "stampDuty"
std::string_view ColumnRoleKey(ColumnRole role);

// A column of the header row: its name as written (without `="…"` and the
// surrounding spaces) and what the reader took it for.
struct Column {
    std::string name;
    ColumnRole role = ColumnRole::None;
};

// How a choice between columns that could mean one thing was made.
enum class ChoiceBasis : std::uint8_t {
    Arithmetic, // the reading under which more trade rows add up (see rowsAgreeing)
    NameOrder,  // the rows could not tell them apart: the name brokers use first for it
    EachRow,    // all of them are read on every row (the operation columns)
};

// Two or more columns could fill `role`:
//   佣金 and 手续费 (a 手续费 beside 佣金 is usually the total of the fees),
//   成交数量 and 发生数量, 发生金额 and 清算金额, 成交日期 and 交收日期, 操作 and 摘要 …
// A quantity, price or amount is checked by quantity × price = amount, a cash
// column and the commission by |cash| = amount ± the sum of the fees.
struct ColumnChoice {
    ColumnRole role = ColumnRole::None;
    int chosen = -1;             // column index; -1 when none of them took the role
    std::vector<int> candidates; // every column that could have taken it, the chosen one included
    ChoiceBasis basis = ChoiceBasis::NameOrder;
    int rowsChecked = 0;         // Arithmetic: trade rows that had the numbers to check
    int rowsAgreeing = 0;        // of those, the rows that add up under the choice made
};

enum class RowKind : std::uint8_t { Buy, Sell, Other };

class TextStore;

// Where a row's text lies in its statement's TextStore.
struct StoredText {
    std::uint32_t offset = 0, size = 0;
};

//   RowKindKey(RowKind::Other) -> "other"
std::string_view RowKindKey(RowKind kind);

// The texts of a row, as written (without `="…"` and surrounding spaces),
// except the code, which is padded.
enum class TextField : std::uint8_t {
    Time, Code, Name, Operation, Market, Currency, OrderNumber, TradeNumber, Account, FundAccount, Remark,
};
inline constexpr int kTextFieldCount = 11;

// The numbers of a row, exact as written.
enum class NumberField : std::uint8_t {
    Quantity, Price, Amount,
    Commission, StampDuty, TransferFee, HandlingFee, ManagementFee, Levies, OtherFees, FeesTotal,
    Cash, ExchangeRate, Fills,
    ShareBalance, CashBalance,
};
inline constexpr int kNumberFieldCount = 16;

// One row of the statement that could be read.
//
// Buys and sells (证券买入, 融资买入, 卖券还款 …) always have a date, a code,
// a quantity above zero and a price or an amount; their quantity, amount and
// fees are magnitudes, whatever sign the broker wrote. Every other row
// (红利入账, 股息红利税补缴, 银证转账 …) has a date and keeps its numbers as
// written, and its operation() is the name that says what it is.
//
// The codes: "878" and `="000878"` both give "000878"; a Hong Kong stock
// bought through Stock Connect keeps five digits ("700" gives "00700").
//
// A number is present only where the file has that column and the cell is not
// empty; a number in a column the file lacks is nullopt.
//
// The texts are views into the Statement's own storage: they stay valid while
// the Statement (or a copy of it) lives.
class Row {
public:
    int line() const { return m_line; } // 1-based line of the file, or the sheet's row
    RowKind kind() const { return m_kind; }
    bool isTrade() const { return m_kind != RowKind::Other; }
    TradeDate date() const { return m_date; }

    std::string_view text(TextField field) const;
    std::string_view time() const { return text(TextField::Time); }           // "09:29:53"
    std::string_view code() const { return text(TextField::Code); }           // "000597", "00700"
    std::string_view name() const { return text(TextField::Name); }           // "东北制药"
    std::string_view operation() const { return text(TextField::Operation); } // "证券买入", "红利入账"
    std::string_view market() const { return text(TextField::Market); }       // "深市A股", "沪港通"
    std::string_view currency() const { return text(TextField::Currency); }   // "人民币"
    std::string_view orderNumber() const { return text(TextField::OrderNumber); }
    std::string_view tradeNumber() const { return text(TextField::TradeNumber); }
    std::string_view account() const { return text(TextField::Account); }         // 股东代码
    std::string_view fundAccount() const { return text(TextField::FundAccount); } // 资金帐号

    std::optional<Decimal> number(NumberField field) const;
    std::optional<Decimal> quantity() const { return number(NumberField::Quantity); }
    std::optional<Decimal> price() const { return number(NumberField::Price); }
    std::optional<Decimal> amount() const { return number(NumberField::Amount); }
    std::optional<Decimal> commission() const { return number(NumberField::Commission); }
    std::optional<Decimal> stampDuty() const { return number(NumberField::StampDuty); }
    std::optional<Decimal> transferFee() const { return number(NumberField::TransferFee); }
    std::optional<Decimal> handlingFee() const { return number(NumberField::HandlingFee); }
    std::optional<Decimal> managementFee() const { return number(NumberField::ManagementFee); }
    std::optional<Decimal> levies() const { return number(NumberField::Levies); }       // 规费
    std::optional<Decimal> otherFees() const { return number(NumberField::OtherFees); } // sum of the other-fee columns
    std::optional<Decimal> feesTotal() const { return number(NumberField::FeesTotal); } // a column that totals the fees
    std::optional<Decimal> cash() const { return number(NumberField::Cash); }           // signed: negative when paid
    std::optional<Decimal> exchangeRate() const { return number(NumberField::ExchangeRate); }
    std::optional<Decimal> fills() const { return number(NumberField::Fills); }         // 成交笔数
    // The balances after the row as the broker wrote them; a cell that is no
    // number leaves them out rather than making the row unreadable.
    std::optional<Decimal> shareBalance() const { return number(NumberField::ShareBalance); } // 股份余额
    std::optional<Decimal> cashBalance() const { return number(NumberField::CashBalance); }   // 资金余额

    // A number rounded half up to the cent, in cents: cheap, for the many
    // rows of an audit. nullopt where number() is, or beyond 64 bits.
    //   成交金额 1218.000 -> 121800,  4303.015 -> 430302,  佣金 -5 -> -500
    std::optional<std::int64_t> cents(NumberField field) const;

    // A Hong Kong stock traded through Stock Connect, by IsHongKongTrade
    // (security.h): the market or currency names Hong Kong, the row carries
    // an exchange rate, or its code was written with five digits.
    bool stockConnect() const { return m_stockConnect; }
    // Bytes that were no text in the file's encoding were replaced by U+FFFD
    // in a cell the row does not need (such as the name).
    bool textRepaired() const { return m_textRepaired; }

private:
    friend class RowBuilder;
    friend class RowCodec; // the account store's way back to a row

    // A number is units × 32 + scale (its value units × 10^-scale); rows are
    // many, so they are kept small.
    static constexpr std::int64_t kAbsent = INT64_MIN;
    static constexpr std::array<std::int64_t, kNumberFieldCount> noNumbers()
    {
        std::array<std::int64_t, kNumberFieldCount> numbers{};
        numbers.fill(kAbsent);
        return numbers;
    }

    const TextStore *m_store = nullptr;
    std::array<StoredText, kTextFieldCount> m_texts{};
    std::array<std::int64_t, kNumberFieldCount> m_numbers = noNumbers();
    TradeDate m_date;
    int m_line = 0;
    RowKind m_kind = RowKind::Other;
    bool m_stockConnect = false;
    bool m_textRepaired = false;
};

// Why a row could not be read. `column` names the header column concerned
// and `cell` quotes its text (both may be empty).
enum class RowProblem : std::uint8_t {
    NoDate,          // the date cell is empty
    BadDate,         // the date cell is no date
    DateOutOfRange,  // a real day, but before 1990 or after 2099
    NoOperation,     // no operation column says what the row is
    SidesDisagree,   // one operation column says buy, another sell, and the numbers cannot tell
    NoCode,          // a trade without a code
    BadCode,         // a trade whose code is not one to six digits
    NoQuantity,      // a trade without a quantity
    ZeroQuantity,    // a trade of quantity 0
    NoPriceOrAmount, // a trade with neither price nor amount
    BadNumber,       // text where a number belongs
    InvalidBytes,    // bytes that are no text in the file's encoding, in a cell the row needs
    CutShort,        // the file ends in the middle of this row
};

struct UnreadableRow {
    int line = 0;
    RowProblem problem = RowProblem::BadNumber;
    std::string column;
    std::string cell;
};

// Why nothing could be read.
enum class FailureKind : std::uint8_t {
    CannotOpen,     // systemError says why
    TooLarge,       // fileSize is above kMaxStatementBytes
    Empty,          // no byte, or only spaces and line ends
    Binary,         // neither text nor a spreadsheet
    Html,           // an HTML page saved under a spreadsheet's name
    BadSpreadsheet, // a spreadsheet container that cannot be read; detail says what failed
    NoHeader,       // no row names a date, code, operation, quantity and price or amount
    Cancelled,      // the progress callback asked to stop
};

struct Failure {
    FailureKind kind = FailureKind::CannotOpen;
    std::uint64_t fileSize = 0;
    int systemError = 0; // errno
    std::string detail;  // the path that could not be opened, what the library said …
};

// What ReadStatement found. With a failure, nothing else is filled in but
// what was known before it (the format's kind and encoding).
struct Statement {
    std::optional<Failure> failure;
    Format format;
    std::vector<Column> columns; // the header row, in file order
    std::vector<ColumnChoice> choices;
    std::vector<Row> rows;       // trades and other rows, in file order
    std::vector<UnreadableRow> unreadable;
    std::shared_ptr<const TextStore> texts; // where the rows' texts live
    // A statement merged from several keeps their stores alive as well.
    std::vector<std::shared_ptr<const TextStore>> otherTexts;

    int tradeCount() const;
    int otherCount() const;
};

// Told the fraction done (0 … 1) every few thousand rows and between stages;
// returning false stops the reading with FailureKind::Cancelled. Called on
// the reading thread.
using Progress = std::function<bool(double fraction)>;

// Reads a statement file. A file above kMaxStatementBytes is refused from its
// size alone.
Statement ReadStatementFile(const std::filesystem::path &path, const Progress &progress = {});

// The same, from the file's bytes in memory.
Statement ReadStatementBytes(std::string bytes, const Progress &progress = {});

} // namespace tallyfin::statement
