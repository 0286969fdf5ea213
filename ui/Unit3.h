#pragma once

#include "batchdialog.h"
#include "windowglobal.h"

namespace tallyfin {

// "多批买入": up to five buy batches, reduced into the buy price and quantity.
class TForm3 : public BatchDialog {
    Q_OBJECT

public:
    explicit TForm3(QWidget *parent = nullptr) : BatchDialog(TradeSide::Buy, parent) { setObjectName("TForm3"); }
};

extern WindowGlobal<TForm3> Form3;

} // namespace tallyfin
