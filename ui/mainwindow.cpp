#include "mainwindow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTimer>

#include <span>

#include "appearance.h"
#include "batch.h"
#include "batchdialog.h"
#include "feerules.h"
#include "hkfees.h"
#include "handler.h"
#include "links.h"
#include "platform.h"
#include "settingsstore.h"
#include "translatedtext.h"

namespace tallyfin {

namespace {

// The client area keeps its width; it is as tall as its rows need.
constexpr int kClientWidth = 809;
// The line about the fee rules in use holds this many lines of text.
constexpr int kRuleNoteLines = 3;

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
    return kind == TargetKind::Profit ? MainWindow::tr("目标盈利 (元)") : MainWindow::tr("目标收益率 (%)");
}

// Shows an entry of a list by its text; the first one when the list lacks it.
void chooseText(QComboBox *box, const QString &text) { box->setCurrentIndex(std::max(0, box->findText(text))); }

template <typename Enum>
Enum chosen(const QComboBox *box)
{
    return static_cast<Enum>(box->currentData().toInt());
}

} // namespace

QString MainWindow::classicRulesNote() const
{
    return tr("经典规则：佣金按所选费率，最低 %1 元（免五则不设最低）；印花税按所选费率；沪市过户费每满 1000 股 1 元，"
              "不足 1000 股按 1 元，其他市场没有过户费。")
        .arg(kMinimumCommissionYuan);
}

QString MainWindow::datedRulesNote(const RulesInForce &rules, bool levies) const
{
    QString note = rules.hongKong()
                       ? tr("按成交日期 %1 的港股通规则：%2；%3。")
                             .arg(uiText(FormatTradeDate(rules.date)), translated(RulesDescription(rules, levies)),
                                  translated("Trade", kHkConversion))
                       : tr("按成交日期 %1 的规则：%2。各项费用分别四舍五入到分（部分券商截尾）。")
                             .arg(uiText(FormatTradeDate(rules.date)), translated(RulesDescription(rules, levies)));
    for (std::string_view uncertain : RuleNotes(rules, levies))
        note += tr("注：%1。").arg(translated("FeeTable", uncertain));
    return note;
}

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setUpForm<Ui::MainWindow>(*this, this);
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
    setAcceptDrops(true);
    centreOnScreen(this);
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        showTexts();
    }
    QMainWindow::changeEvent(event);
}

// Every text set in code, again in the language now shown.
void MainWindow::showTexts()
{
    renameChoices(ruleSet, &ruleSetName);
    renameChoices(market, &marketName);
    renameChoices(targetKind, &targetKindName);
    targetUnit->setText(chosen<TargetKind>(targetKind) == TargetKind::Profit ? tr("元") : QStringLiteral("%"));
    showCaptions();
    showMarketTerms();
    showRulesNote();
    for (const auto &[widget, text] : tradeFieldBindings())
        retranslateField(widget);
    fitToTexts();
}

// The client area below the menu bar keeps its width unless its texts need
// more, and is as tall as its rows need.
void MainWindow::fitToTexts()
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
void MainWindow::fillChoices()
{
    for (const RuleSet rules : {RuleSet::Classic, RuleSet::Dated})
        ruleSet->addItem(ruleSetName(rules), static_cast<int>(rules));
    for (const TargetKind kind : {TargetKind::Return, TargetKind::Profit})
        targetKind->addItem(targetKindName(kind), static_cast<int>(kind));
    setChoices(stampDutyRate, kStampDutyChoices);
    m_classicStampDuty = uiText(kDefaultStampDuty);
}

void MainWindow::connectHandlers()
{
    connectHandler(calculateButton, &QPushButton::clicked, this, &MainWindow::calculateClicked);
    connectHandler(clearButton, &QPushButton::clicked, this, &MainWindow::clearClicked);
    connect(exitButton, &QPushButton::clicked, this, &QWidget::close);
    connectHandler(buyBatchesButton, &QPushButton::clicked, this, &MainWindow::openBuyBatches);
    connectHandler(sellBatchesButton, &QPushButton::clicked, this, &MainWindow::openSellBatches);
    connectHandler(aboutButton, &QPushButton::clicked, this, &MainWindow::showAbout);
    connectHandler(goldenSectionButton, &QPushButton::clicked, this, &MainWindow::openGoldenSection);
    connectHandler(colorPickerButton, &QPushButton::clicked, this, &MainWindow::openColourPicker);
    connectHandler(captureButton, &QPushButton::clicked, this, &MainWindow::startScreenCapture);
    connectHandler(positionTools, &QPushButton::clicked, this, &MainWindow::openPositionTools);
    connectHandler(statementAuditButton, &QPushButton::clicked, this, &MainWindow::openStatementAudit);
    connectHandler(alwaysOnTop, &QCheckBox::toggled, this, &MainWindow::alwaysOnTopToggled);
    connectMenu();
    connectFeeSettings();
    connectLanguageMenu();
}

void MainWindow::connectLanguageMenu()
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

void MainWindow::showChosenLanguage()
{
    for (QAction *action : languageMenu->actions())
        if (action->isCheckable())
            action->setChecked(static_cast<Language>(action->data().toInt()) == chosenLanguage());
}

void MainWindow::chooseLanguage(Language language)
{
    useLanguage(language);
    // The windows change as the translators' LanguageChange reaches them.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    showChosenLanguage();
    feeSettingsChanged();
}

void MainWindow::connectFeeSettings()
{
    connect(ruleSet, &QComboBox::currentIndexChanged, this, [this] {
        showRuleSet();
        feeSettingsChanged();
    });
    connect(tradeDate, &QDateEdit::dateChanged, this, &MainWindow::showRulesInForce);
    for (QComboBox *box : {market, stampDutyRate})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            showRulesInForce();
            feeSettingsChanged();
        });
    connect(commissionRate, &QComboBox::currentTextChanged, this, &MainWindow::feeSettingsChanged);
    // The rates last typed are the next run's defaults.
    for (QLineEdit *rate : {buyRate, sellRate})
        connect(rate, &QLineEdit::textChanged, this, &MainWindow::feeSettingsChanged);
    for (QCheckBox *box : {stampDutyBothSides, noMinimum, leviesOnTop})
        connect(box, &QCheckBox::toggled, this, [this] {
            showRulesInForce();
            feeSettingsChanged();
        });
    connectHandler(resetSettings, &QAction::triggered, this, &MainWindow::resetSettingsClicked);
    connect(targetKind, &QComboBox::currentIndexChanged, this, [this] {
        targetUnit->setText(chosen<TargetKind>(targetKind) == TargetKind::Profit ? tr("元") : QStringLiteral("%"));
    });
}

RuleSet MainWindow::ruleSetChosen() const { return chosen<RuleSet>(ruleSet); }

Market MainWindow::marketChosen() const { return chosen<Market>(market); }

void MainWindow::showRuleSet()
{
    const bool dated = ruleSetChosen() == RuleSet::Dated;
    // The boxes the dated rules fill from the fee table are enabled only
    // under the classic rules; leaving those, keep their choices.
    if (dated && stampDutyRate->isEnabled()) {
        m_classicStampDuty = stampDutyRate->currentText();
        m_classicBothSides = stampDutyBothSides->isChecked();
    }
    if (!dated && !stampDutyRate->isEnabled()) {
        setChoices(stampDutyRate, kStampDutyChoices);
        const QSignalBlocker quietStamp(stampDutyRate), quietSides(stampDutyBothSides);
        chooseText(stampDutyRate, m_classicStampDuty);
        stampDutyBothSides->setChecked(m_classicBothSides);
    }
    setMarkets(market, ruleSetChosen());
    stampDutyRate->setEnabled(!dated);
    stampDutyBothSides->setEnabled(!dated);
    for (QWidget *datedOnly : std::initializer_list<QWidget *>{tradeDateLabel, tradeDate, leviesOnTop})
        datedOnly->setEnabled(dated);
    showRulesInForce();
}

bool MainWindow::hongKongChosen() const
{
    return ruleSetChosen() == RuleSet::Dated && marketChosen() == Market::HongKong;
}

// 港股通 prices in HKD, settled at the rates of their row; its levies are
// Hong Kong's, always charged, and no mainland levies go on top.
void MainWindow::showMarketTerms()
{
    const bool hongKong = hongKongChosen();
    for (QLabel *unit : {Label34, Label43, Label54, targetPriceUnit})
        unit->setText(hongKong ? tr("港元") : tr("元"));
    leviesOnTop->setEnabled(ruleSetChosen() == RuleSet::Dated && !hongKong);
    if (settlementRatesLabel->isVisibleTo(this) != hongKong) {
        for (QWidget *row : std::initializer_list<QWidget *>{settlementRatesLabel, buyRate, sellRate})
            row->setVisible(hongKong);
        fitToTexts();
    }
}

void MainWindow::showRulesInForce()
{
    const bool dated = ruleSetChosen() == RuleSet::Dated;
    const bool levies = dated && (leviesOnTop->isChecked() || hongKongChosen());
    showMarketTerms();
    for (QWidget *row : std::initializer_list<QWidget *>{buyLeviesLabel, buyLevies, buyLeviesUnit, sellLeviesLabel,
                                                         sellLevies, sellLeviesUnit})
        row->setEnabled(levies);
    if (!levies) {
        buyLevies->clear();
        sellLevies->clear();
    }
    if (dated) {
        const QSignalBlocker quietStamp(stampDutyRate), quietSides(stampDutyBothSides);
        stampDutyRate->clear();
        try {
            const RulesInForce rules = RulesFor(toTradeDate(tradeDate->date()), marketChosen());
            if (rules.hongKong()) {
                // Hong Kong's stamp duty, in the box's per mille, is paid by both sides.
                const HkFeeRuleRow &stampDuty = HkRulesFor(rules.date).row(HkFeeItem::StampDuty);
                stampDutyRate->addItem(uiText(Decimal::fromLiteral(stampDuty.ratePercent).shifted(1).toString()));
                stampDutyBothSides->setChecked(true);
            } else {
                stampDutyRate->addItem(uiText(rules.stampDuty->ratePerMille));
                stampDutyBothSides->setChecked(rules.stampDuty->sides == FeeSides::Both);
            }
        } catch (const EFeeRulesError &) {
            // The line about the rules says why there are none.
        }
    }
    showRulesNote();
}

void MainWindow::showRulesNote()
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

RememberedSettings MainWindow::currentSettings() const
{
    RememberedSettings settings;
    settings.rules = ruleSetChosen();
    settings.market = uiText(MarketName(marketChosen()));
    settings.commission = commissionRate->currentText();
    const bool classic = settings.rules == RuleSet::Classic;
    settings.stampDuty = classic ? stampDutyRate->currentText() : m_classicStampDuty;
    settings.bothSides = classic ? stampDutyBothSides->isChecked() : m_classicBothSides;
    settings.noMinimum = noMinimum->isChecked();
    settings.leviesOnTop = leviesOnTop->isChecked();
    settings.buyRate = buyRate->text();
    settings.sellRate = sellRate->text();
    settings.language = chosenLanguage();
    return settings;
}

void MainWindow::applySettings(const RememberedSettings &settings)
{
    m_applyingSettings = true;
    // The classic boxes first, while they are shown; then the rule set and
    // the market from its list.
    ruleSet->setCurrentIndex(ruleSet->findData(static_cast<int>(RuleSet::Classic)));
    chooseText(stampDutyRate, settings.stampDuty);
    stampDutyBothSides->setChecked(settings.bothSides);
    ruleSet->setCurrentIndex(ruleSet->findData(static_cast<int>(settings.rules)));
    const std::optional<Market> remembered = MarketNamed(settings.market.toStdString(), settings.rules);
    market->setCurrentIndex(std::max(0, market->findData(static_cast<int>(remembered.value_or(kDefaultMarket)))));
    const int listed = commissionRate->findText(settings.commission);
    if (listed >= 0)
        commissionRate->setCurrentIndex(listed);
    commissionRate->setEditText(settings.commission);
    noMinimum->setChecked(settings.noMinimum);
    leviesOnTop->setChecked(settings.leviesOnTop);
    buyRate->setText(settings.buyRate);
    sellRate->setText(settings.sellRate);
    m_applyingSettings = false;
}

void MainWindow::feeSettingsChanged()
{
    if (!m_store || m_applyingSettings)
        return;
    m_store->save(currentSettings());
    showSettingsNotice();
}

void MainWindow::showSettingsNotice()
{
    if (!m_store)
        return;
    if (const std::optional<QString> notice = m_store->takeNotice())
        platform().showValidationBox(this, *notice);
}

void MainWindow::rememberSettings(SettingsStore &store)
{
    const RememberedSettings loaded = store.load();
    useLanguage(loaded.language);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    showChosenLanguage();
    applySettings(loaded);
    m_store = &store;
    // After the window is on screen, so that the notice has an owner to show over.
    QTimer::singleShot(0, this, &MainWindow::showSettingsNotice);
}

void MainWindow::resetSettingsClicked()
{
    if (m_store)
        m_store->reset();
    applySettings(RememberedSettings());
    feeSettingsChanged();
}

void MainWindow::connectMenu()
{
    // The menu repeats the window's buttons through the very same handlers.
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
    connectHandler(goldenSectionAction, &QAction::triggered, this, &MainWindow::openGoldenSection);
    connectHandler(colorPickerAction, &QAction::triggered, this, &MainWindow::openColourPicker);
    connectHandler(captureAction, &QAction::triggered, this, &MainWindow::startScreenCapture);
    connectHandler(positionToolsAction, &QAction::triggered, this, &MainWindow::openPositionTools);
    connectHandler(statementAuditAction, &QAction::triggered, this, &MainWindow::openStatementAudit);
    connectHandler(aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    connectHandler(blogAction, &QAction::triggered, this, &MainWindow::openBlog);
    connectHandler(shanghaiExchangeAction, &QAction::triggered, this, &MainWindow::openShanghaiExchange);
    connectHandler(shenzhenExchangeAction, &QAction::triggered, this, &MainWindow::openShenzhenExchange);
    connectHandler(ndrcAction, &QAction::triggered, this, &MainWindow::openNdrc);
    connectHandler(csrcAction, &QAction::triggered, this, &MainWindow::openCsrc);
    connectHandler(stockSitesAction, &QAction::triggered, this, &MainWindow::openStockSites);
}

std::array<MainWindow::FieldBinding, 25> MainWindow::tradeFieldBindings() const
{
    return {{{buyPrice, &TradeFields::buyPrice},           {buyQuantity, &TradeFields::buyQuantity},
             {sellPrice, &TradeFields::sellPrice},       {sellQuantity, &TradeFields::sellQuantity},
             {buyAmount, &TradeFields::buyAmount},       {buyCommission, &TradeFields::buyCommission},
             {buyStampDuty, &TradeFields::buyStampDuty},    {buyTransferFee, &TradeFields::buyTransferFee},
             {buyFees, &TradeFields::buyFees},         {cashPaid, &TradeFields::cashPaid},
             {costPerShare, &TradeFields::costPerShare},   {breakEvenPrice, &TradeFields::breakEvenPrice},
             {sellAmount, &TradeFields::sellAmount},     {sellCommission, &TradeFields::sellCommission},
             {sellStampDuty, &TradeFields::sellStampDuty},  {sellTransferFee, &TradeFields::sellTransferFee},
             {sellFees, &TradeFields::sellFees},       {netReceipts, &TradeFields::netReceipts},
             {returnPercent, &TradeFields::returnPercent},  {profit, &TradeFields::profit},
             {buyLevies, &TradeFields::buyLevies},   {sellLevies, &TradeFields::sellLevies},
             {targetValue, &TradeFields::targetValue}, {targetPrice, &TradeFields::targetPrice},
             {targetYield, &TradeFields::targetYield}}};
}

TradeFields MainWindow::feeSettings() const
{
    TradeFields fields;
    fields.rules = ruleSetChosen();
    fields.tradeDate = FormatTradeDate(toTradeDate(tradeDate->date()));
    fields.noMinimum = noMinimum->isChecked();
    fields.leviesOnTop = leviesOnTop->isChecked();
    fields.market = MarketName(marketChosen());
    // The rate typed into the commission box counts as much as a chosen one.
    fields.commissionRate = commissionRate->currentText().toStdString();
    fields.stampDutyRate = stampDutyRate->currentText().toStdString();
    fields.stampDutyBothSides = stampDutyBothSides->isChecked();
    fields.buyRate = buyRate->text().toStdString();
    fields.sellRate = sellRate->text().toStdString();
    return fields;
}

TradeFields MainWindow::readTradeFields() const
{
    TradeFields fields = feeSettings();
    fields.targetKind = chosen<TargetKind>(targetKind);
    for (const auto &[widget, text] : tradeFieldBindings())
        fields.*text = fieldText(widget);
    fields.returnColor = m_returnColor;
    fields.profitColor = m_profitColor;
    return fields;
}

void MainWindow::writeTradeFields(const TradeFields &fields)
{
    for (const auto &[widget, text] : tradeFieldBindings())
        showText(widget, fields.*text);
    if (fields.returnColor != m_returnColor)
        setFieldColor(returnPercent, m_returnColor = fields.returnColor);
    if (fields.profitColor != m_profitColor)
        setFieldColor(profit, m_profitColor = fields.profitColor);
}

void MainWindow::calculateClicked()
{
    TradeFields fields = readTradeFields();
    TradeOutcome outcome;
    try {
        outcome = CalculateTrade(fields, localeSeparator());
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

void MainWindow::clearClicked()
{
    TradeFields fields = readTradeFields();
    ClearTrade(fields);
    writeTradeFields(fields);
    m_buyAveraged = m_sellAveraged = false;
    showCaptions();
}

void MainWindow::showCaptions()
{
    buyPriceCaption->setText(m_buyAveraged ? tr("买入均价") : tr("买入价格"));
    buyQuantityCaption->setText(m_buyAveraged ? tr("持股总数") : tr("买入数量"));
    sellPriceCaption->setText(m_sellAveraged ? tr("卖出均价") : tr("卖出价格"));
    sellQuantityCaption->setText(m_sellAveraged ? tr("卖出总数") : tr("卖出数量"));
}

void MainWindow::openBuyBatches() { Q_EMIT batchesRequested(TradeSide::Buy); }

void MainWindow::openSellBatches() { Q_EMIT batchesRequested(TradeSide::Sell); }

void MainWindow::showAbout() { Q_EMIT aboutRequested(); }

void MainWindow::openGoldenSection() { Q_EMIT goldenSectionRequested(); }

void MainWindow::openColourPicker() { Q_EMIT colorPickerRequested(); }

void MainWindow::startScreenCapture() { Q_EMIT captureRequested(); }

void MainWindow::openPositionTools() { Q_EMIT positionToolsRequested(); }

void MainWindow::openStatementAudit() { Q_EMIT statementAuditRequested(); }

void MainWindow::openBlog() { openLink(Link::Blog); }

void MainWindow::openShanghaiExchange() { openLink(Link::ShanghaiExchange); }

void MainWindow::openShenzhenExchange() { openLink(Link::ShenzhenExchange); }

void MainWindow::openNdrc() { openLink(Link::Ndrc); }

void MainWindow::openCsrc() { openLink(Link::Csrc); }

void MainWindow::openStockSites() { openLink(Link::StockSites); }

void MainWindow::alwaysOnTopToggled() { platform().setAlwaysOnTop(this, alwaysOnTop->isChecked()); }

void MainWindow::takeBatchesFrom(BatchDialog &dialog)
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

void MainWindow::writeBatchResult(TradeSide side, const BatchReduction &reduction)
{
    const bool buy = side == TradeSide::Buy;
    showText(buy ? buyPrice : sellPrice, reduction.price);
    showText(buy ? buyQuantity : sellQuantity, reduction.quantity);
    if (!reduction.relabel)
        return;
    (buy ? m_buyAveraged : m_sellAveraged) = true;
    showCaptions();
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter anywhere in the window presses the default button "计算".
    if (pressButtonOnEnter(event, focusWidget(), calculateButton))
        return;
    QMainWindow::keyPressEvent(event);
}

namespace {

// The local files a drag carries, if it carries only such.
QStringList localFiles(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << url.toLocalFile();
    }
    return paths;
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    Q_EMIT statementFilesDropped(paths);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, whatever else is open.
    event->accept();
    QCoreApplication::quit();
}

} // namespace tallyfin
