#pragma once

#include <QDialog>

#include "Unit1.h"
#include "batch.h"
#include "ui_BatchDialog.h"

namespace tallyfin {

// The multi-batch entry of one side of a trade: up to five batches of price
// and quantity, reduced to the quantity-weighted average price and the total
// quantity, written into the main window's inputs of that side, which then
// calculates. The buy and the sell dialog differ only in their texts and
// their targets.
class BatchDialog : public QDialog, private Ui::BatchDialog {
    Q_OBJECT

public:
    explicit BatchDialog(TradeSide side, QWidget *parent = nullptr);

    // "确定": reduce, write into the main window, calculate there, hide. A bad
    // number leaves the main window untouched and the dialog open; an error
    // of the calculation leaves the dialog open too.
    void Button1Click();
    // "清空": the ten fields only.
    void Button2Click();

    // Shows the dialog at its place beside the main window (or brings it
    // forward when already shown).
    void showBeside(const QWidget *mainWindow);

private:
    BatchRows readRows() const;
    void applyTexts();

    TradeSide m_side;
};

} // namespace tallyfin
