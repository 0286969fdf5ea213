#include "positionsview.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QStringListModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

#include "appearance.h"
#include "platform.h"
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
      m_leftOutCaption(new QLabel(this)), m_leftOut(new QStringListModel(this)), m_leftOutList(new QListView(this))
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
    layout->addWidget(m_leftOutCaption);
    layout->addWidget(m_leftOutList);
    showConventions();
}

void PositionsView::setPositions(statement::StatementPositions positions)
{
    showLeftOut(positions);
    m_model->setPositions(std::move(positions.report.positions), localeSeparator());
    // A new statement starts in its own order.
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->resizeColumnsToContents();
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
        Q_EMIT m_model->headerDataChanged(Qt::Horizontal, 0, PositionsModel::Count - 1);
    }
    QWidget::changeEvent(event);
}

} // namespace tallyfin
