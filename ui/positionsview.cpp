#include "positionsview.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QScopedValueRollback>
#include <QStandardItemModel>
#include <QStringListModel>
#include <QTableView>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

#include "appearance.h"
#include "platform.h"
#include "statementauditmodels.h"
#include "translatedtext.h"

namespace tallyfin {

namespace {

using Rational = Decimal::Rational;

using statement::kPositionColumns;
static_assert(std::size(kPositionColumns) == PositionsModel::Count);

template <typename T>
int compared(const T &a, const T &b)
{
    return a < b ? -1 : b < a ? 1 : 0;
}

// A cost of no shares sorts before every cost.
int compared(const std::optional<Rational> &a, const std::optional<Rational> &b)
{
    if (!a || !b)
        return compared(a.has_value(), b.has_value());
    return compared(*a, *b);
}

// The exact figures of a column compared; texts for the code and name.
int compareColumn(int column, const PositionReport &a, const PositionReport &b)
{
    switch (column) {
    case PositionsModel::Code: return compared(a.code, b.code);
    case PositionsModel::Name: return compared(a.name, b.name);
    case PositionsModel::Shares: return compared(a.shares, b.shares);
    case PositionsModel::DilutedCost: return compared(a.dilutedCost, b.dilutedCost);
    case PositionsModel::AverageCost: return compared(a.averageCost, b.averageCost);
    case PositionsModel::RealizedAverage: return compared(a.realizedAverage, b.realizedAverage);
    case PositionsModel::RealizedFifo: return compared(a.realizedFifo, b.realizedFifo);
    case PositionsModel::Fees: return compared(a.fees, b.fees);
    case PositionsModel::Dividends: return compared(a.dividends, b.dividends);
    }
    return 0;
}

} // namespace

PositionsModel::PositionsModel(QObject *parent) : QAbstractTableModel(parent) {}

void PositionsModel::setPositions(std::vector<PositionReport> positions, DecimalSeparator separator)
{
    beginResetModel();
    m_positions.clear();
    for (PositionReport &position : positions) {
        const int order = static_cast<int>(m_positions.size());
        PositionTexts texts = FormatPosition(position, separator);
        m_positions.push_back({std::move(position), std::move(texts), order});
    }
    endResetModel();
}

int PositionsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_positions.size());
}

int PositionsModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : Count; }

QVariant PositionsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return uiText(m_positions[static_cast<std::size_t>(index.row())].texts.*kPositionColumns[index.column()].text);
    if (role == Qt::TextAlignmentRole && index.column() >= Shares)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant PositionsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return translated("Positions", kPositionColumns[section].heading);
}

void PositionsModel::sort(int column, Qt::SortOrder order)
{
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> orderBefore;
    for (const QModelIndex &index : before)
        orderBefore.push_back(m_positions[static_cast<std::size_t>(index.row())].statementOrder);
    std::stable_sort(m_positions.begin(), m_positions.end(), [&](const Shown &a, const Shown &b) {
        const int by = column < 0 ? compared(a.statementOrder, b.statementOrder)
                                  : compareColumn(column, a.report, b.report);
        return order == Qt::AscendingOrder ? by < 0 : by > 0;
    });
    // Statement orders run from 0 to the number of rows less one.
    std::vector<int> rowNow(m_positions.size());
    for (std::size_t row = 0; row < m_positions.size(); ++row)
        rowNow[static_cast<std::size_t>(m_positions[row].statementOrder)] = static_cast<int>(row);
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i)
        after << index(rowNow[static_cast<std::size_t>(orderBefore[static_cast<std::size_t>(i)])], before[i].column());
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

PositionsView::PositionsView(QWidget *parent)
    : QWidget(parent), m_model(new PositionsModel(this)), m_table(new QTableView(this)),
      m_leftOutCaption(new QLabel(this)), m_leftOut(new QStringListModel(this)), m_leftOutList(new QListView(this)),
      m_openingNote(new QLabel(this)), m_openings(new QStandardItemModel(this)), m_openingsView(new QTableView(this))
{
    auto *layout = new QVBoxLayout(this);
    m_table->setModel(m_model);
    m_table->setObjectName(QStringLiteral("positions"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    // Rows of one line, as high as the statement check's other tables.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);
    layout->addWidget(m_table, 1);
    for (std::size_t i = 0; i < std::size(statement::kPositionConventions); ++i) {
        auto *line = new QLabel(this);
        line->setWordWrap(true);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(line);
        m_conventions.push_back(line);
    }
    m_leftOutCaption->setBuddy(m_leftOutList);
    m_leftOutList->setObjectName(QStringLiteral("leftOut"));
    m_leftOutList->setModel(m_leftOut);
    m_leftOutList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_leftOutList->setMaximumHeight(6 * fontMetrics().lineSpacing());
    // The rows left out and the holdings before the history side by side:
    // the positions keep the tab's height.
    auto *below = new QHBoxLayout;
    auto *leftOut = new QVBoxLayout;
    leftOut->addWidget(m_leftOutCaption);
    leftOut->addWidget(m_leftOutList);
    below->addLayout(leftOut, 1);
    auto *openings = new QVBoxLayout;
    below->addLayout(openings, 1);
    layout->addLayout(below);
    m_openingNote->setObjectName(QStringLiteral("openingNote"));
    m_openingNote->setWordWrap(true);
    m_openingNote->setBuddy(m_openingsView);
    m_openingsView->setObjectName(QStringLiteral("openingsView"));
    m_openingsView->setModel(m_openings);
    m_openingsView->verticalHeader()->hide();
    m_openingsView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_openingsView->verticalHeader()->setDefaultSectionSize(m_table->verticalHeader()->defaultSectionSize());
    m_openingsView->horizontalHeader()->setStretchLastSection(true);
    m_openingsView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                    | QAbstractItemView::SelectedClicked);
    m_openingsView->setMaximumHeight(6 * fontMetrics().lineSpacing());
    openings->addWidget(m_openingNote);
    openings->addWidget(m_openingsView);
    m_openingNote->hide();
    m_openingsView->hide();
    connect(m_openings, &QStandardItemModel::itemChanged, this, &PositionsView::openingEdited);
    showConventions();
}

void PositionsView::setPositions(statement::StatementPositions positions)
{
    showLeftOut(positions);
    showOpenings(positions.report.positions);
    m_model->setPositions(std::move(positions.report.positions), localeSeparator());
    // A new statement starts in its own order.
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->resizeColumnsToContents();
}

namespace {

constexpr int kCostColumn = 3;

} // namespace

void PositionsView::showOpenings(const std::vector<PositionReport> &positions)
{
    // The view must hear of the rows; the edit handler must not.
    const QScopedValueRollback filling(m_filling, true);
    m_openings->removeRows(0, m_openings->rowCount());
    m_costUnknown = false;
    for (const PositionReport &position : positions) {
        if (position.openingShares.sign() == 0)
            continue;
        QList<QStandardItem *> row;
        for (const std::string &text : {position.code, position.name, position.openingShares.toString()}) {
            row << new QStandardItem(uiText(text));
            row.back()->setEditable(false);
        }
        const QString cost = position.openingCost ? uiText(position.openingCost->toFixed(2, localeSeparator())) : QString();
        row << new QStandardItem(cost);
        row.back()->setData(uiText(position.code), Qt::UserRole);
        row.back()->setData(cost, Qt::UserRole + 1); // given back when a typed cost is refused
        m_openings->appendRow(row);
        m_costUnknown = m_costUnknown || !position.openingCost;
    }
    showOpeningHeaders();
    m_openingsView->resizeColumnsToContents();
    m_openingNote->setVisible(m_openings->rowCount() > 0);
    m_openingsView->setVisible(m_openings->rowCount() > 0);
}

void PositionsView::showOpeningHeaders()
{
    m_openings->setHorizontalHeaderLabels({tr("代码"), tr("名称"), tr("期初持股"), tr("期初成本(元)")});
    m_openingNote->setText(m_costUnknown
                               ? tr("有证券在账户的记录开始前已经持有，成本未知，其成本和已实现盈亏无法算出："
                                    "双击“期初成本”填写这些股份的总成本（含费用），清空则恢复未知")
                               : tr("账户的记录开始前已经持有的股份及其总成本（含费用），双击可修改"));
    m_openingsView->setAccessibleName(tr("期初持仓"));
}

void PositionsView::openingEdited(QStandardItem *item)
{
    if (m_filling || item->column() != kCostColumn)
        return;
    const QString code = item->data(Qt::UserRole).toString();
    const QString typed = item->text().trimmed();
    if (typed.isEmpty()) {
        Q_EMIT openingCostEdited(code, std::nullopt);
        return;
    }
    if (const std::optional<Decimal> cost = typedAmount(typed)) {
        Q_EMIT openingCostEdited(code, cost);
        return;
    }
    {
        const QScopedValueRollback filling(m_filling, true);
        item->setText(item->data(Qt::UserRole + 1).toString());
    }
    Q_EMIT openingCostRejected(tr("期初成本须为不小于 0 的金额（元）"));
}

void PositionsView::showConventions()
{
    for (std::size_t i = 0; i < m_conventions.size(); ++i)
        m_conventions[i]->setText(translated("Positions", statement::kPositionConventions[i]));
    m_leftOutCaption->setText(tr("未计入的行"));
    // Item views tell a screen reader their own name, not their label's.
    m_leftOutList->setAccessibleName(m_leftOutCaption->text());
    m_table->setAccessibleName(tr("持仓"));
}

void PositionsView::showLeftOut(const statement::StatementPositions &positions)
{
    QStringList lines;
    for (const OversoldSale &sale : positions.report.oversold)
        lines << translated(statement::LeftOutText(sale));
    for (const statement::SkippedRow &row : positions.skipped)
        lines << translated(statement::LeftOutText(row));
    m_leftOut->setStringList(lines);
}

void PositionsView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        showConventions();
        showOpeningHeaders();
        Q_EMIT m_model->headerDataChanged(Qt::Horizontal, 0, PositionsModel::Count - 1);
    }
    QWidget::changeEvent(event);
}

} // namespace tallyfin
