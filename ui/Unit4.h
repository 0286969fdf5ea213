#pragma once

#include "batchdialog.h"
#include "windowglobal.h"

namespace tallyfin {

// "多批卖出": up to five sell batches, reduced into the sell price and quantity.
class TForm4 : public BatchDialog {
    Q_OBJECT

public:
    explicit TForm4(QWidget *parent = nullptr) : BatchDialog(TradeSide::Sell, parent) { setObjectName("TForm4"); }
};

extern WindowGlobal<TForm4> Form4;

} // namespace tallyfin
