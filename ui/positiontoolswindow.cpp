#include "positiontoolswindow.h"

#include <QDate>
#include <QEvent>
#include <QKeyEvent>

#include "appearance.h"
#include "handler.h"
#include "icon.h"
#include "platform.h"
#include "translatedtext.h"

namespace tallyfin {

namespace {

constexpr int kWindowWidth = 640;
constexpr int kTermsLines = 2;

// The texts this window writes itself (the form holds the others), in one
// place for translation; Simplified Chinese is the source language.
struct OrderTexts {
    QString firstLeg, secondLeg, firstCash, secondCash, breakEven, target;
};

OrderTexts orderTexts(TOrder order)
{
    if (order == TOrder::SellFirst)
        return {PositionToolsWindow::tr("第一笔：卖出"), PositionToolsWindow::tr("第二笔：买入"),
                PositionToolsWindow::tr("实收金额"),    PositionToolsWindow::tr("实付金额"),
                PositionToolsWindow::tr("保本买回价"),  PositionToolsWindow::tr("目标买回价")};
    return {PositionToolsWindow::tr("第一笔：买入"), PositionToolsWindow::tr("第二笔：卖出"),
            PositionToolsWindow::tr("实付金额"),    PositionToolsWindow::tr("实收金额"),
            PositionToolsWindow::tr("保本卖出价"),  PositionToolsWindow::tr("目标卖出价")};
}

// The settings of a first start, under the dated rules of today.
TradeFields firstStartSettings()
{
    TradeFields settings;
    settings.rules = RuleSet::Dated;
    const QDate today = QDate::currentDate();
    settings.tradeDate = FormatTradeDate({today.year(), today.month(), today.day()});
    return settings;
}

} // namespace

PositionToolsWindow::PositionToolsWindow(QWidget *parent) : QWidget(parent), m_feeSettings(firstStartSettings)
{
    setUpForm<Ui::PositionToolsWindow>(*this, this);
    setWindowIcon(programIcon());
    showOrder();
    connectHandler(tCalculate, &QPushButton::clicked, this, &PositionToolsWindow::calculateTTrade);
    connectHandler(upCalculate, &QPushButton::clicked, this, &PositionToolsWindow::calculateTopUp);
    connectHandler(backCalculate, &QPushButton::clicked, this, &PositionToolsWindow::calculateRecover);
    connect(sellFirst, &QRadioButton::toggled, this, &PositionToolsWindow::showOrder);
    connect(code, &QLineEdit::editingFinished, this, &PositionToolsWindow::refreshTerms);
    connect(boardLot, &QLineEdit::editingFinished, this, &PositionToolsWindow::refreshTerms);
    // Room for the longest line of terms (a STAR code's lot) or a message about the code.
    const QString lines = QStringLiteral("\n").repeated(kTermsLines - 1);
    termsLine->setFixedHeight(termsLine->fontMetrics().boundingRect(QRect(0, 0, kWindowWidth, 0), Qt::TextWordWrap, lines).height());
    setMinimumWidth(kWindowWidth);
    makeFixedSizeWindow(this);
    centreOnScreen(this);
}

void PositionToolsWindow::takeFeeSettingsFrom(FeeSettingsSource source) { m_feeSettings = std::move(source); }

std::array<PositionToolsWindow::Binding<TTradeFields>, 10> PositionToolsWindow::tTradeBindings() const
{
    return {{{tQuantity, &TTradeFields::quantity},         {tFirstPrice, &TTradeFields::firstPrice},
             {tSecondPrice, &TTradeFields::secondPrice},   {tHolding, &TTradeFields::holding},
             {tCost, &TTradeFields::cost},                 {tTargetGain, &TTradeFields::targetGain},
             {tGain, &TTradeFields::gain},                 {tDilutedCost, &TTradeFields::dilutedCost},
             {tBreakEvenPrice, &TTradeFields::breakEvenPrice}, {tTargetPrice, &TTradeFields::targetPrice}}};
}

std::array<PositionToolsWindow::Binding<TopUpFields>, 10> PositionToolsWindow::topUpBindings() const
{
    return {{{upHolding, &TopUpFields::holding},   {upCost, &TopUpFields::cost},
             {upCashPaid, &TopUpFields::cashPaid}, {upPrice, &TopUpFields::price},
             {upTargetCost, &TopUpFields::targetCost}, {upQuantity, &TopUpFields::quantity},
             {upAmount, &TopUpFields::amount},     {upFees, &TopUpFields::fees},
             {upCash, &TopUpFields::cash},         {upNewCost, &TopUpFields::newCost}}};
}

std::array<PositionToolsWindow::Binding<RecoverFields>, 9> PositionToolsWindow::recoverBindings() const
{
    return {{{backHolding, &RecoverFields::holding},         {backCashIn, &RecoverFields::cashIn},
             {backPrice, &RecoverFields::price},             {backQuantity, &RecoverFields::quantity},
             {backAmount, &RecoverFields::amount},           {backFees, &RecoverFields::fees},
             {backNetReceipts, &RecoverFields::netReceipts}, {backRemaining, &RecoverFields::remaining},
             {backShortfall, &RecoverFields::shortfall}}};
}

std::array<PositionToolsWindow::Binding<LegTexts>, 7> PositionToolsWindow::legBindings(bool first) const
{
    if (first)
        return {{{firstAmount, &LegTexts::amount},           {firstCommission, &LegTexts::commission},
                 {firstStampDuty, &LegTexts::stampDuty},     {firstTransferFee, &LegTexts::transferFee},
                 {firstLevies, &LegTexts::levies},           {firstFees, &LegTexts::fees},
                 {firstCash, &LegTexts::cash}}};
    return {{{secondAmount, &LegTexts::amount},       {secondCommission, &LegTexts::commission},
             {secondStampDuty, &LegTexts::stampDuty}, {secondTransferFee, &LegTexts::transferFee},
             {secondLevies, &LegTexts::levies},       {secondFees, &LegTexts::fees},
             {secondCash, &LegTexts::cash}}};
}

template <typename Fields, std::size_t N>
Fields PositionToolsWindow::read(const std::array<Binding<Fields>, N> &bindings)
{
    Fields fields;
    for (const auto &[widget, text] : bindings)
        fields.*text = widget->text().toStdString();
    return fields;
}

template <typename Fields, std::size_t N>
void PositionToolsWindow::write(const std::array<Binding<Fields>, N> &bindings, const Fields &fields)
{
    for (const auto &[widget, text] : bindings)
        showText(widget, fields.*text);
}

void PositionToolsWindow::writeTTrade(const TTradeFields &fields)
{
    write(tTradeBindings(), fields);
    write(legBindings(true), fields.first.value_or(LegTexts{}));
    write(legBindings(false), fields.second.value_or(LegTexts{}));
}

PositionTerms PositionToolsWindow::readTerms() const
{
    return ReadPositionTerms(m_feeSettings(), code->text().toStdString(), boardLot->text().toStdString(),
                             localeSeparator());
}

template <typename Fields, typename Calculate, typename Write>
void PositionToolsWindow::calculate(Fields fields, Calculate calculateWith, Write writeBack)
{
    std::optional<Text> notice;
    ClearResults(fields);
    try {
        const PositionTerms terms = readTerms();
        showTerms(terms);
        notice = calculateWith(terms, fields, localeSeparator());
    } catch (const EInputRejected &rejected) {
        // Said in the user's words, as the main window says what the dated rules refuse.
        writeBack(fields);
        platform().showValidationBox(this, translated(rejected.text()));
        return;
    } catch (const Error &) {
        writeBack(fields);
        throw;
    }
    writeBack(fields);
    if (notice)
        platform().showValidationBox(this, translated(*notice));
}

void PositionToolsWindow::calculateTTrade()
{
    TTradeFields fields = read(tTradeBindings());
    fields.order = buyFirst->isChecked() ? TOrder::BuyFirst : TOrder::SellFirst;
    calculate(fields, CalculateTTrade, [this](const TTradeFields &f) { writeTTrade(f); });
}

void PositionToolsWindow::calculateTopUp()
{
    calculate(read(topUpBindings()), CalculateTopUp, [this](const TopUpFields &f) { write(topUpBindings(), f); });
}

void PositionToolsWindow::calculateRecover()
{
    calculate(read(recoverBindings()), CalculateRecover,
              [this](const RecoverFields &f) { write(recoverBindings(), f); });
}

void PositionToolsWindow::showTerms(const PositionTerms &terms)
{
    termsLine->setText(translated(DescribeTerms(terms, localeSeparator())));
    m_pricesInHkd = terms.fees.rules().hongKong();
    showPriceUnits();
}

// 港股通 prices are in HKD; money stays in yuan.
void PositionToolsWindow::showPriceUnits()
{
    for (QLabel *unit : {tFirstPriceUnit, tSecondPriceUnit, tBreakEvenPriceUnit, tTargetPriceUnit, upPriceUnit,
                         backPriceUnit})
        unit->setText(m_pricesInHkd ? tr("港元") : tr("元"));
}

void PositionToolsWindow::refreshTerms()
{
    try {
        showTerms(readTerms());
    } catch (const Error &error) {
        termsLine->setText(translated(error.text()));
    }
}

void PositionToolsWindow::showOrder()
{
    const OrderTexts texts = orderTexts(buyFirst->isChecked() ? TOrder::BuyFirst : TOrder::SellFirst);
    firstLeg->setTitle(texts.firstLeg);
    secondLeg->setTitle(texts.secondLeg);
    firstCashLabel->setText(texts.firstCash);
    secondCashLabel->setText(texts.secondCash);
    tBreakEvenPriceLabel->setText(texts.breakEven);
    tTargetPriceLabel->setText(texts.target);
}

QPushButton *PositionToolsWindow::calculateButtonShown() const
{
    QWidget *shown = tabs->currentWidget();
    return shown == topUpTab ? upCalculate : shown == recoverTab ? backCalculate : tCalculate;
}

void PositionToolsWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter anywhere calculates on the tab shown.
    if (pressButtonOnEnter(event, focusWidget(), calculateButtonShown()))
        return;
    QWidget::keyPressEvent(event);
}

void PositionToolsWindow::showEvent(QShowEvent *event)
{
    // The main window's settings may have changed while this one was hidden.
    refreshTerms();
    QWidget::showEvent(event);
}

void PositionToolsWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        showOrder();
        showPriceUnits();
    }
    QWidget::changeEvent(event);
}

} // namespace tallyfin
