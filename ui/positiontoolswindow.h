#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <string>

#include "positioncalc.h"
#include "ui_positiontoolswindow.h"

namespace tallyfin {

// "持仓工具": the three position calculators (做T, 补仓, 回本) as tabs, on
// the main window's fee settings as they stand at each calculation and on
// the security of the 代码 field. Every figure comes from the core's
// calculators; the window only moves texts between its fields and them.
// Enter calculates on the tab shown; an input the calculator refuses, or a
// goal it cannot reach, is said in the validation box, as the main window
// says it.
class PositionToolsWindow : public QWidget, private Ui::PositionToolsWindow {
    Q_OBJECT

public:
    // The fee settings to compute with (trade date, market, commission,
    // 免五, 规费另计), asked for at each calculation.
    using FeeSettingsSource = std::function<TradeFields()>;

    // Until it is given a source, the window computes on the settings of a
    // first start, under the dated rules of today.
    explicit PositionToolsWindow(QWidget *parent = nullptr);

    void takeFeeSettingsFrom(FeeSettingsSource source);

    void calculateTTrade();
    void calculateTopUp();
    void calculateRecover();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    template <typename Fields>
    struct Binding {
        QLineEdit *widget;
        std::string Fields::*text;
    };

    std::array<Binding<TTradeFields>, 10> tTradeBindings() const;
    std::array<Binding<TopUpFields>, 10> topUpBindings() const;
    std::array<Binding<RecoverFields>, 9> recoverBindings() const;
    std::array<Binding<LegTexts>, 7> legBindings(bool first) const;

    template <typename Fields, std::size_t N>
    static Fields read(const std::array<Binding<Fields>, N> &bindings);
    template <typename Fields, std::size_t N>
    static void write(const std::array<Binding<Fields>, N> &bindings, const Fields &fields);
    void writeTTrade(const TTradeFields &fields);

    // Runs one calculator on the terms of the moment and shows its notice;
    // the results it wrote before a refused input stay written.
    template <typename Fields, typename Calculate, typename Write>
    void calculate(Fields fields, Calculate calculateWith, Write writeBack);

    PositionTerms readTerms() const;
    // The terms in one line under the code, or why there are none.
    void refreshTerms();
    void showTerms(const PositionTerms &terms);
    void showPriceUnits();
    // The captions that follow the order of a 做T.
    void showOrder();
    QPushButton *calculateButtonShown() const;

    FeeSettingsSource m_feeSettings;
    bool m_pricesInHkd = false; // the terms last shown were 港股通's
};

} // namespace tallyfin
