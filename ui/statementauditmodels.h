#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

#include "audit.h"

// The tables of the statement audit window, each a model over the
// statement and its audit (shared, never copied): the agreement (editable),
// the years, every trade, the other and unreadable rows.
namespace tallyfin {

// A term typed into the window, read with "." or the locale's separator: an
// amount of at least 0, a commission rate in ‰ from 0 to
// kMaxCommissionPerMille; nullopt for any other text.
//   typedAmount(" 5,00 ") -> 5 (locale ","),  typedRatePerMille("3.01") -> nullopt
std::optional<Decimal> typedAmount(const QString &typed);
std::optional<Decimal> typedRatePerMille(const QString &typed);

// What every table shares: its column captions, and the statement and
// audit it shows (either may be null: an empty table).
class AuditTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // `headers` gives the columns' headings in the language shown.
    AuditTableModel(QStringList (*headers)(), QObject *parent);

    void show(std::shared_ptr<const statement::Statement> statement, std::shared_ptr<const statement::Audit> audit);
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Every text shown again, in the language now installed.
    void retranslate();

protected:
    virtual void refill() {}
    const statement::Statement *statement() const { return m_statement.get(); }
    const statement::Audit *audit() const { return m_audit.get(); }

private:
    QStringList (*m_makeHeaders)();
    QStringList m_headers;
    std::shared_ptr<const statement::Statement> m_statement;
    std::shared_ptr<const statement::Audit> m_audit;
};

// The agreement, a row per line: a group's terms, a class of its securities
// or one security, over one period. The first and last day, the rate and the
// minimum can be typed, the levies and the transfer fee's line ticked; each
// change is handed on for the window to audit again.
class AgreementModel : public AuditTableModel {
    Q_OBJECT

public:
    enum Column { Scope, From, To, Rate, Minimum, LeviesOnTop, TransferSeparate, OtherFees, Explained };

    explicit AgreementModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // A rate or minimum typed for a line (the other one nullopt).
    void termsEdited(std::size_t line, std::optional<Decimal> ratePerMille, std::optional<Decimal> minimum);
    void startEdited(std::size_t line, tallyfin::TradeDate from);
    void endEdited(std::size_t line, tallyfin::TradeDate to);
    void billingEdited(statement::InstrumentGroup group, statement::BillingOverride billing);
    // A typed term that is no rate, amount or day: the message says what is expected.
    void termRejected(const QString &message);

private:
    const statement::Agreement &agreementAt(int row) const { return audit()->agreements[static_cast<std::size_t>(row)]; }
    QVariant display(const statement::Agreement &agreement, int column) const;
    QVariant toolTip(int row) const;
    bool editTerm(const QModelIndex &index, const QVariant &value);
    bool editDay(const QModelIndex &index, const QVariant &value);
};

class YearsModel : public AuditTableModel {
    Q_OBJECT

public:
    explicit YearsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};

// Every trade row with its charges, its order's due fees (on the order's
// first row) and the result; findings are highlighted and explained on
// hover. Sorts and filters itself, so that 100,000 rows stay quick.
class TradesModel : public AuditTableModel {
    Q_OBJECT

public:
    enum Column {
        Line, Date, Code, Name, Side, Group, Quantity, Amount,
        Commission, CommissionDue, StampDuty, StampDutyDue, TransferFee, TransferFeeDue, Levies, LeviesDue, Other,
        Result, kColumnCount
    };
    // A result, for tests and the filter: Agrees, Differs or NotAudited.
    static constexpr int kStatusRole = Qt::UserRole;
    enum Status { Agrees, Differs, NotAudited };

    explicit TradesModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    void setDifferingOnly(bool only);
    // The statement row (index into Statement::rows) shown at `row`.
    std::uint32_t statementRow(int row) const;

protected:
    void refill() override;

private:
    const statement::TradeCheck &tradeAt(int row) const;
    Status statusOf(const statement::TradeCheck &trade) const;
    QVariant display(const statement::TradeCheck &trade, int column) const;
    QVariant background(const statement::TradeCheck &trade, int column) const;
    void arrange();

    std::vector<std::uint32_t> m_shown; // indices into Audit::trades, filtered and sorted
    bool m_differingOnly = false;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

// The rows that are no trades, then those that could not be read.
class OtherRowsModel : public AuditTableModel {
    Q_OBJECT

public:
    enum Column { Line, Kind, Date, Business, Code, Name, Cash };

    explicit OtherRowsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

protected:
    void refill() override;

private:
    std::vector<std::uint32_t> m_other; // indices into Statement::rows
};

} // namespace tallyfin
