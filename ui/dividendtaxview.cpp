#include "dividendtaxview.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QStandardItemModel>
#include <QStringListModel>
#include <QTableView>
#include <QVBoxLayout>

#include "appearance.h"
#include "platform.h"
#include "statementaudittexts.h"
#include "translatedtext.h"

namespace tallyfin {

namespace {

using namespace statement;

QString money(const Decimal &value) { return uiText(value.toFixed(2, localeSeparator())); }
QString moneyOrUnknown(const std::optional<Decimal> &value) { return value ? money(*value) : AuditTexts::unknown(); }
// A figure with as many decimals as it has, in the locale's separator.
QString figure(const Decimal &value)
{
    return uiText(value.toString()).replace(QLatin1Char('.'), uiText(localeSeparator()));
}
QString date(TradeDate day) { return uiText(FormatTradeDate(day)); }

QStandardItem *cell(const QString &text, bool figure = false)
{
    auto *item = new QStandardItem(text);
    item->setEditable(false);
    if (figure)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

void setUpView(QTableView *view, QStandardItemModel *model)
{
    view->setModel(model);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

} // namespace

DividendTaxView::DividendTaxView(QWidget *parent)
    : QWidget(parent), m_rows(new QStandardItemModel(this)), m_lots(new QStandardItemModel(this)),
      m_missing(new QStringListModel(this)), m_rowsView(new QTableView(this)), m_lotsCaption(new QLabel(this)),
      m_lotsView(new QTableView(this)), m_missingCaption(new QLabel(this)), m_missingList(new QListView(this))
{
    auto *layout = new QVBoxLayout(this);
    m_rowsView->setObjectName(QStringLiteral("taxRowsView"));
    m_lotsView->setObjectName(QStringLiteral("taxLotsView"));
    m_missingList->setObjectName(QStringLiteral("missingTaxList"));
    setUpView(m_rowsView, m_rows);
    setUpView(m_lotsView, m_lots);
    m_missingList->setModel(m_missing);
    m_missingList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_missingList->setWordWrap(true);
    m_lotsCaption->setBuddy(m_lotsView);
    m_missingCaption->setBuddy(m_missingList);
    layout->addWidget(m_rowsView, 3);
    layout->addWidget(m_lotsCaption);
    layout->addWidget(m_lotsView, 2);
    layout->addWidget(m_missingCaption);
    layout->addWidget(m_missingList, 1);
    connect(m_rowsView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { showLots(current.row()); });
    retranslate();
}

void DividendTaxView::setCheck(std::shared_ptr<const MergedStatement> merged, std::shared_ptr<const DividendTaxCheck> check)
{
    m_merged = std::move(merged);
    m_check = m_merged ? std::move(check) : nullptr;
    fillRows();
    fillMissing();
}

void DividendTaxView::fillRows()
{
    m_rows->removeRows(0, m_rows->rowCount());
    if (m_check) {
        for (const TaxRowCheck &row : m_check->taxRows) {
            const Row &read = m_merged->statement.rows[row.row];
            m_rows->appendRow({cell(QString::number(m_merged->sourceOfRow[row.row])), cell(QString::number(read.line())),
                               cell(date(row.date)), cell(uiText(row.code)),
                               cell(row.quantity ? uiText(row.quantity->toString()) : QString(), true),
                               cell(money(row.charged), true), cell(moneyOrUnknown(row.due()), true),
                               cell(translated("Account", ChineseText(VerdictOf(row))))});
        }
    }
    m_rowsView->resizeColumnsToContents();
    if (m_rows->rowCount() > 0)
        m_rowsView->selectRow(0);
    showLots(m_rows->rowCount() > 0 ? 0 : -1);
}

void DividendTaxView::showLots(int row)
{
    m_lots->removeRows(0, m_lots->rowCount());
    if (m_check && row >= 0 && row < static_cast<int>(m_check->taxRows.size())) {
        for (const LotTax &lot : m_check->taxRows[static_cast<std::size_t>(row)].lots)
            m_lots->appendRow({cell(lot.bought ? date(*lot.bought) : AuditTexts::heldBefore()), cell(date(lot.sold)),
                               cell(translated("Account", HoldingTermText(lot))),
                               cell(uiText(lot.quantity.toString()), true),
                               cell(figure(lot.dividendPerShare), true),
                               cell(QString::number(lot.ratePercent), true), cell(moneyOrUnknown(lot.tax), true)});
    }
    m_lotsView->resizeColumnsToContents();
}

void DividendTaxView::fillMissing()
{
    QStringList lines;
    if (m_check) {
        for (const MissingTax &sale : m_check->missing)
            lines << translated(MissingTaxText(sale));
        for (const UnheldDividend &dividend : m_check->unheldDividends)
            lines << AuditTexts::unheldDividend(date(dividend.date), uiText(dividend.code), money(dividend.cash));
    }
    m_missing->setStringList(lines);
}

void DividendTaxView::retranslate()
{
    m_rows->setHorizontalHeaderLabels(AuditTexts::taxHeaders());
    m_lots->setHorizontalHeaderLabels(AuditTexts::lotHeaders());
    m_lotsCaption->setText(AuditTexts::lotsCaption());
    m_missingCaption->setText(AuditTexts::missingCaption());
    // Item views tell a screen reader their own name, not their label's.
    m_rowsView->setAccessibleName(AuditTexts::dividendTaxTab());
    m_lotsView->setAccessibleName(m_lotsCaption->text());
    m_missingList->setAccessibleName(m_missingCaption->text());
}

void DividendTaxView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        const int selected = m_rowsView->currentIndex().row();
        fillRows();
        if (selected >= 0 && selected < m_rows->rowCount()) {
            m_rowsView->selectRow(selected);
            showLots(selected);
        }
        fillMissing();
    }
    QWidget::changeEvent(event);
}

} // namespace tallyfin
