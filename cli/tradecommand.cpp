#include <CLI/CLI.hpp>

#include <span>
#include <utility>

#include "batch.h"
#include "command.h"
#include "tradeoptions.h"

namespace tallyfin {

namespace {

using NamedFigure = NamedText<TradeFields>;

// Each side's figures by name (schema 2).
constexpr NamedFigure kBuyFigures[] = {
    {"price", &TradeFields::buyPrice},          {"quantity", &TradeFields::buyQuantity},
    {"amount", &TradeFields::buyAmount},        {"commission", &TradeFields::buyCommission},
    {"stampDuty", &TradeFields::buyStampDuty},  {"transferFee", &TradeFields::buyTransferFee},
    {"levies", &TradeFields::buyLevies},        {"fees", &TradeFields::buyFees},
    {"cashPaid", &TradeFields::cashPaid},       {"costPerShare", &TradeFields::costPerShare},
    {"breakEven", &TradeFields::breakEvenPrice},
};

constexpr NamedFigure kSellFigures[] = {
    {"price", &TradeFields::sellPrice},              {"quantity", &TradeFields::sellQuantity},
    {"amount", &TradeFields::sellAmount},            {"commission", &TradeFields::sellCommission},
    {"stampDuty", &TradeFields::sellStampDuty},      {"transferFee", &TradeFields::sellTransferFee},
    {"levies", &TradeFields::sellLevies},            {"fees", &TradeFields::sellFees},
    {"cashReceived", &TradeFields::netReceipts},     {"returnPercent", &TradeFields::returnPercent},
    {"profit", &TradeFields::profit},
};

// --json-keys fields: the main window's widget names, as earlier releases
// printed them.
constexpr NamedFigure kWindowFields[] = {
    {"jg", &TradeFields::buyPrice},           {"sl", &TradeFields::buyQuantity},
    {"Edit2", &TradeFields::sellPrice},       {"Edit3", &TradeFields::sellQuantity},
    {"Edit4", &TradeFields::buyAmount},       {"Edit5", &TradeFields::buyCommission},
    {"Edit6", &TradeFields::buyStampDuty},    {"Edit7", &TradeFields::buyTransferFee},
    {"Edit8", &TradeFields::buyFees},         {"Edit9", &TradeFields::cashPaid},
    {"Edit10", &TradeFields::costPerShare},   {"Edit11", &TradeFields::breakEvenPrice},
    {"Edit12", &TradeFields::sellAmount},     {"Edit13", &TradeFields::sellCommission},
    {"Edit14", &TradeFields::sellStampDuty},  {"Edit15", &TradeFields::sellTransferFee},
    {"Edit16", &TradeFields::sellFees},       {"Edit17", &TradeFields::netReceipts},
    {"Edit18", &TradeFields::returnPercent},  {"Edit19", &TradeFields::profit},
};

// A 港股通 side's Hong Kong figures: the rate, the amount and each item in
// HKD, 换汇尾差 in yuan.
//   {"rate": "0.93358", "amountHkd": "9430.00", "stampDutyHkd": "10.00", …, "rounding": "0.04"}
nlohmann::ordered_json hongKongJson(const HkSideTexts &hk)
{
    nlohmann::ordered_json object = {{"rate", hk.rate}, {"amountHkd", hk.amountHkd}};
    for (const HkFeeItem item : kHkFeeItems)
        object[std::string(HkFeeItemKey(item)) + "Hkd"] = hk.itemsHkd[HkItemIndex(item)];
    object["rounding"] = hk.rounding;
    return object;
}

// The buy and sell objects, made in this one place so that a market with
// figures of its own adds them to each side here.
void addSides(nlohmann::ordered_json &object, const TradeFields &f)
{
    object["buy"] = NamedTextsJson<TradeFields>(f, kBuyFigures);
    object["sell"] = NamedTextsJson<TradeFields>(f, kSellFigures);
    if (f.buyHongKong)
        object["buy"]["hk"] = hongKongJson(*f.buyHongKong);
    if (f.sellHongKong)
        object["sell"]["hk"] = hongKongJson(*f.sellHongKong);
}

struct Caption {
    std::string_view text;
    std::string TradeFields::*field;
    FieldColor TradeFields::*color = nullptr;
    bool price = false; // in HKD for 港股通
};

constexpr Caption kBuyCaptions[] = {
    {"买入价格(元)", &TradeFields::buyPrice, nullptr, true},       {"买入数量(股)", &TradeFields::buyQuantity},
    {"交易金额(元)", &TradeFields::buyAmount},      {"佣    金(元)", &TradeFields::buyCommission},
    {"印 花 税(元)", &TradeFields::buyStampDuty},   {"过 户 费(元)", &TradeFields::buyTransferFee},
    {"费用合计(元)", &TradeFields::buyFees},        {"实付金额(元)", &TradeFields::cashPaid},
    {"买入成本(元)", &TradeFields::costPerShare},   {"保本价格(元)", &TradeFields::breakEvenPrice, nullptr, true},
};

constexpr Caption kSellCaptions[] = {
    {"卖出价格(元)", &TradeFields::sellPrice, nullptr, true},      {"卖出数量(股)", &TradeFields::sellQuantity},
    {"交易金额(元)", &TradeFields::sellAmount},     {"佣    金(元)", &TradeFields::sellCommission},
    {"印 花 税(元)", &TradeFields::sellStampDuty},  {"过 户 费(元)", &TradeFields::sellTransferFee},
    {"费用合计(元)", &TradeFields::sellFees},       {"实收金额(元)", &TradeFields::netReceipts},
    {"收 益 率(%)", &TradeFields::returnPercent, &TradeFields::returnColor},
    {"盈亏金额(元)", &TradeFields::profit, &TradeFields::profitColor},
};

// A group's title and captions; after a batch reduction its first two
// captions become the average price and the total quantity.
struct Group {
    std::string_view title;
    std::span<const Caption> captions;
    bool relabelled;
    std::string_view averageCaption, totalCaption;
    // The levies row after the transfer fee, when levies are charged on top
    // (or are Hong Kong's).
    std::string TradeFields::*levies = nullptr;
    // 港股通: the side's HKD figures (and its prices in HKD).
    std::optional<HkSideTexts> TradeFields::*hongKong = nullptr;
};

// Where a group's levies row stands: after its sixth row, the transfer fee.
constexpr std::size_t kLeviesRow = 6;

using Batches = std::vector<std::pair<std::string, std::string>>;

std::string_view colorName(FieldColor color)
{
    switch (color) {
    case FieldColor::Red: return "red";
    case FieldColor::Green: return "green";
    case FieldColor::Window: break;
    }
    return "window";
}

std::string_view colorMark(FieldColor color)
{
    switch (color) {
    case FieldColor::Red: return "（红）";
    case FieldColor::Green: return "（绿）";
    case FieldColor::Window: break;
    }
    return {};
}

// A 港股通 side's HKD figures under its yuan ones.
void addHongKong(TextTable &table, const HkSideTexts &hk)
{
    table.addRow("  结算汇率", hk.rate);
    table.addRow("  成交金额(港元)", hk.amountHkd);
    for (const HkFeeItem item : kHkFeeItems)
        table.addRow("  " + std::string(HkFeeItemName(item)) + "(港元)", hk.itemsHkd[HkItemIndex(item)]);
    table.addRow("  换汇尾差(元)", hk.rounding);
}

void addGroup(TextTable &table, const TradeFields &f, const Group &group)
{
    table.addBlankLine();
    table.addHeading(std::string(group.title));
    for (std::size_t row = 0; row < group.captions.size(); ++row) {
        const Caption &caption = group.captions[row];
        std::string text(caption.text);
        if (group.relabelled && row < 2)
            text = row == 0 ? group.averageCaption : group.totalCaption;
        if (caption.price)
            text = PriceCaption(text, group.hongKong != nullptr);
        const FieldColor color = caption.color ? f.*caption.color : FieldColor::Window;
        table.addRow("  " + text, f.*caption.field + std::string(colorMark(color)), color);
        if (group.levies && row + 1 == kLeviesRow)
            table.addRow("  规    费(元)", f.*group.levies);
    }
    if (group.hongKong && f.*group.hongKong)
        addHongKong(table, *(f.*group.hongKong));
}

// What the batch dialog would write back into a side's price and quantity,
// or nothing when it was not used. Even no complete row writes back: the
// dialog then empties both fields.
std::optional<BatchReduction> reduce(const Batches &batches)
{
    if (batches.empty())
        return std::nullopt;
    BatchRows rows{};
    for (std::size_t i = 0; i < batches.size(); ++i)
        rows[i] = {batches[i].first, batches[i].second};
    return ReduceBatches(rows, kDecimalPoint);
}

void applyReduction(const std::optional<BatchReduction> &reduction, std::string &price, std::string &quantity,
                    bool &relabelled)
{
    if (!reduction)
        return;
    price = reduction->price;
    quantity = reduction->quantity;
    relabelled = reduction->relabel;
}

// "--buy-batch PRICE QTY", up to kBatchRows times.
void addBatchOption(CLI::App &command, const std::string &name, Batches &batches, const std::string &side)
{
    command
        .add_option(name, batches,
                    "one " + side + " batch, up to 5 times; their average price and total quantity replace the "
                                    "side's price and quantity")
        ->type_name("PRICE QTY")
        ->expected(1, static_cast<int>(kBatchRows));
}

// "trade": the main window's "计算", with the batch dialogs' rows reduced first.
class TradeCommand : public Command {
public:
    CLI::App *declare(CLI::App &program) override
    {
        CLI::App *trade = AddTradeCommand(program, "trade", "trade fees, break-even price and result", m_options);
        TradeFields &f = m_options.fields;
        trade->add_option("--buy-price", f.buyPrice, "buy price (买入价格)");
        trade->add_option("--buy-qty", f.buyQuantity, "buy quantity (买入数量)");
        trade->add_option("--sell-price", f.sellPrice, "sell price (卖出价格)");
        trade->add_option("--sell-qty", f.sellQuantity, "sell quantity (卖出数量), default the buy quantity");
        addBatchOption(*trade, "--buy-batch", m_buyBatches, "bought");
        addBatchOption(*trade, "--sell-batch", m_sellBatches, "sold");
        return trade;
    }

    int run(const Output &output) const override
    {
        TradeFields f = m_options.fields;
        Ending ending;
        bool buyRelabelled = false, sellRelabelled = false;
        try {
            // A bad batch row is reported before anything is written.
            const std::optional<BatchReduction> buy = reduce(m_buyBatches), sell = reduce(m_sellBatches);
            applyReduction(buy, f.buyPrice, f.buyQuantity, buyRelabelled);
            applyReduction(sell, f.sellPrice, f.sellQuantity, sellRelabelled);
            if (CalculateTrade(f, kDecimalPoint) == TradeOutcome::SellQuantityMissing)
                ending.message = std::string(kSellQuantityMissing);
        } catch (const Error &error) {
            ending.error = ErrorText(error);
        }
        const bool asJson = m_options.json;
        const std::string result =
            asJson ? JsonLine(json(f, ending, m_options.jsonKeys))
                   : table(f, buyRelabelled, sellRelabelled, output.ansiColours);
        return Report(output, result, asJson, ending);
    }

private:
    static nlohmann::ordered_json json(const TradeFields &f, const Ending &ending, JsonKeys keys)
    {
        if (keys == JsonKeys::Fields)
            return windowFieldsJson(f, ending);
        const std::optional<AppliedRules> applied = RulesApplied(f);
        nlohmann::ordered_json object = {{"schema", kJsonSchema}, {"rules", RuleSetKey(f.rules)}};
        if (applied)
            object["rulesInForce"] = RulesJson(applied);
        addSides(object, f);
        object["colors"] = {{"returnPercent", colorName(f.returnColor)}, {"profit", colorName(f.profitColor)}};
        AddEnding(object, ending);
        return object;
    }

    // Exactly as earlier releases printed it.
    static nlohmann::ordered_json windowFieldsJson(const TradeFields &f, const Ending &ending)
    {
        nlohmann::ordered_json fields = NamedTextsJson<TradeFields>(f, kWindowFields);
        const std::optional<AppliedRules> applied = RulesApplied(f);
        if (applied && f.leviesOnTop) {
            fields["buyLevies"] = f.buyLevies;
            fields["sellLevies"] = f.sellLevies;
        }
        nlohmann::ordered_json object = {
            {"fields", fields},
            {"colors", {{"Edit18", colorName(f.returnColor)}, {"Edit19", colorName(f.profitColor)}}}};
        // The classic rules' output stays as it always was.
        if (applied)
            object["rules"] = RulesJson(applied);
        AddEnding(object, ending);
        return object;
    }

    // The window as a person reads it: the fee settings, then the buy and
    // sell groups under their captions and units. A red or green result
    // carries "（红）" or "（绿）", and is coloured too when asked to.
    static std::string table(const TradeFields &f, bool buyRelabelled, bool sellRelabelled, bool ansiColours)
    {
        const std::optional<AppliedRules> applied = RulesApplied(f);
        const bool hongKong = TradesHongKong(f);
        const bool levies = applied && (f.leviesOnTop || hongKong);
        TextTable table;
        AddSettings(table, f, applied);
        addGroup(table, f,
                 {"买入计算", kBuyCaptions, buyRelabelled, "买入均价(元)", "持股总数(股)",
                  levies ? &TradeFields::buyLevies : nullptr, hongKong ? &TradeFields::buyHongKong : nullptr});
        addGroup(table, f,
                 {"卖出计算", kSellCaptions, sellRelabelled, "卖出均价(元)", "卖出总数(股)",
                  levies ? &TradeFields::sellLevies : nullptr, hongKong ? &TradeFields::sellHongKong : nullptr});
        AddRulesInForce(table, applied);
        return table.render(ansiColours);
    }

    TradeOptions m_options;
    Batches m_buyBatches, m_sellBatches;
};

} // namespace

std::unique_ptr<Command> MakeTradeCommand() { return std::make_unique<TradeCommand>(); }

} // namespace tallyfin
