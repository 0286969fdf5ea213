#include "columns.h"

#include <array>

#include "cells.h"

namespace tallyfin::statement {

namespace {

struct KnownName {
    std::string_view name;
    ColumnRole role;
};

// In each role, the names in the order brokers' files are trusted for it.
constexpr std::array kKnownNames{
    KnownName{"成交日期", ColumnRole::Date}, KnownName{"发生日期", ColumnRole::Date},
    KnownName{"交易日期", ColumnRole::Date}, KnownName{"日期", ColumnRole::Date},
    KnownName{"交收日期", ColumnRole::Date}, KnownName{"清算日期", ColumnRole::Date},
    KnownName{"成交时间", ColumnRole::Time}, KnownName{"发生时间", ColumnRole::Time},
    KnownName{"时间", ColumnRole::Time},
    KnownName{"证券代码", ColumnRole::Code}, KnownName{"代码", ColumnRole::Code},
    KnownName{"股票代码", ColumnRole::Code},
    KnownName{"证券名称", ColumnRole::Name}, KnownName{"名称", ColumnRole::Name},
    KnownName{"股票名称", ColumnRole::Name},
    // The operation columns are all read on every row; the order here is the
    // one whose text names the row best (业务名称 "证券买入" before 买卖标志 "买入").
    KnownName{"业务名称", ColumnRole::Operation}, KnownName{"摘要", ColumnRole::Operation},
    KnownName{"交易类别", ColumnRole::Operation}, KnownName{"委托类别", ColumnRole::Operation},
    KnownName{"操作", ColumnRole::Operation}, KnownName{"买卖标志", ColumnRole::Operation},
    KnownName{"买卖方向", ColumnRole::Operation},
    KnownName{"交易市场", ColumnRole::Market}, KnownName{"市场", ColumnRole::Market},
    KnownName{"币种", ColumnRole::Currency},
    KnownName{"成交数量", ColumnRole::Quantity}, KnownName{"数量", ColumnRole::Quantity},
    KnownName{"发生数量", ColumnRole::Quantity},
    KnownName{"成交均价", ColumnRole::Price}, KnownName{"成交价格", ColumnRole::Price},
    KnownName{"价格", ColumnRole::Price}, KnownName{"成交价", ColumnRole::Price},
    KnownName{"成交金额", ColumnRole::Amount}, KnownName{"金额", ColumnRole::Amount},
    KnownName{"佣金", ColumnRole::Commission}, KnownName{"净佣金", ColumnRole::Commission},
    KnownName{kFeesName, ColumnRole::Commission},
    KnownName{"印花税", ColumnRole::StampDuty},
    KnownName{"过户费", ColumnRole::TransferFee},
    KnownName{"经手费", ColumnRole::HandlingFee},
    KnownName{"证管费", ColumnRole::ManagementFee},
    KnownName{"规费", ColumnRole::Levies}, KnownName{"交易规费", ColumnRole::Levies},
    // Every other-fee column is added into one figure.
    KnownName{"其他杂费", ColumnRole::OtherFees}, KnownName{"其他费", ColumnRole::OtherFees},
    KnownName{"其他费用", ColumnRole::OtherFees}, KnownName{"附加费", ColumnRole::OtherFees},
    KnownName{"结算费", ColumnRole::OtherFees}, KnownName{"交易所清算费", ColumnRole::OtherFees},
    KnownName{"清算费", ColumnRole::OtherFees}, KnownName{"财汇局征费", ColumnRole::OtherFees},
    KnownName{"总费用", ColumnRole::FeesTotal}, KnownName{"费用合计", ColumnRole::FeesTotal},
    KnownName{"发生金额", ColumnRole::Cash}, KnownName{"清算金额", ColumnRole::Cash},
    KnownName{"本次金额", ColumnRole::Cash},
    KnownName{"汇率", ColumnRole::ExchangeRate}, KnownName{"结算汇率", ColumnRole::ExchangeRate},
    KnownName{"参考汇率", ColumnRole::ExchangeRate},
    KnownName{"成交笔数", ColumnRole::Fills},
    KnownName{"合同编号", ColumnRole::OrderNumber}, KnownName{"委托编号", ColumnRole::OrderNumber},
    KnownName{"合同号", ColumnRole::OrderNumber}, KnownName{"委托号", ColumnRole::OrderNumber},
    KnownName{"成交编号", ColumnRole::TradeNumber}, KnownName{"成交号", ColumnRole::TradeNumber},
    KnownName{"股东帐户", ColumnRole::Account}, KnownName{"股东代码", ColumnRole::Account},
    KnownName{"股东账户", ColumnRole::Account}, KnownName{"股东账号", ColumnRole::Account},
    KnownName{"股东帐号", ColumnRole::Account},
    // What is held after the row: of the security, and cash.
    KnownName{"股份余额", ColumnRole::ShareBalance}, KnownName{"证券余额", ColumnRole::ShareBalance},
    KnownName{"后证券额", ColumnRole::ShareBalance}, KnownName{"股票余额", ColumnRole::ShareBalance},
    KnownName{"资金余额", ColumnRole::CashBalance}, KnownName{"资金本次余额", ColumnRole::CashBalance},
    KnownName{"本次资金余额", ColumnRole::CashBalance}, KnownName{"后资金额", ColumnRole::CashBalance},
    KnownName{"资金帐号", ColumnRole::FundAccount}, KnownName{"资金账号", ColumnRole::FundAccount},
    KnownName{"资金账户", ColumnRole::FundAccount}, KnownName{"资金帐户", ColumnRole::FundAccount},
    KnownName{"备注", ColumnRole::Remark},
};

// A unit or remark in brackets at the end of a name: 成交金额(元), 佣金（元）.
std::string_view withoutBracketedSuffix(std::string_view name)
{
    for (const auto &[open, close] : {std::pair{std::string_view("("), std::string_view(")")},
                                      std::pair{std::string_view("（"), std::string_view("）")}}) {
        const std::size_t at = name.rfind(open);
        if (at != std::string_view::npos && at > 0 && name.ends_with(close))
            return name.substr(0, at);
    }
    return name;
}

} // namespace

std::string HeaderName(std::string_view cell)
{
    std::string name;
    for (std::string_view text = CellText(cell); !text.empty();) {
        if (text.starts_with(' ')) {
            text.remove_prefix(1);
        } else if (text.starts_with("\u3000")) {
            text.remove_prefix(3);
        } else {
            name += text.front();
            text.remove_prefix(1);
        }
    }
    name.resize(withoutBracketedSuffix(name).size());
    if (name.ends_with(':'))
        name.pop_back();
    return name;
}

NameMeaning MeaningOf(std::string_view headerName)
{
    NameMeaning meaning;
    ColumnRole previous = ColumnRole::None;
    int rank = 0;
    for (const KnownName &known : kKnownNames) {
        rank = known.role == previous ? rank + 1 : 0;
        previous = known.role;
        if (known.name == headerName)
            return {known.role, rank};
    }
    return meaning;
}

bool IsHeaderRow(std::span<const std::string_view> cells)
{
    bool date = false, code = false, operation = false, quantity = false, priceOrAmount = false;
    for (const std::string_view cell : cells) {
        if (cell.size() > 64)
            continue;
        switch (MeaningOf(HeaderName(cell)).role) {
        case ColumnRole::Date: date = true; break;
        case ColumnRole::Code: code = true; break;
        case ColumnRole::Operation: operation = true; break;
        case ColumnRole::Quantity: quantity = true; break;
        case ColumnRole::Price:
        case ColumnRole::Amount: priceOrAmount = true; break;
        default: break;
        }
    }
    return date && code && operation && quantity && priceOrAmount;
}

} // namespace tallyfin::statement
