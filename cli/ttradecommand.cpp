#include <CLI/CLI.hpp>

#include "command.h"
#include "positionoptions.h"

namespace tallyfin {

namespace {

// The JSON key and the table's caption of each figure of a leg.
struct LegFigure {
    std::string_view key, caption;
    std::string LegTexts::*text;
};

constexpr LegFigure kLegFigures[] = {
    {"price", "价    格(元)", &LegTexts::price},          {"quantity", "数    量(股)", &LegTexts::quantity},
    {"amount", "交易金额(元)", &LegTexts::amount},         {"commission", "佣    金(元)", &LegTexts::commission},
    {"stampDuty", "印 花 税(元)", &LegTexts::stampDuty},   {"transferFee", "过 户 费(元)", &LegTexts::transferFee},
    {"levies", "规    费(元)", &LegTexts::levies},         {"fees", "费用合计(元)", &LegTexts::fees},
    {"cash", "资金(元)", &LegTexts::cash},
};

// "t-trade": a same-day round trip on shares held (做T), 正T or 倒T.
class TTradeCommand : public Command {
public:
    CLI::App *declare(CLI::App &program) override
    {
        CLI::App *command = AddPositionCommand(program, "t-trade",
                                               "a same-day round trip on shares held (做T): gain, diluted cost, "
                                               "break-even and target prices",
                                               m_options);
        command->add_option("--order", m_order, "sell-first (正T: sell, then buy back) or buy-first (倒T)")
            ->required()
            ->check(CLI::IsMember({"sell-first", "buy-first"}));
        command->add_option("--qty", m_fields.quantity, "quantity of each leg (做T数量)")->required();
        command->add_option("--first-price", m_fields.firstPrice, "price of the first leg (第一笔价格)")->required();
        command->add_option("--second-price", m_fields.secondPrice, "price of the second leg (第二笔价格)");
        CLI::Option *holding = command->add_option("--holding", m_fields.holding, "shares held (持仓数量)");
        CLI::Option *cost = command->add_option("--cost", m_fields.cost, "their cost per share (持仓成本)");
        holding->needs(cost);
        cost->needs(holding);
        command->add_option("--gain", m_fields.targetGain, "a gain to reach (目标盈利), in yuan");
        return command;
    }

    int run(const Output &output) const override
    {
        TTradeFields f = m_fields;
        f.order = m_order == "buy-first" ? TOrder::BuyFirst : TOrder::SellFirst;
        const PositionRun run =
            RunPosition(m_options, [&](const PositionTerms &terms) { return CalculateTTrade(terms, f, kDecimalPoint); });
        const bool asJson = m_options.trade.json;
        return Report(output, asJson ? JsonLine(json(f, run.ending)) : table(f, run), asJson, run.ending);
    }

private:
    static std::string_view sideOf(const TTradeFields &f, bool first)
    {
        return (f.order == TOrder::SellFirst) == first ? "sell" : "buy";
    }

    static nlohmann::ordered_json legJson(const LegTexts &leg, std::string_view side)
    {
        nlohmann::ordered_json object{{"side", side}};
        for (const LegFigure &figure : kLegFigures)
            object[std::string(figure.key)] = leg.*figure.text;
        return object;
    }

    static nlohmann::ordered_json json(const TTradeFields &f, const Ending &ending)
    {
        nlohmann::ordered_json legs = nlohmann::ordered_json::array();
        if (f.first)
            legs.push_back(legJson(*f.first, sideOf(f, true)));
        if (f.second)
            legs.push_back(legJson(*f.second, sideOf(f, false)));
        nlohmann::ordered_json object{{"legs", legs},
                                      {"gain", TextOrNull(f.gain)},
                                      {"dilutedCost", TextOrNull(f.dilutedCost)},
                                      {"breakEvenPrice", TextOrNull(f.breakEvenPrice)},
                                      {"targetPrice", TextOrNull(f.targetPrice)}};
        AddEnding(object, ending);
        return object;
    }

    static void addLeg(TextTable &table, const LegTexts &leg, std::string_view side, bool hongKong)
    {
        table.addBlankLine();
        table.addHeading(side == "sell" ? "卖出" : "买入");
        for (const LegFigure &figure : kLegFigures) {
            const bool cash = figure.text == &LegTexts::cash;
            const std::string caption = cash ? (side == "sell" ? "实收金额(元)" : "实付金额(元)")
                                             : PriceCaption(figure.caption, hongKong && figure.text == &LegTexts::price);
            table.addRow("  " + caption, leg.*figure.text);
        }
    }

    std::string table(const TTradeFields &f, const PositionRun &run) const
    {
        TextTable table;
        AddPositionSettings(table, m_options, run.terms);
        table.addRow("做    T", f.order == TOrder::SellFirst ? "正T（先卖后买）" : "倒T（先买后卖）");
        const bool hongKong = run.terms && run.terms->fees.rules().hongKong();
        if (f.first)
            addLeg(table, *f.first, sideOf(f, true), hongKong);
        if (f.second)
            addLeg(table, *f.second, sideOf(f, false), hongKong);
        table.addBlankLine();
        table.addRow("净 盈 亏(元)", f.gain);
        table.addRow("摊薄成本(元)", f.dilutedCost);
        table.addRow(PriceCaption(f.order == TOrder::SellFirst ? "保本买回价(元)" : "保本卖出价(元)", hongKong),
                     f.breakEvenPrice);
        if (!m_fields.targetGain.empty())
            table.addRow(PriceCaption("目标价格(元)", hongKong), f.targetPrice);
        AddPositionRules(table, m_options, run.terms);
        return table.render(false);
    }

    PositionOptions m_options;
    TTradeFields m_fields;
    std::string m_order;
};

} // namespace

std::unique_ptr<Command> MakeTTradeCommand() { return std::make_unique<TTradeCommand>(); }

} // namespace tallyfin
