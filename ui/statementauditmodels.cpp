#include "statementauditmodels.h"

#include <QColor>
#include <QFont>

#include <algorithm>
#include <limits>

#include "auditreport.h"
#include "messages.h"
#include "platform.h"
#include "statementaudittexts.h"
#include "translatedtext.h"
#include "yearcolumns.h"

namespace tallyfin {

using namespace statement;

namespace {

constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::min();

QString text(std::string_view value) { return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())); }
// Figures in the locale's separator, as every window of the program shows
// them: money to the cent, the others in their shortest exact text.
QString yuan(const Decimal &value) { return text(value.toFixed(2, localeSeparator())); }
QString exact(const Decimal &value) { return text(value.toString()).replace(u'.', text(localeSeparator())); }
QString yuan(Cents cents) { return yuan(Decimal(cents, 2)); }
QString yuan(const std::optional<Cents> &cents) { return cents ? yuan(*cents) : QString(); }

const QColor kDifferingRow(255, 235, 232);
const QColor kDifferingCell(255, 190, 180);
const QColor kNotAuditedRow(238, 238, 238);

QVariant rightAligned() { return QVariant(Qt::AlignRight | Qt::AlignVCenter); }

// The typed number, read with "." or the locale's separator; nullopt for any other text.
std::optional<Decimal> typedNumber(const QString &typed)
{
    const std::string text = typed.trimmed().toStdString();
    const std::optional<Decimal> value = Decimal::fromTyped(text, kDecimalPoint);
    return value ? value : Decimal::fromTyped(text, localeSeparator());
}

} // namespace

std::optional<Decimal> typedAmount(const QString &typed)
{
    const std::optional<Decimal> value = typedNumber(typed);
    return value && value->sign() >= 0 ? value : std::nullopt;
}

std::optional<Decimal> typedRatePerMille(const QString &typed)
{
    const std::optional<Decimal> value = typedAmount(typed);
    return value && *value <= Decimal(kMaxCommissionPerMille) ? value : std::nullopt;
}

// --- AuditTableModel ----------------------------------------------------------

AuditTableModel::AuditTableModel(QStringList (*headers)(), QObject *parent)
    : QAbstractTableModel(parent), m_makeHeaders(headers), m_headers(headers())
{
}

void AuditTableModel::retranslate()
{
    m_headers = m_makeHeaders();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void AuditTableModel::show(std::shared_ptr<const Statement> statement, std::shared_ptr<const Audit> audit)
{
    beginResetModel();
    m_statement = std::move(statement);
    m_audit = std::move(audit);
    refill();
    endResetModel();
}

int AuditTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant AuditTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headers.size())
        return m_headers[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

// --- AgreementModel ----------------------------------------------------------

AgreementModel::AgreementModel(QObject *parent) : AuditTableModel(&AuditTexts::agreementHeaders, parent) {}

int AgreementModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !audit() ? 0 : static_cast<int>(audit()->agreements.size());
}

Qt::ItemFlags AgreementModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    switch (index.column()) {
    case From:
    case To:
    case Rate:
    case Minimum: return flags | Qt::ItemIsEditable;
    case LeviesOnTop:
    case TransferSeparate: return flags | Qt::ItemIsUserCheckable;
    default: return flags;
    }
}

QVariant AgreementModel::display(const Agreement &agreement, int column) const
{
    switch (column) {
    case Scope: return translated(ScopeText(agreement));
    case From: return text(FormatTradeDate(agreement.from));
    case To: return text(FormatTradeDate(agreement.to));
    case Rate: return (agreement.rateSource == TermSource::Bound ? QStringLiteral("≤") : QString())
                      + exact(agreement.terms.ratePerMille);
    case Minimum: return agreement.terms.minimum.sign() == 0 ? AuditTexts::noMinimum() : yuan(agreement.terms.minimum);
    case OtherFees: return translated("Statement", ChineseText(agreement.otherFees));
    case Explained: return QStringLiteral("%1/%2").arg(agreement.commission.explained).arg(agreement.commission.of);
    default: return {};
    }
}

QVariant AgreementModel::toolTip(int row) const
{
    const Agreement &agreement = agreementAt(row);
    QString tip = AuditTexts::termTally(agreement.rate.explained, agreement.rate.of, agreement.minimum.explained,
                                        agreement.minimum.of);
    if (agreement.rateSource == TermSource::Bound)
        tip += QStringLiteral("\n") + AuditTexts::rateBound();
    else if (!agreement.owesNothing)
        tip += QStringLiteral("\n") + AuditTexts::rateRange(text(agreement.rateLow.toString()), text(agreement.rateHigh.toString()));
    if (!agreement.codes.empty())
        tip += QStringLiteral("\n") + text(JoinedCodes(agreement.codes));
    if (row > 0 && SameScope(agreementAt(row - 1), agreement))
        tip += QStringLiteral("\n") + translated(ChangeWindowText(agreementAt(row - 1), agreement));
    return tip + QStringLiteral("\n") + translated(AgreementText(agreement));
}

QVariant AgreementModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !audit())
        return {};
    const Agreement &agreement = agreementAt(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole: return display(agreement, column);
    case Qt::EditRole:
        switch (column) {
        case From: return text(FormatTradeDate(agreement.from));
        case To: return text(FormatTradeDate(agreement.to));
        case Rate: return exact(agreement.terms.ratePerMille);
        case Minimum: return yuan(agreement.terms.minimum);
        default: return {};
        }
    case Qt::CheckStateRole:
        if (column == LeviesOnTop)
            return agreement.terms.leviesOnTop ? Qt::Checked : Qt::Unchecked;
        if (column == TransferSeparate)
            return agreement.transferSeparate ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ToolTipRole: return toolTip(index.row());
    case Qt::FontRole: {
        const TermSource sources[] = {TermSource::Default, TermSource::Default, TermSource::Default, agreement.rateSource,
                                      agreement.minimumSource, agreement.leviesSource, agreement.transferSource};
        QFont font;
        font.setBold(column > Scope && column < OtherFees && sources[column] == TermSource::User);
        return font;
    }
    default: return {};
    }
}

bool AgreementModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || !audit())
        return false;
    const int column = index.column();
    if (role == Qt::CheckStateRole && (column == LeviesOnTop || column == TransferSeparate)) {
        BillingOverride billing;
        const bool checked = value.value<Qt::CheckState>() == Qt::Checked;
        (column == LeviesOnTop ? billing.leviesOnTop : billing.transferSeparate) = checked;
        Q_EMIT billingEdited(agreementAt(index.row()).group, billing);
        return true;
    }
    if (role != Qt::EditRole)
        return false;
    if (column == Rate || column == Minimum)
        return editTerm(index, value);
    return (column == From || column == To) && editDay(index, value);
}

bool AgreementModel::editTerm(const QModelIndex &index, const QVariant &value)
{
    const bool rate = index.column() == Rate;
    const std::optional<Decimal> typed = rate ? typedRatePerMille(value.toString()) : typedAmount(value.toString());
    if (!typed) {
        Q_EMIT termRejected(rate ? AuditTexts::badRate() : AuditTexts::badMinimum());
        return false;
    }
    const auto line = static_cast<std::size_t>(index.row());
    Q_EMIT termsEdited(line, rate ? typed : std::nullopt, rate ? std::nullopt : typed);
    return true;
}

bool AgreementModel::editDay(const QModelIndex &index, const QVariant &value)
{
    const std::optional<TradeDate> day = ParseTradeDate(value.toString().trimmed().toStdString());
    if (!day) {
        Q_EMIT termRejected(AuditTexts::badDay());
        return false;
    }
    const auto line = static_cast<std::size_t>(index.row());
    if (index.column() == From)
        Q_EMIT startEdited(line, *day);
    else
        Q_EMIT endEdited(line, *day);
    return true;
}

// --- YearsModel ----------------------------------------------------------------

YearsModel::YearsModel(QObject *parent) : AuditTableModel(&AuditTexts::yearHeaders, parent) {}

int YearsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !audit() ? 0 : static_cast<int>(audit()->years.size());
}

QVariant YearsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !audit())
        return {};
    if (role == Qt::TextAlignmentRole)
        return rightAligned();
    if (role != Qt::DisplayRole)
        return {};
    const YearTotals &year = audit()->years[static_cast<std::size_t>(index.row())];
    const std::optional<std::string> cell =
        YearCell(year, static_cast<statement::YearColumn>(index.column()), localeSeparator());
    return cell ? text(*cell) : QString();
}

// --- TradesModel ---------------------------------------------------------------

TradesModel::TradesModel(QObject *parent) : AuditTableModel(&AuditTexts::tradeHeaders, parent) {}

int TradesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

const TradeCheck &TradesModel::tradeAt(int row) const { return audit()->trades[m_shown[static_cast<std::size_t>(row)]]; }

std::uint32_t TradesModel::statementRow(int row) const { return tradeAt(row).row; }

TradesModel::Status TradesModel::statusOf(const TradeCheck &trade) const
{
    if (!trade.audited())
        return NotAudited;
    return audit()->orders[static_cast<std::size_t>(trade.order)].differing ? Differs : Agrees;
}

namespace {

// The fee item a column shows, charged or due; -1 for another column.
int feeItemOf(int column, bool &due)
{
    if (column < TradesModel::Commission || column > TradesModel::Other)
        return -1;
    const int offset = column - TradesModel::Commission;
    due = column != TradesModel::Other && offset % 2 == 1;
    return column == TradesModel::Other ? static_cast<int>(FeePart::Other) : offset / 2;
}

} // namespace

QVariant TradesModel::display(const TradeCheck &trade, int column) const
{
    const Row &row = statement()->rows[trade.row];
    const OrderCheck *order = trade.audited() ? &audit()->orders[static_cast<std::size_t>(trade.order)] : nullptr;
    bool due = false;
    if (const int item = feeItemOf(column, due); item >= 0) {
        if (due)
            return order && order->firstRow == trade.row ? yuan(order->expected[static_cast<std::size_t>(item)]) : QString();
        const OtherFeesHold hold = order ? audit()->agreements[order->agreement].otherFees : OtherFeesHold::OtherCharges;
        return yuan(ChargedItems(row, hold)[static_cast<std::size_t>(item)]);
    }
    switch (column) {
    case Line: return row.line();
    case Date: return text(FormatTradeDate(row.date()));
    case Code: return text(row.code());
    case Name: return text(row.name());
    case Side: return row.kind() == RowKind::Buy ? AuditTexts::buy() : AuditTexts::sell();
    case Group: return order ? translated(ScopeText(audit()->agreements[order->agreement])) : QString();
    case Quantity: return row.quantity() ? exact(*row.quantity()) : QString();
    case Amount: return row.amount() ? yuan(*row.amount()) : QString();
    case Result: return translated(TradeResult(*statement(), *audit(), trade));
    default: return {};
    }
}

QVariant TradesModel::background(const TradeCheck &trade, int column) const
{
    const Status status = statusOf(trade);
    if (status == NotAudited)
        return kNotAuditedRow;
    if (status == Agrees)
        return {};
    const OrderCheck &order = audit()->orders[static_cast<std::size_t>(trade.order)];
    bool due = false;
    const int item = feeItemOf(column, due);
    const bool cellDiffers = item >= 0 && order.firstRow == trade.row && order.differs(static_cast<FeePart>(item));
    return cellDiffers ? kDifferingCell : kDifferingRow;
}

QVariant TradesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !audit())
        return {};
    const TradeCheck &trade = tradeAt(index.row());
    switch (role) {
    case Qt::DisplayRole: return display(trade, index.column());
    case Qt::BackgroundRole: return background(trade, index.column());
    case Qt::ToolTipRole: return translated(TradeResult(*statement(), *audit(), trade));
    case Qt::TextAlignmentRole: {
        bool due = false;
        const bool number = index.column() == Line || index.column() == Quantity || index.column() == Amount
                            || feeItemOf(index.column(), due) >= 0;
        return number ? rightAligned() : QVariant();
    }
    case kStatusRole: return statusOf(trade);
    default: return {};
    }
}

void TradesModel::refill() { arrange(); }

void TradesModel::setDifferingOnly(bool only)
{
    beginResetModel();
    m_differingOnly = only;
    arrange();
    endResetModel();
}

// The rows move, the selection and the scroll position stay: each
// persistent index follows its trade to its new row.
void TradesModel::sort(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_sortOrder = order;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList held = persistentIndexList();
    std::vector<std::uint32_t> heldTrades;
    for (const QModelIndex &index : held)
        heldTrades.push_back(m_shown[static_cast<std::size_t>(index.row())]);
    arrange();
    std::vector<int> rowOfTrade(audit() ? audit()->trades.size() : 0);
    for (std::size_t row = 0; row < m_shown.size(); ++row)
        rowOfTrade[m_shown[row]] = static_cast<int>(row);
    QModelIndexList moved;
    for (qsizetype i = 0; i < held.size(); ++i)
        moved << index(rowOfTrade[heldTrades[static_cast<std::size_t>(i)]], held[i].column());
    changePersistentIndexList(held, moved);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

namespace {

// What a row is sorted by in a column: a number, else its text.
struct SortKey {
    std::int64_t number = kNone;
    std::string_view text;
    bool operator<(const SortKey &other) const
    {
        return number != other.number ? number < other.number : text < other.text;
    }
};

SortKey sortKey(const Statement &statement, const Audit &audit, const TradeCheck &trade, int column)
{
    const Row &row = statement.rows[trade.row];
    const OrderCheck *order = trade.audited() ? &audit.orders[static_cast<std::size_t>(trade.order)] : nullptr;
    bool due = false;
    if (const int item = feeItemOf(column, due); item >= 0) {
        if (due)
            return {order && order->firstRow == trade.row ? order->expected[static_cast<std::size_t>(item)] : kNone, {}};
        const OtherFeesHold hold = order ? audit.agreements[order->agreement].otherFees : OtherFeesHold::OtherCharges;
        const auto charged = ChargedItems(row, hold);
        return {charged[static_cast<std::size_t>(item)].value_or(kNone), {}};
    }
    const TradeDate date = row.date();
    switch (column) {
    case TradesModel::Date: return {date.year * 10000 + date.month * 100 + date.day, {}};
    case TradesModel::Code: return {0, row.code()};
    case TradesModel::Name: return {0, row.name()};
    case TradesModel::Side: return {static_cast<std::int64_t>(row.kind()), {}};
    case TradesModel::Group: return {order ? static_cast<std::int64_t>(order->group) : -1, {}};
    case TradesModel::Quantity: return {row.cents(NumberField::Quantity).value_or(kNone), {}};
    case TradesModel::Amount: return {row.cents(NumberField::Amount).value_or(kNone), {}};
    case TradesModel::Result: return {!order ? 2 : order->differing ? 1 : 0, {}};
    default: return {row.line(), {}};
    }
}

} // namespace

// The rows shown: all, or those whose order differs; in the order asked
// for, ties in file order.
void TradesModel::arrange()
{
    m_shown.clear();
    if (!audit())
        return;
    const std::vector<TradeCheck> &trades = audit()->trades;
    for (std::uint32_t i = 0; i < trades.size(); ++i)
        if (!m_differingOnly || statusOf(trades[i]) == Differs)
            m_shown.push_back(i);
    if (m_sortColumn < 0)
        return;
    std::vector<SortKey> keys(trades.size());
    for (const std::uint32_t i : m_shown)
        keys[i] = sortKey(*statement(), *audit(), trades[i], m_sortColumn);
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    std::stable_sort(m_shown.begin(), m_shown.end(), [&keys, descending](std::uint32_t a, std::uint32_t b) {
        return descending ? keys[b] < keys[a] : keys[a] < keys[b];
    });
}

// --- OtherRowsModel --------------------------------------------------------------

OtherRowsModel::OtherRowsModel(QObject *parent) : AuditTableModel(&AuditTexts::otherHeaders, parent) {}

void OtherRowsModel::refill()
{
    m_other.clear();
    if (!statement())
        return;
    for (std::uint32_t i = 0; i < statement()->rows.size(); ++i)
        if (!statement()->rows[i].isTrade())
            m_other.push_back(i);
}

int OtherRowsModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !statement())
        return 0;
    return static_cast<int>(m_other.size() + statement()->unreadable.size());
}

QVariant OtherRowsModel::data(const QModelIndex &index, int role) const
{
    if (index.isValid() && role == Qt::TextAlignmentRole && (index.column() == Line || index.column() == Cash))
        return rightAligned();
    if (!index.isValid() || !statement() || role != Qt::DisplayRole)
        return {};
    const auto at = static_cast<std::size_t>(index.row());
    if (at >= m_other.size()) {
        const UnreadableRow &row = statement()->unreadable[at - m_other.size()];
        switch (index.column()) {
        case Line: return row.line;
        case Kind: return AuditTexts::unreadableRow();
        case Business: return translated(RowProblemText(row));
        default: return {};
        }
    }
    const Row &row = statement()->rows[m_other[at]];
    switch (index.column()) {
    case Line: return row.line();
    case Kind: return AuditTexts::otherBusiness();
    case Date: return text(FormatTradeDate(row.date()));
    case Business: return text(row.operation());
    case Code: return text(row.code());
    case Name: return text(row.name());
    case Cash: return row.cash() ? yuan(*row.cash()) : QString();
    default: return {};
    }
}

} // namespace tallyfin
