#pragma once

#include <array>
#include <string_view>

#include "statement.h"

// The tables of the account store and the steps between their versions.
namespace tallyfin::store {

// PRAGMA application_id: "TFLY". A database without it is another program's.
inline constexpr std::int32_t kApplicationId = 0x54464C59;

// Migrations[n] brings a store of version n to version n + 1; version 0 is a
// file with no table yet. Never edited once released: a change is a new step.
inline constexpr std::array<std::string_view, 1> kMigrations{R"sql(
CREATE TABLE account (
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL UNIQUE,
    created TEXT NOT NULL
);
-- The 资金帐号 (fund) and 股东代码 (holder) accounts each account's rows carry.
CREATE TABLE account_key (
    kind TEXT NOT NULL CHECK (kind IN ('fund', 'holder')),
    value TEXT NOT NULL,
    account INTEGER NOT NULL REFERENCES account(id) ON DELETE CASCADE,
    PRIMARY KEY (kind, value)
);
CREATE TABLE statement (
    id INTEGER PRIMARY KEY,
    account INTEGER NOT NULL REFERENCES account(id) ON DELETE CASCADE,
    file TEXT NOT NULL,
    size INTEGER NOT NULL,
    sha256 TEXT NOT NULL,
    format_kind TEXT NOT NULL,
    encoding TEXT,
    separator TEXT,
    header_line INTEGER NOT NULL,
    sheet TEXT,
    lines_other_encoding INTEGER NOT NULL,
    imported TEXT NOT NULL,
    rows INTEGER NOT NULL,
    rows_added INTEGER NOT NULL,
    rows_known INTEGER NOT NULL,
    first_date TEXT,
    last_date TEXT,
    UNIQUE (account, sha256)
);
CREATE INDEX statement_of_account ON statement(account);
CREATE TABLE statement_column (
    statement INTEGER NOT NULL REFERENCES statement(id) ON DELETE CASCADE,
    position INTEGER NOT NULL,
    name TEXT NOT NULL,
    role TEXT NOT NULL,
    PRIMARY KEY (statement, position)
) WITHOUT ROWID;
-- Each row as read: texts as written (NULL for none), numbers as exact
-- decimal text with the scale the file gave them.
CREATE TABLE statement_row (
    statement INTEGER NOT NULL REFERENCES statement(id) ON DELETE CASCADE,
    seq INTEGER NOT NULL,
    line INTEGER NOT NULL,
    kind TEXT NOT NULL,
    date TEXT NOT NULL,
    stock_connect INTEGER NOT NULL,
    text_repaired INTEGER NOT NULL,
    time TEXT, code TEXT, name TEXT, operation TEXT, market TEXT, currency TEXT,
    order_number TEXT, trade_number TEXT, holder_account TEXT, fund_account TEXT, remark TEXT,
    quantity TEXT, price TEXT, amount TEXT, commission TEXT, stamp_duty TEXT, transfer_fee TEXT,
    handling_fee TEXT, management_fee TEXT, levies TEXT, other_fees TEXT, fees_total TEXT, cash TEXT,
    exchange_rate TEXT, fills TEXT, share_balance TEXT, cash_balance TEXT,
    PRIMARY KEY (statement, seq)
) WITHOUT ROWID;
CREATE TABLE unreadable_row (
    statement INTEGER NOT NULL REFERENCES statement(id) ON DELETE CASCADE,
    seq INTEGER NOT NULL,
    line INTEGER NOT NULL,
    problem INTEGER NOT NULL,
    column_name TEXT NOT NULL,
    cell TEXT NOT NULL,
    PRIMARY KEY (statement, seq)
) WITHOUT ROWID;
-- The user's terms of the agreement: a scope (a group or every group, a class
-- of securities or one security) over a span of trade dates, a rate and a
-- minimum; and how a group bills the levies and the transfer fee.
CREATE TABLE agreement_term (
    account INTEGER NOT NULL REFERENCES account(id) ON DELETE CASCADE,
    seq INTEGER NOT NULL,
    instrument_group INTEGER,
    security_class INTEGER NOT NULL,
    code TEXT NOT NULL,
    from_date TEXT,
    to_date TEXT,
    rate_per_mille TEXT,
    minimum TEXT,
    PRIMARY KEY (account, seq)
) WITHOUT ROWID;
CREATE TABLE agreement_billing (
    account INTEGER NOT NULL REFERENCES account(id) ON DELETE CASCADE,
    instrument_group INTEGER NOT NULL,
    levies_on_top INTEGER,
    transfer_separate INTEGER,
    PRIMARY KEY (account, instrument_group)
) WITHOUT ROWID;
CREATE TABLE opening_cost (
    account INTEGER NOT NULL REFERENCES account(id) ON DELETE CASCADE,
    code TEXT NOT NULL,
    cost TEXT NOT NULL,
    PRIMARY KEY (account, code)
) WITHOUT ROWID;
)sql"};

inline constexpr int kSchemaVersionOfMigrations = static_cast<int>(kMigrations.size());

// The columns of statement_row that hold a row's texts and numbers, by
// TextField and NumberField.
inline constexpr std::array<std::string_view, statement::kTextFieldCount> kTextColumns{
    "time", "code", "name", "operation", "market", "currency", "order_number", "trade_number", "holder_account",
    "fund_account", "remark"};
inline constexpr std::array<std::string_view, statement::kNumberFieldCount> kNumberColumns{
    "quantity",       "price",      "amount",     "commission", "stamp_duty", "transfer_fee",
    "handling_fee",   "management_fee", "levies", "other_fees", "fees_total", "cash",
    "exchange_rate",  "fills",      "share_balance", "cash_balance"};

} // namespace tallyfin::store
