#pragma once

#include <QAbstractTableModel>
#include <QWidget>

#include <memory>
#include <vector>

#include "positionstable.h"

class QLabel;
class QListView;
class QStandardItem;
class QStandardItemModel;
class QStringListModel;
class QTableView;

namespace tallyfin {

// The positions of a statement, one row per security, sortable by any
// column; sorting compares the exact figures, never the rounded texts.
class PositionsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Code, Name, Shares, DilutedCost, AverageCost, RealizedAverage, RealizedFifo, Fees, Dividends, Count };

    explicit PositionsModel(QObject *parent = nullptr);

    // The positions shown, their figures written with `separator`.
    void setPositions(std::vector<PositionReport> positions, DecimalSeparator separator);
    const PositionReport &position(int row) const { return m_positions[static_cast<std::size_t>(row)].report; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // A column below 0 gives back the statement's order.
    void sort(int column, Qt::SortOrder order) override;

private:
    struct Shown {
        PositionReport report;
        PositionTexts texts;
        int statementOrder = 0; // of the code's first row: the order with no column sorted
    };
    std::vector<Shown> m_positions;
};

// "持仓": the positions of a statement as a table, the conventions in one
// line each under it, and the rows left out (sales of more than was held,
// Stock Connect trades, codes not known) in a list below. A tab of the
// 交割单核对 window, given the positions of the statement that window read
// (worked out on its reading thread). Shares held before the account's
// history began are listed with their cost, which the user may type:
//   view->setPositions(PositionsOfStatement(statement));
class PositionsView : public QWidget {
    Q_OBJECT

public:
    explicit PositionsView(QWidget *parent = nullptr);

    // Shows `positions`; empty ones show none.
    void setPositions(statement::StatementPositions positions);

    PositionsModel *model() const { return m_model; }

Q_SIGNALS:
    // The user typed what the shares of `code` held before the history cost
    // in all (nullopt: an empty field, the cost unknown again).
    void openingCostEdited(const QString &code, std::optional<tallyfin::Decimal> cost);
    // A typed cost that is no amount: the message says what is expected.
    void openingCostRejected(const QString &message);

protected:
    void changeEvent(QEvent *event) override;

private:
    void showConventions();
    void showLeftOut(const statement::StatementPositions &positions);
    void showOpenings(const std::vector<PositionReport> &positions);
    void showOpeningHeaders();
    void openingEdited(QStandardItem *item);

    PositionsModel *m_model;
    QTableView *m_table;
    std::vector<QLabel *> m_conventions;
    QLabel *m_leftOutCaption;
    QStringListModel *m_leftOut;
    QListView *m_leftOutList;
    // The holdings before the history began, their cost typed by the user.
    QLabel *m_openingNote;
    QStandardItemModel *m_openings;
    QTableView *m_openingsView;
    bool m_costUnknown = false;
    bool m_filling = false;
};

} // namespace tallyfin
