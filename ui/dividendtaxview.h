#pragma once

#include <QWidget>

#include <memory>

#include "dividendtax.h"
#include "merge.h"

class QLabel;
class QListView;
class QStandardItemModel;
class QStringListModel;
class QTableView;

namespace tallyfin {

// "红利税": every dividend-tax row of the account beside its check (what
// was charged, what the lots sold owe, the verdict), the lots of the row
// selected with their holding periods, and the sales that owe tax no row
// took. A tab of the 交割单核对 window, given the check of the account it
// shows (worked out on its worker thread):
//   view->setCheck(merged, CheckDividendTax(merged->statement, openings));
class DividendTaxView : public QWidget {
    Q_OBJECT

public:
    explicit DividendTaxView(QWidget *parent = nullptr);

    // Shows the check of `merged` (null: an empty tab).
    void setCheck(std::shared_ptr<const statement::MergedStatement> merged,
                  std::shared_ptr<const statement::DividendTaxCheck> check);

protected:
    void changeEvent(QEvent *event) override;

private:
    void fillRows();
    void showLots(int row);
    void fillMissing();
    void retranslate();

    std::shared_ptr<const statement::MergedStatement> m_merged;
    std::shared_ptr<const statement::DividendTaxCheck> m_check;
    QStandardItemModel *m_rows;
    QStandardItemModel *m_lots;
    QStringListModel *m_missing;
    QTableView *m_rowsView;
    QLabel *m_lotsCaption;
    QTableView *m_lotsView;
    QLabel *m_missingCaption;
    QListView *m_missingList;
};

} // namespace tallyfin
