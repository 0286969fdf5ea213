#include "mainwindow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTimer>

#include <span>

#include "batchdialog.h"
#include "appearance.h"
#include "batch.h"
#include "feerules.h"
#include "handler.h"
#include "links.h"
#include "platform.h"
#include "settingsstore.h"
#include "translatedtext.h"
#include "goldensection.h"
#include "Unit3.h"
#include "Unit4.h"
#include "about.h"
#include "colorpicker.h"
#include "captureoverlay.h"

namespace tallyfin {

TForm1 *Form1 = nullptr;

namespace {

// The client area keeps its width; it is as tall as its rows need.
constexpr int kClientWidth = 809;
// The line about the fee rules in use holds this many lines of text.
constexpr int kRuleNoteLines = 3;

std::string decimalSeparator() { return platform().decimalSeparator().toStdString(); }

void openLink(Link link) { platform().openWebPage(linkAddress(link)); }

QDate toQDate(TradeDate date) { return QDate(date.year, date.month, date.day); }

TradeDate toTradeDate(QDate date) { return {date.year(), date.month(), date.day()}; }

// Refills a list of numbers, keeping the entry shown when the new list has it.
void setChoices(QComboBox *box, std::span<const std::string_view> choices)
{
    const QString shown = box->currentText();
    const QSignalBlocker quiet(box);
    box->clear();
    for (std::string_view choice : choices)
        box->addItem(uiText(choice));
    box->setCurrentIndex(std::max(0, box->findText(shown)));
}

// Refills the market list of a rule set, each entry carrying its market,
// keeping the market shown when the new list has it.
void setMarkets(QComboBox *box, RuleSet rules)
{
    const QVariant shown = box->currentData();
    const QSignalBlocker quiet(box);
    box->clear();
    for (std::string_view name : MarketNames(rules))
        box->addItem(translated("Markets", name), static_cast<int>(*MarketNamed(name, rules)));
    box->setCurrentIndex(std::max(0, box->findData(shown)));
}

// Names every entry of a list in the language shown, from what it stands for.
template <typename Enum>
void renameChoices(QComboBox *box, QString (*name)(Enum))
{
    for (int i = 0; i < box->count(); ++i)
        box->setItemText(i, name(static_cast<Enum>(box->itemData(i).toInt())));
}

QString marketName(Market market) { return translated("Markets", MarketName(market)); }

QString ruleSetName(RuleSet rules) { return translated("Markets", RuleSetName(rules)); }

QString targetKindName(TargetKind kind)
{
    return kind == TargetKind::Profit ? TForm1::tr("目标盈利 (元)") : TForm1::tr("目标收益率 (%)");
}

// Shows an entry of a list by its text; the first one when the list lacks it.
void chooseText(QComboBox *box, const QString &text) { box->setCurrentIndex(std::max(0, box->findText(text))); }

template <typename Enum>
Enum chosen(const QComboBox *box)
{
    return static_cast<Enum>(box->currentData().toInt());
}

} // namespace

QString TForm1::classicRulesNote() const
{
    return tr("经典规则：佣金按所选费率，最低 %1 元（免五则不设最低）；印花税按所选费率；沪市过户费每满 1000 股 1 元，"
              "不足 1000 股按 1 元，其他市场没有过户费。")
        .arg(kMinimumCommissionYuan);
}

QString TForm1::datedRulesNote(const RulesInForce &rules, bool levies) const
{
    QString note = tr("按成交日期 %1 的规则：%2。各项费用分别四舍五入到分（部分券商截尾）。")
                       .arg(uiText(FormatTradeDate(rules.date)), translated(RulesDescription(rules, levies)));
    for (std::string_view uncertain : RuleNotes(rules, levies))
        note += tr("注：%1。").arg(translated("FeeTable", uncertain));
    return note;
}

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    setUpForm<Ui::TForm1>(*this, this);
    fillChoices();
    tradeDate->setMinimumDate(toQDate(FeeTableStart()));
    tradeDate->setDate(QDate::currentDate());
    ruleNotes->setFixedHeight(kRuleNoteLines * ruleNotes->fontMetrics().lineSpacing());
    connectHandlers();
    showRuleSet();
    applySettings(RememberedSettings());
    showChosenLanguage();
    makeFixedSizeWindow(this);
    fitToTexts();
    centreOnScreen(this);
}

void TForm1::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        showTexts();
    }
    QMainWindow::changeEvent(event);
}

// Every text set in code, again in the language now shown.
void TForm1::showTexts()
{
    renameChoices(ruleSet, &ruleSetName);
    renameChoices(zjs, &marketName);
    renameChoices(targetKind, &targetKindName);
    targetUnit->setText(chosen<TargetKind>(targetKind) == TargetKind::Profit ? tr("元") : QStringLiteral("%"));
    showCaptions();
    showRulesNote();
    for (const auto &[widget, text] : tradeFieldBindings())
        retranslateField(widget);
    fitToTexts();
}

// The client area below the menu bar keeps its width unless its texts need
// more, and is as tall as its rows need.
void TForm1::fitToTexts()
{
    forgetSizes(this);
    clientArea->setMinimumSize(0, 0);
    clientArea->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize needed = clientArea->sizeHint();
    clientArea->setFixedSize(std::max(kClientWidth, needed.width()), needed.height());
    fitFixedSize(this);
}

// The lists whose entries stand for a rule set, a target or a fee choice,
// each entry carrying what it stands for.
void TForm1::fillChoices()
{
    for (const RuleSet rules : {RuleSet::Classic, RuleSet::Dated})
        ruleSet->addItem(ruleSetName(rules), static_cast<int>(rules));
    for (const TargetKind kind : {TargetKind::Return, TargetKind::Profit})
        targetKind->addItem(targetKindName(kind), static_cast<int>(kind));
    setChoices(ComboBox2, kStampDutyChoices);
    m_classicStampDuty = uiText(kDefaultStampDuty);
}

void TForm1::connectHandlers()
{
    connectHandler(Button1, &QPushButton::clicked, this, &TForm1::calculateClicked);
    connectHandler(Button2, &QPushButton::clicked, this, &TForm1::clearClicked);
    connect(Button3, &QPushButton::clicked, this, &QWidget::close);
    connectHandler(Button4, &QPushButton::clicked, this, &TForm1::openBuyBatches);
    connectHandler(Button5, &QPushButton::clicked, this, &TForm1::openSellBatches);
    connectHandler(Button6, &QPushButton::clicked, this, &TForm1::showAbout);
    connectHandler(Button7, &QPushButton::clicked, this, &TForm1::openGoldenSection);
    connectHandler(Button8, &QPushButton::clicked, this, &TForm1::openColourPicker);
    connectHandler(btn1, &QPushButton::clicked, this, &TForm1::startScreenCapture);
    connectHandler(positionTools, &QPushButton::clicked, this, &TForm1::openPositionTools);
    connect(statementAuditButton, &QPushButton::clicked, this, &TForm1::statementAuditRequested);
    connectHandler(CheckBox2, &QCheckBox::toggled, this, &TForm1::alwaysOnTopToggled);
    connectMenu();
    connectFeeSettings();
    connectLanguageMenu();
}

void TForm1::connectLanguageMenu()
{
    auto *group = new QActionGroup(this);
    for (const auto &[action, language] : {std::pair{languageSimplified, Language::SimplifiedChinese},
                                           std::pair{languageTraditional, Language::TraditionalChinese},
                                           std::pair{languageEnglish, Language::English},
                                           std::pair{languageSystem, Language::System}}) {
        group->addAction(action);
        action->setData(static_cast<int>(language));
        connect(action, &QAction::triggered, this, [this, language] { chooseLanguage(language); });
    }
}

void TForm1::showChosenLanguage()
{
    for (QAction *action : languageMenu->actions())
        if (action->isCheckable())
            action->setChecked(static_cast<Language>(action->data().toInt()) == chosenLanguage());
}

void TForm1::chooseLanguage(Language language)
{
    useLanguage(language);
    // The windows change as the translators' LanguageChange reaches them.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    showChosenLanguage();
    feeSettingsChanged();
}

void TForm1::connectFeeSettings()
{
    connect(ruleSet, &QComboBox::currentIndexChanged, this, [this] {
        showRuleSet();
        feeSettingsChanged();
    });
    connect(tradeDate, &QDateEdit::dateChanged, this, &TForm1::showRulesInForce);
    for (QComboBox *box : {zjs, ComboBox2})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            showRulesInForce();
            feeSettingsChanged();
        });
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &TForm1::feeSettingsChanged);
    for (QCheckBox *box : {CheckBox1, noMinimum, leviesOnTop})
        connect(box, &QCheckBox::toggled, this, [this] {
            showRulesInForce();
            feeSettingsChanged();
        });
    connectHandler(resetSettings, &QAction::triggered, this, &TForm1::resetSettingsClicked);
    connect(targetKind, &QComboBox::currentIndexChanged, this, [this] {
        targetUnit->setText(chosen<TargetKind>(targetKind) == TargetKind::Profit ? tr("元") : QStringLiteral("%"));
    });
}

RuleSet TForm1::ruleSetChosen() const { return chosen<RuleSet>(ruleSet); }

Market TForm1::marketChosen() const { return chosen<Market>(zjs); }

void TForm1::showRuleSet()
{
    const bool dated = ruleSetChosen() == RuleSet::Dated;
    // The boxes the dated rules fill from the fee table are enabled only
    // under the classic rules; leaving those, keep their choices.
    if (dated && ComboBox2->isEnabled()) {
        m_classicStampDuty = ComboBox2->currentText();
        m_classicBothSides = CheckBox1->isChecked();
    }
    if (!dated && !ComboBox2->isEnabled()) {
        setChoices(ComboBox2, kStampDutyChoices);
        const QSignalBlocker quietStamp(ComboBox2), quietSides(CheckBox1);
        chooseText(ComboBox2, m_classicStampDuty);
        CheckBox1->setChecked(m_classicBothSides);
    }
    setMarkets(zjs, ruleSetChosen());
    ComboBox2->setEnabled(!dated);
    CheckBox1->setEnabled(!dated);
    for (QWidget *datedOnly : std::initializer_list<QWidget *>{tradeDateLabel, tradeDate, leviesOnTop})
        datedOnly->setEnabled(dated);
    showRulesInForce();
}

void TForm1::showRulesInForce()
{
    const bool dated = ruleSetChosen() == RuleSet::Dated;
    const bool levies = dated && leviesOnTop->isChecked();
    for (QWidget *row : std::initializer_list<QWidget *>{buyLeviesLabel, buyLevies, buyLeviesUnit, sellLeviesLabel,
                                                         sellLevies, sellLeviesUnit})
        row->setEnabled(levies);
    if (!levies) {
        buyLevies->clear();
        sellLevies->clear();
    }
    if (dated) {
        const QSignalBlocker quietStamp(ComboBox2), quietSides(CheckBox1);
        ComboBox2->clear();
        try {
            const RulesInForce rules = RulesFor(toTradeDate(tradeDate->date()), marketChosen());
            ComboBox2->addItem(uiText(rules.stampDuty->ratePerMille));
            CheckBox1->setChecked(rules.stampDuty->sides == FeeSides::Both);
        } catch (const EFeeRulesError &) {
            // The line about the rules says why there are none.
        }
    }
    showRulesNote();
}

void TForm1::showRulesNote()
{
    if (ruleSetChosen() == RuleSet::Classic) {
        ruleNotes->setText(classicRulesNote());
        return;
    }
    try {
        const RulesInForce rules = RulesFor(toTradeDate(tradeDate->date()), marketChosen());
        ruleNotes->setText(datedRulesNote(rules, leviesOnTop->isChecked()));
    } catch (const EFeeRulesError &error) {
        ruleNotes->setText(translated(error.text()));
    }
}

RememberedSettings TForm1::currentSettings() const
{
    RememberedSettings settings;
    settings.rules = ruleSetChosen();
    settings.market = uiText(MarketName(marketChosen()));
    settings.commission = ComboBox1->currentText();
    const bool classic = settings.rules == RuleSet::Classic;
    settings.stampDuty = classic ? ComboBox2->currentText() : m_classicStampDuty;
    settings.bothSides = classic ? CheckBox1->isChecked() : m_classicBothSides;
    settings.noMinimum = noMinimum->isChecked();
    settings.leviesOnTop = leviesOnTop->isChecked();
    settings.language = chosenLanguage();
    return settings;
}

void TForm1::applySettings(const RememberedSettings &settings)
{
    m_applyingSettings = true;
    // The classic boxes first, while they are shown; then the rule set and
    // the market from its list.
    ruleSet->setCurrentIndex(ruleSet->findData(static_cast<int>(RuleSet::Classic)));
    chooseText(ComboBox2, settings.stampDuty);
    CheckBox1->setChecked(settings.bothSides);
    ruleSet->setCurrentIndex(ruleSet->findData(static_cast<int>(settings.rules)));
    const std::optional<Market> market = MarketNamed(settings.market.toStdString(), settings.rules);
    zjs->setCurrentIndex(std::max(0, zjs->findData(static_cast<int>(market.value_or(kDefaultMarket)))));
    const int listed = ComboBox1->findText(settings.commission);
    if (listed >= 0)
        ComboBox1->setCurrentIndex(listed);
    ComboBox1->setEditText(settings.commission);
    noMinimum->setChecked(settings.noMinimum);
    leviesOnTop->setChecked(settings.leviesOnTop);
    m_applyingSettings = false;
}

void TForm1::feeSettingsChanged()
{
    if (!m_store || m_applyingSettings)
        return;
    m_store->save(currentSettings());
    showSettingsNotice();
}

void TForm1::showSettingsNotice()
{
    if (!m_store)
        return;
    if (const std::optional<QString> notice = m_store->takeNotice())
        platform().showValidationBox(this, *notice);
}

void TForm1::rememberSettings(SettingsStore &store)
{
    const RememberedSettings loaded = store.load();
    useLanguage(loaded.language);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    showChosenLanguage();
    applySettings(loaded);
    m_store = &store;
    // After the window is on screen, so that the notice has an owner to show over.
    QTimer::singleShot(0, this, &TForm1::showSettingsNotice);
}

void TForm1::resetSettingsClicked()
{
    if (m_store)
        m_store->reset();
    applySettings(RememberedSettings());
    feeSettingsChanged();
}

void TForm1::connectMenu()
{
    // The menu repeats the window's buttons through the very same handlers.
    connect(X1, &QAction::triggered, this, &QWidget::close);
    connectHandler(N1, &QAction::triggered, this, &TForm1::openGoldenSection);
    connectHandler(N2, &QAction::triggered, this, &TForm1::openColourPicker);
    connectHandler(N10, &QAction::triggered, this, &TForm1::startScreenCapture);
    connectHandler(positionToolsAction, &QAction::triggered, this, &TForm1::openPositionTools);
    connect(statementAuditAction, &QAction::triggered, this, &TForm1::statementAuditRequested);
    connectHandler(A2, &QAction::triggered, this, &TForm1::showAbout);
    connectHandler(N3, &QAction::triggered, this, &TForm1::openBlog);
    connectHandler(N5, &QAction::triggered, this, &TForm1::openShanghaiExchange);
    connectHandler(N6, &QAction::triggered, this, &TForm1::openShenzhenExchange);
    connectHandler(N7, &QAction::triggered, this, &TForm1::openNdrc);
    connectHandler(N8, &QAction::triggered, this, &TForm1::openCsrc);
    connectHandler(N9, &QAction::triggered, this, &TForm1::openStockSites);
}

std::array<TForm1::FieldBinding, 25> TForm1::tradeFieldBindings() const
{
    return {{{jg, &TradeFields::buyPrice},           {sl, &TradeFields::buyQuantity},
             {Edit2, &TradeFields::sellPrice},       {Edit3, &TradeFields::sellQuantity},
             {Edit4, &TradeFields::buyAmount},       {Edit5, &TradeFields::buyCommission},
             {Edit6, &TradeFields::buyStampDuty},    {Edit7, &TradeFields::buyTransferFee},
             {Edit8, &TradeFields::buyFees},         {Edit9, &TradeFields::cashPaid},
             {Edit10, &TradeFields::costPerShare},   {Edit11, &TradeFields::breakEvenPrice},
             {Edit12, &TradeFields::sellAmount},     {Edit13, &TradeFields::sellCommission},
             {Edit14, &TradeFields::sellStampDuty},  {Edit15, &TradeFields::sellTransferFee},
             {Edit16, &TradeFields::sellFees},       {Edit17, &TradeFields::netReceipts},
             {Edit18, &TradeFields::returnPercent},  {Edit19, &TradeFields::profit},
             {buyLevies, &TradeFields::buyLevies},   {sellLevies, &TradeFields::sellLevies},
             {targetValue, &TradeFields::targetValue}, {targetPrice, &TradeFields::targetPrice},
             {targetYield, &TradeFields::targetYield}}};
}

TradeFields TForm1::feeSettings() const
{
    TradeFields fields;
    fields.rules = ruleSetChosen();
    fields.tradeDate = FormatTradeDate(toTradeDate(tradeDate->date()));
    fields.noMinimum = noMinimum->isChecked();
    fields.leviesOnTop = leviesOnTop->isChecked();
    fields.market = MarketName(marketChosen());
    // The rate typed into the commission box counts as much as a chosen one.
    fields.commissionRate = ComboBox1->currentText().toStdString();
    fields.stampDutyRate = ComboBox2->currentText().toStdString();
    fields.stampDutyBothSides = CheckBox1->isChecked();
    return fields;
}

TradeFields TForm1::readTradeFields() const
{
    TradeFields fields = feeSettings();
    fields.targetKind = chosen<TargetKind>(targetKind);
    for (const auto &[widget, text] : tradeFieldBindings())
        fields.*text = fieldText(widget);
    fields.returnColor = m_returnColor;
    fields.profitColor = m_profitColor;
    return fields;
}

void TForm1::writeTradeFields(const TradeFields &fields)
{
    for (const auto &[widget, text] : tradeFieldBindings())
        showText(widget, fields.*text);
    if (fields.returnColor != m_returnColor)
        setFieldColor(Edit18, m_returnColor = fields.returnColor);
    if (fields.profitColor != m_profitColor)
        setFieldColor(Edit19, m_profitColor = fields.profitColor);
}

void TForm1::calculateClicked()
{
    TradeFields fields = readTradeFields();
    TradeOutcome outcome;
    try {
        outcome = CalculateTrade(fields, decimalSeparator());
    } catch (const EInputRejected &rejected) {
        // The dated rules explain in the user's words what they cannot take.
        writeTradeFields(fields);
        platform().showValidationBox(this, translated(rejected.text()));
        return;
    } catch (const Error &) {
        // The fields written before the failing step stay written.
        writeTradeFields(fields);
        throw;
    }
    writeTradeFields(fields);
    if (outcome == TradeOutcome::SellQuantityMissing)
        platform().showValidationBox(this, translated("Trade", kSellQuantityMissing));
}

void TForm1::clearClicked()
{
    TradeFields fields = readTradeFields();
    ClearTrade(fields);
    writeTradeFields(fields);
    m_buyAveraged = m_sellAveraged = false;
    showCaptions();
}

void TForm1::showCaptions()
{
    Label24->setText(m_buyAveraged ? tr("买入均价") : tr("买入价格"));
    Label25->setText(m_buyAveraged ? tr("持股总数") : tr("买入数量"));
    Label44->setText(m_sellAveraged ? tr("卖出均价") : tr("卖出价格"));
    Label45->setText(m_sellAveraged ? tr("卖出总数") : tr("卖出数量"));
}

void TForm1::openBuyBatches() { Form3->showBeside(this); }

void TForm1::openSellBatches() { Form4->showBeside(this); }

void TForm1::showAbout() { showInFront(Form5); }

void TForm1::openGoldenSection()
{
    hide();
    showInFront(Form2);
}

void TForm1::openColourPicker()
{
    hide();
    showInFront(Form6);
}

// The overlay covers the screen above this window, which stays open beneath.
void TForm1::startScreenCapture() { Form8->startCapture(); }

void TForm1::openPositionTools() { Q_EMIT positionToolsRequested(); }

void TForm1::openBlog() { openLink(Link::Blog); }

void TForm1::openShanghaiExchange() { openLink(Link::ShanghaiExchange); }

void TForm1::openShenzhenExchange() { openLink(Link::ShenzhenExchange); }

void TForm1::openNdrc() { openLink(Link::Ndrc); }

void TForm1::openCsrc() { openLink(Link::Csrc); }

void TForm1::openStockSites() { openLink(Link::StockSites); }

void TForm1::alwaysOnTopToggled() { platform().setAlwaysOnTop(this, CheckBox2->isChecked()); }

void TForm1::takeBatchesFrom(BatchDialog &dialog)
{
    connect(&dialog, &BatchDialog::batchesReduced, this,
            [this, &dialog](TradeSide side, const BatchReduction &reduction) {
                runHandler([&] {
                    writeBatchResult(side, reduction);
                    calculateClicked();
                    dialog.hide();
                });
            });
}

void TForm1::writeBatchResult(TradeSide side, const BatchReduction &reduction)
{
    const bool buy = side == TradeSide::Buy;
    showText(buy ? jg : Edit2, reduction.price);
    showText(buy ? sl : Edit3, reduction.quantity);
    if (!reduction.relabel)
        return;
    (buy ? m_buyAveraged : m_sellAveraged) = true;
    showCaptions();
}

void TForm1::keyPressEvent(QKeyEvent *event)
{
    // Enter anywhere in the window presses the default button "计算".
    if (pressButtonOnEnter(event, focusWidget(), Button1))
        return;
    QMainWindow::keyPressEvent(event);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, whatever else is open.
    event->accept();
    QCoreApplication::quit();
}

} // namespace tallyfin
