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

// The columns' headings, in one place for translation.
QString heading(int column)
{
    switch (column) {
    case PositionsModel::Code: return PositionsModel::tr("代码");
    case PositionsModel::Name: return PositionsModel::tr("名称");
    case PositionsModel::Shares: return PositionsModel::tr("持股");
    case PositionsModel::DilutedCost: return PositionsModel::tr("摊薄成本");
    case PositionsModel::AverageCost: return PositionsModel::tr("移动平均成本");
    case PositionsModel::RealizedAverage: return PositionsModel::tr("已实现盈亏（移动平均）");
    case PositionsModel::RealizedFifo: return PositionsModel::tr("已实现盈亏（先进先出）");
    case PositionsModel::Fees: return PositionsModel::tr("费用");
    case PositionsModel::Dividends: return PositionsModel::tr("股息（税后）");
    }
    return {};
}

constexpr std::string PositionTexts::*kColumnTexts[] = {
    &PositionTexts::code,         &PositionTexts::name,         &PositionTexts::shares,
    &PositionTexts::dilutedCost,  &PositionTexts::averageCost,  &PositionTexts::realizedAverage,
    &PositionTexts::realizedFifo, &PositionTexts::fees,         &PositionTexts::dividends,
};
static_assert(std::size(kColumnTexts) == PositionsModel::Count);

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

QString oversoldText(const OversoldSale &sale)
{
    return PositionsView::tr("第 %1 行：%2 卖出 %3 股，多于当时持有的 %4 股，这笔卖出及其费用未计入")
        .arg(sale.line)
        .arg(uiText(sale.code), uiText(sale.sold.toString()), uiText(sale.held.toString()));
}

QString skippedText(const statement::SkippedRow &row)
{
    return PositionsView::tr("第 %1 行：%2 %3 %4 未计入：%5")
        .arg(row.line)
        .arg(uiText(row.code), uiText(row.name), uiText(row.operation), translated("Statement", statement::ChineseText(row.reason)));
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
        return uiText(m_positions[static_cast<std::size_t>(index.row())].texts.*kColumnTexts[index.column()]);
    if (role == Qt::TextAlignmentRole && index.column() >= Shares)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant PositionsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return heading(section);
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
    for (std::size_t i = 0; i < std::size(kPositionConventions); ++i) {
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
        m_conventions[i]->setText(translated("Positions", kPositionConventions[i]));
    m_leftOutCaption->setText(tr("未计入的行"));
    // Item views tell a screen reader their own name, not their label's.
    m_leftOutList->setAccessibleName(m_leftOutCaption->text());
    m_table->setAccessibleName(tr("持仓"));
}

void PositionsView::showLeftOut(const statement::StatementPositions &positions)
{
    QStringList lines;
    for (const OversoldSale &sale : positions.report.oversold)
        lines << oversoldText(sale);
    for (const statement::SkippedRow &row : positions.skipped)
        lines << skippedText(row);
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
