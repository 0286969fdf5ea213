#pragma once

#include <QDialog>

#include "batch.h"
#include "trade.h"
#include "ui_batchdialog.h"

namespace tallyfin {

// The multi-batch entry of one side of a trade: up to five batches of price
// and quantity, reduced to the quantity-weighted average price and the total
// quantity, which the main window takes into its inputs of that side (see
// MainWindow::takeBatchesFrom). The buy ("多批买入", TForm3) and the sell
// dialog ("多批卖出", TForm4) differ only in their texts and their side.
class BatchDialog : public QDialog, private Ui::BatchDialog {
    Q_OBJECT

public:
    explicit BatchDialog(TradeSide side, QWidget *parent = nullptr);

    // "确定": reduces the rows and hands them on. A bad number throws before
    // anything is handed on, and the dialog stays open.
    void confirmClicked();
    // "清空": the ten fields only.
    void clearClicked();

    // Shows the dialog at its place beside the main window (or brings it
    // forward when already shown).
    void showBeside(const QWidget *mainWindow);

Q_SIGNALS:
    // The rows of `side` reduced. The receiver hides the dialog once it has
    // taken them.
    void batchesReduced(TradeSide side, const BatchReduction &reduction);

protected:
    void changeEvent(QEvent *event) override;

private:
    BatchRows readRows() const;
    void applyTexts();

    TradeSide m_side;
};

} // namespace tallyfin
