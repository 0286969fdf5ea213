#pragma once

#include <QMainWindow>

#include <array>
#include <string>

#include "language.h"
#include "trade.h"
#include "ui_mainwindow.h"

namespace tallyfin {

class BatchDialog;
struct BatchReduction;
struct RememberedSettings;
class SettingsStore;

// The main window "Tallyfin1.1": fee settings, the buy and sell groups, the
// toolbox. Every figure comes from the core's calculate action; the window
// only moves texts between its fields and the core. The other windows are
// asked for by signal: whoever made the windows (ProgramWindows) shows them.
class MainWindow : public QMainWindow, private Ui::MainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);

    // "计算" (also Enter). Throws the calculation's error after writing back
    // what the calculation wrote before it.
    void calculateClicked();
    // "清空": trade fields, the four captions and the two result colours.
    void clearClicked();
    // The toolbox's buttons and menu items: each asks for its window.
    void openBuyBatches();
    void openSellBatches();
    void showAbout();
    void openGoldenSection();
    void openColourPicker();
    void startScreenCapture();
    void openPositionTools();
    void openStatementAudit();
    void alwaysOnTopToggled();

    // The menu's links; its other items run the handlers of their buttons.
    void openBlog();
    void openShanghaiExchange();
    void openShenzhenExchange();
    void openNdrc();
    void openCsrc();
    void openStockSites();

    // Restores the fee settings and the language from `store` and saves
    // every later change there; tells the user once about a file it could
    // not read or write.
    void rememberSettings(SettingsStore &store);
    // The 语言 menu: the program in `language` at once, remembered.
    void chooseLanguage(Language language);
    // "恢复默认设置": the fee settings as on a first start.
    void resetSettingsClicked();

    // Takes what a batch dialog reduces: the price and quantity into the
    // dialog's side, the "average"/"total" captions when rows were found,
    // then calculates; the dialog closes unless the calculation fails.
    void takeBatchesFrom(BatchDialog &dialog);
    void writeBatchResult(TradeSide side, const BatchReduction &reduction);

    // The fee settings as they stand (rule set, trade date, market,
    // commission, stamp duty, 免五, 规费另计, 港股通's settlement rates),
    // without any trade.
    TradeFields feeSettings() const;

Q_SIGNALS:
    // "多批买入" and "多批卖出": the batch dialog of `side`, beside this window.
    void batchesRequested(TradeSide side);
    void aboutRequested();
    // The golden-section calculator and the colour picker take this
    // window's place while they are open.
    void goldenSectionRequested();
    void colorPickerRequested();
    // "屏幕截图": the overlay covers the screen above this window, which
    // stays open beneath.
    void captureRequested();
    void positionToolsRequested();
    // "交割单核对", the button or the menu item.
    void statementAuditRequested();
    // Files (or folders) dropped on this window: statements for 交割单核对.
    void statementFilesDropped(const QStringList &paths);

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    struct FieldBinding {
        QLineEdit *widget;
        std::string TradeFields::*text;
    };

    std::array<FieldBinding, 25> tradeFieldBindings() const;
    TradeFields readTradeFields() const;
    void writeTradeFields(const TradeFields &fields);
    void fillChoices();
    void connectHandlers();
    void connectMenu();
    void connectFeeSettings();
    void connectLanguageMenu();

    // The texts set in code, in the language shown; the window's size to fit them.
    void showTexts();
    void showCaptions();
    void showChosenLanguage();
    void fitToTexts();
    QString classicRulesNote() const;
    QString datedRulesNote(const RulesInForce &rules, bool levies) const;

    RuleSet ruleSetChosen() const;
    Market marketChosen() const;
    // The rule set's market list, the stamp-duty and both-sides boxes as it
    // fills them, the levy rows it uses, and the line about the rules.
    void showRuleSet();
    bool hongKongChosen() const;
    // What 港股通 changes: the price units, the settlement rates, 规费另计.
    void showMarketTerms();
    void showRulesInForce();
    void showRulesNote();
    void feeSettingsChanged();
    RememberedSettings currentSettings() const;
    void applySettings(const RememberedSettings &settings);
    void showSettingsNotice();

    // The result colours as last painted; the palette alone would not say.
    FieldColor m_returnColor = FieldColor::Window;
    FieldColor m_profitColor = FieldColor::Window;
    // The buy and sell captions read "average" and "total" (a batch dialog's
    // rows were taken) rather than "price" and "quantity".
    bool m_buyAveraged = false;
    bool m_sellAveraged = false;

    // The classic stamp duty and both-sides choice, kept while the dated
    // rules show the fee table's in their boxes.
    QString m_classicStampDuty;
    bool m_classicBothSides = false;
    SettingsStore *m_store = nullptr;
    bool m_applyingSettings = false;
};

} // namespace tallyfin
