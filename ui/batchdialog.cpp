#include "batchdialog.h"

#include "appearance.h"
#include "handler.h"
#include "platform.h"

namespace tallyfin {

namespace {

constexpr const char *kBuyBatches[kBatchRows] = {
    QT_TRANSLATE_NOOP("tallyfin::BatchDialog", "第一批买入"), QT_TRANSLATE_NOOP("tallyfin::BatchDialog", "第二批买入"),
    QT_TRANSLATE_NOOP("tallyfin::BatchDialog", "第三批买入"), QT_TRANSLATE_NOOP("tallyfin::BatchDialog", "第四批买入"),
    QT_TRANSLATE_NOOP("tallyfin::BatchDialog", "第五批买入")};
constexpr const char *kSellBatches[kBatchRows] = {
    QT_TRANSLATE_NOOP("tallyfin::BatchDialog", "第一批卖出"), QT_TRANSLATE_NOOP("tallyfin::BatchDialog", "第二批卖出"),
    QT_TRANSLATE_NOOP("tallyfin::BatchDialog", "第三批卖出"), QT_TRANSLATE_NOOP("tallyfin::BatchDialog", "第四批卖出"),
    QT_TRANSLATE_NOOP("tallyfin::BatchDialog", "第五批卖出")};

} // namespace

BatchDialog::BatchDialog(TradeSide side, QWidget *parent) : QDialog(parent), m_side(side)
{
    setUpForm<Ui::BatchDialog>(*this, this);
    setObjectName(side == TradeSide::Buy ? QStringLiteral("TForm3") : QStringLiteral("TForm4"));
    applyTexts();
    makeFixedSizeWindow(this);
    connectHandler(confirmButton, &QPushButton::clicked, this, &BatchDialog::confirmClicked);
    connectHandler(clearButton, &QPushButton::clicked, this, &BatchDialog::clearClicked);
}

void BatchDialog::applyTexts()
{
    const bool buy = m_side == TradeSide::Buy;
    setWindowTitle(buy ? tr("多批买入") : tr("多批卖出"));
    QGroupBox *const groups[kBatchRows] = {GroupBox1, GroupBox2, GroupBox3, GroupBox4, GroupBox5};
    for (std::size_t row = 0; row < kBatchRows; ++row)
        groups[row]->setTitle(tr(buy ? kBuyBatches[row] : kSellBatches[row]));
    for (QLabel *caption : {Label1, Label5, Label9, Label13, Label17})
        caption->setText(buy ? tr("买入价格") : tr("卖出价格"));
    for (QLabel *caption : {Label3, Label7, Label11, Label15, Label19})
        caption->setText(buy ? tr("买入数量") : tr("卖出数量"));
}

void BatchDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        applyTexts();
        fitFixedSize(this);
    }
    QDialog::changeEvent(event);
}

BatchRows BatchDialog::readRows() const
{
    const QLineEdit *fields[2 * kBatchRows] = {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10};
    BatchRows rows;
    for (std::size_t row = 0; row < kBatchRows; ++row)
        rows[row] = {fields[2 * row]->text().toStdString(), fields[2 * row + 1]->text().toStdString()};
    return rows;
}

void BatchDialog::confirmClicked()
{
    Q_EMIT batchesReduced(m_side, ReduceBatches(readRows(), localeSeparator()));
}

void BatchDialog::clearClicked()
{
    for (QLineEdit *field : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10})
        field->clear();
}

void BatchDialog::showBeside(const QWidget *mainWindow)
{
    // Only a dialog that is not on screen is placed: one the user has moved
    // is just brought forward.
    if (!isVisible())
        moveBeside(this, mainWindow, m_side == TradeSide::Buy ? Side::Left : Side::Right);
    showInFront(this);
}

} // namespace tallyfin
