#include "output.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <span>
#include <utility>

#include "json.h"
#include "table.h"

namespace tallyfin {

namespace {

template <typename Fields>
using NamedField = std::pair<std::string_view, std::string Fields::*>;

constexpr NamedField<TradeFields> kTradeFieldNames[] = {
    {"jg", &TradeFields::jg},         {"sl", &TradeFields::sl},         {"Edit2", &TradeFields::Edit2},
    {"Edit3", &TradeFields::Edit3},   {"Edit4", &TradeFields::Edit4},   {"Edit5", &TradeFields::Edit5},
    {"Edit6", &TradeFields::Edit6},   {"Edit7", &TradeFields::Edit7},   {"Edit8", &TradeFields::Edit8},
    {"Edit9", &TradeFields::Edit9},   {"Edit10", &TradeFields::Edit10}, {"Edit11", &TradeFields::Edit11},
    {"Edit12", &TradeFields::Edit12}, {"Edit13", &TradeFields::Edit13}, {"Edit14", &TradeFields::Edit14},
    {"Edit15", &TradeFields::Edit15}, {"Edit16", &TradeFields::Edit16}, {"Edit17", &TradeFields::Edit17},
    {"Edit18", &TradeFields::Edit18}, {"Edit19", &TradeFields::Edit19},
};

constexpr NamedField<GoldenFields> kGoldenFieldNames[] = {
    {"Edit1", &GoldenFields::Edit1},   {"Edit2", &GoldenFields::Edit2},   {"Edit3", &GoldenFields::Edit3},
    {"Edit4", &GoldenFields::Edit4},   {"Edit5", &GoldenFields::Edit5},   {"Edit6", &GoldenFields::Edit6},
    {"Edit7", &GoldenFields::Edit7},   {"Edit8", &GoldenFields::Edit8},   {"Edit9", &GoldenFields::Edit9},
    {"Edit10", &GoldenFields::Edit10}, {"Edit11", &GoldenFields::Edit11}, {"Edit12", &GoldenFields::Edit12},
    {"Edit13", &GoldenFields::Edit13},
};

// The window's levels from top to bottom, under their labels.
constexpr NamedField<GoldenFields> kGoldenLevels[] = {
    {"19.1%", &GoldenFields::Edit7},   {"23.6%", &GoldenFields::Edit10},
    {"1/3", &GoldenFields::Edit8},     {"38.2%", &GoldenFields::Edit6},
    {"50%", &GoldenFields::Edit5},     {"61.8%", &GoldenFields::Edit4},
    {"2/3", &GoldenFields::Edit9},     {"80.9%", &GoldenFields::Edit3},
    {"2倍", &GoldenFields::Edit11},    {"2.618倍", &GoldenFields::Edit12},
    {"3倍", &GoldenFields::Edit13},
};

struct Caption {
    std::string_view text;
    std::string TradeFields::*field;
    FieldColor TradeFields::*color = nullptr;
};

constexpr Caption kBuyCaptions[] = {
    {"买入价格(元)", &TradeFields::jg},     {"买入数量(股)", &TradeFields::sl},
    {"交易金额(元)", &TradeFields::Edit4},  {"佣    金(元)", &TradeFields::Edit5},
    {"印 花 税(元)", &TradeFields::Edit6},  {"过 户 费(元)", &TradeFields::Edit7},
    {"费用合计(元)", &TradeFields::Edit8},  {"实付金额(元)", &TradeFields::Edit9},
    {"买入成本(元)", &TradeFields::Edit10}, {"保本价格(元)", &TradeFields::Edit11},
};

constexpr Caption kSellCaptions[] = {
    {"卖出价格(元)", &TradeFields::Edit2},  {"卖出数量(股)", &TradeFields::Edit3},
    {"交易金额(元)", &TradeFields::Edit12}, {"佣    金(元)", &TradeFields::Edit13},
    {"印 花 税(元)", &TradeFields::Edit14}, {"过 户 费(元)", &TradeFields::Edit15},
    {"费用合计(元)", &TradeFields::Edit16}, {"实收金额(元)", &TradeFields::Edit17},
    {"收 益 率(%)", &TradeFields::Edit18, &TradeFields::Edit18Color},
    {"盈亏金额(元)", &TradeFields::Edit19, &TradeFields::Edit19Color},
};

// A group's title and captions; after a batch reduction its first two
// captions become the average price and the total quantity.
struct Group {
    std::string_view title;
    std::span<const Caption> captions;
    bool relabelled;
    std::string_view averageCaption, totalCaption;
    // The levies row after the transfer fee, when levies are charged on top.
    std::string TradeFields::*levies = nullptr;
};

// Where a group's levies row stands: after its sixth row, the transfer fee.
constexpr std::size_t kLeviesRow = 6;

template <typename Fields, std::size_t N>
nlohmann::ordered_json jsonFields(const Fields &fields, const NamedField<Fields> (&names)[N])
{
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (const auto &[name, field] : names)
        object[std::string(name)] = fields.*field;
    return object;
}

nlohmann::ordered_json jsonText(const std::optional<std::string> &text)
{
    return text ? nlohmann::ordered_json(*text) : nlohmann::ordered_json(nullptr);
}

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

std::string perMille(const std::string &rate) { return rate.empty() ? rate : rate + " ‰"; }

std::string_view yesNo(bool yes) { return yes ? "是" : "否"; }

bool leviesCharged(const TradeFields &f) { return f.rules == RuleSet::Dated && f.leviesOnTop; }

// The classic settings as the window shows them; under the dated rules the
// stamp duty and its sides come from the fee table.
void addSettings(TextTable &table, const TradeFields &f, const std::optional<AppliedRules> &applied)
{
    if (applied) {
        table.addRow("费率规则", std::string(kDatedRulesName));
        table.addRow("成交日期", applied->date);
    }
    table.addRow("证 交 所", f.zjs);
    table.addRow("佣    金", perMille(f.ComboBox1));
    if (!applied) {
        table.addRow("印 花 税", perMille(f.ComboBox2));
        table.addRow("印花税双边征收", std::string(yesNo(f.CheckBox1)));
        if (f.noMinimum)
            table.addRow("免    五", std::string(yesNo(true)));
        return;
    }
    if (applied->rules) {
        const FeeRuleRow &stampDuty = *applied->rules->stampDuty;
        table.addRow("印 花 税", perMille(std::string(stampDuty.ratePerMille)));
        table.addRow("印花税双边征收", std::string(yesNo(stampDuty.sides == FeeSides::Both)));
    }
    table.addRow("免    五", std::string(yesNo(f.noMinimum)));
    table.addRow("规费另计", std::string(yesNo(f.leviesOnTop)));
}

// What the dated rules charged, and what is uncertain about it.
void addRulesInForce(TextTable &table, const std::optional<AppliedRules> &applied)
{
    if (!applied || !applied->rules)
        return;
    table.addBlankLine();
    table.addHeading("规则：" + DescribeRules(*applied->rules, applied->leviesOnTop) + "；各项费用分别四舍五入到分");
    for (std::string_view note : RuleNotes(*applied->rules, applied->leviesOnTop))
        table.addHeading("注：" + std::string(note));
}

nlohmann::ordered_json rowJson(const FeeRuleRow &row)
{
    return {{"item", FeeItemKey(row.item)},
            {"from", row.effectiveFrom},
            {"markets", MarketsText(row.markets)},
            {"basis", FeeBasisKey(row.basis)},
            {"ratePerMille", row.ratePerMille},
            {"sides", FeeSidesKey(row.sides)},
            {"minimum", row.minimumYuan.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(row.minimumYuan)},
            {"mark", ConfidenceMark(row.confidence)},
            {"shownSeparately", row.shownSeparately},
            {"source", row.source}};
}

// The rule set, its date and market, the four rows applied and their notes.
nlohmann::ordered_json rulesJson(const std::optional<AppliedRules> &applied)
{
    if (!applied)
        return {{"set", "classic"}};
    nlohmann::ordered_json rows = nlohmann::ordered_json::array(), notes = nlohmann::ordered_json::array();
    if (applied->rules) {
        for (const FeeItem item : {FeeItem::StampDuty, FeeItem::TransferFee, FeeItem::HandlingFee, FeeItem::ManagementFee})
            rows.push_back(rowJson(applied->rules->row(item)));
        for (std::string_view note : RuleNotes(*applied->rules, applied->leviesOnTop))
            notes.push_back(note);
    }
    return {{"set", "dated"}, {"date", applied->date}, {"market", applied->market},
            {"leviesOnTop", applied->leviesOnTop}, {"rows", rows}, {"notes", notes}};
}

void addGroup(TextTable &table, const TradeFields &f, const Group &group)
{
    table.addBlankLine();
    table.addHeading(std::string(group.title));
    for (std::size_t row = 0; row < group.captions.size(); ++row) {
        const Caption &caption = group.captions[row];
        std::string_view text = caption.text;
        if (group.relabelled && row < 2)
            text = row == 0 ? group.averageCaption : group.totalCaption;
        const FieldColor color = caption.color ? f.*caption.color : FieldColor::Window;
        table.addRow("  " + std::string(text), f.*caption.field + std::string(colorMark(color)), color);
        if (group.levies && row + 1 == kLeviesRow)
            table.addRow("  规    费(元)", f.*group.levies);
    }
}

std::string_view modeName(GoldenMode mode)
{
    switch (mode) {
    case GoldenMode::Rise: return "低点上涨";
    case GoldenMode::Fall: return "高点下跌";
    case GoldenMode::Rebound: return "区间反弹";
    case GoldenMode::PullBack: break;
    }
    return "区间回调";
}

} // namespace

std::string TradeJson(const TradeResult &result)
{
    const TradeFields &f = result.fields;
    nlohmann::ordered_json fields = jsonFields(f, kTradeFieldNames);
    if (leviesCharged(f)) {
        fields["buyLevies"] = f.buyLevies;
        fields["sellLevies"] = f.sellLevies;
    }
    nlohmann::ordered_json object = {
        {"fields", fields}, {"colors", {{"Edit18", colorName(f.Edit18Color)}, {"Edit19", colorName(f.Edit19Color)}}}};
    // The classic rules' output stays as it always was.
    if (const std::optional<AppliedRules> applied = RulesApplied(f))
        object["rules"] = rulesJson(applied);
    object["message"] = jsonText(result.message);
    object["error"] = jsonText(result.error);
    return JsonLine(object) + '\n';
}

std::string TargetJson(const TargetResult &result)
{
    const auto text = [](const std::string *value) {
        return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
    };
    const bool found = result.solution && !result.solution->message;
    const SaleTexts *at = found ? &result.solution->atTarget : nullptr;
    const SaleTexts *below = found && result.solution->tickBelow ? &*result.solution->tickBelow : nullptr;
    return JsonLine({{"price", text(at ? &at->price : nullptr)},
                     {"netReceipts", text(at ? &at->netReceipts : nullptr)},
                     {"profit", text(at ? &at->profit : nullptr)},
                     {"returnPercent", text(at ? &at->returnPercent : nullptr)},
                     {"tickBelow", below ? nlohmann::ordered_json{{"price", below->price}, {"profit", below->profit}}
                                         : nlohmann::ordered_json(nullptr)},
                     {"rules", rulesJson(RulesApplied(result.fields))},
                     {"message", jsonText(result.message)},
                     {"error", jsonText(result.error)}})
           + '\n';
}

std::string GoldenJson(const GoldenResult &result)
{
    return JsonLine({{"fields", jsonFields(result.fields, kGoldenFieldNames)},
                     {"message", jsonText(result.message)},
                     {"error", jsonText(result.error)}})
           + '\n';
}

std::string TradeTable(const TradeResult &result, bool ansiColours)
{
    const TradeFields &f = result.fields;
    const std::optional<AppliedRules> applied = RulesApplied(f);
    const bool levies = leviesCharged(f);
    TextTable table;
    addSettings(table, f, applied);
    addGroup(table, f,
             {"买入计算", kBuyCaptions, result.buyRelabelled, "买入均价(元)", "持股总数(股)",
              levies ? &TradeFields::buyLevies : nullptr});
    addGroup(table, f,
             {"卖出计算", kSellCaptions, result.sellRelabelled, "卖出均价(元)", "卖出总数(股)",
              levies ? &TradeFields::sellLevies : nullptr});
    addRulesInForce(table, applied);
    return table.render(ansiColours);
}

std::string TargetTable(const TargetResult &result)
{
    const TradeFields &f = result.fields;
    const std::optional<AppliedRules> applied = RulesApplied(f);
    TextTable table;
    addSettings(table, f, applied);
    table.addBlankLine();
    table.addHeading("目标卖价");
    table.addRow("  实付金额(元)", f.Edit9);
    table.addRow("  卖出数量(股)", f.Edit3.empty() ? f.sl : f.Edit3);
    if (result.solution && !result.solution->message) {
        const SaleTexts &at = result.solution->atTarget;
        table.addRow("  目标卖价(元)", at.price);
        table.addRow("  实收金额(元)", at.netReceipts);
        table.addRow("  盈亏金额(元)", at.profit);
        table.addRow("  收 益 率(%)", at.returnPercent);
        if (const std::optional<SaleTexts> &below = result.solution->tickBelow) {
            table.addRow("  低一档卖价(元)", below->price);
            table.addRow("  低一档盈亏(元)", below->profit);
        }
    }
    addRulesInForce(table, applied);
    return table.render(false);
}

std::string GoldenTable(const GoldenResult &result)
{
    TextTable table;
    table.addRow("低点", result.fields.Edit1);
    table.addRow("高点", result.fields.Edit2);
    table.addBlankLine();
    table.addHeading(std::string(modeName(result.mode)));
    for (const auto &[label, field] : kGoldenLevels)
        table.addRow("  " + std::string(label), result.fields.*field);
    return table.render(false);
}

} // namespace tallyfin
