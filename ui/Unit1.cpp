#include "Unit1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>

#include "appearance.h"
#include "batch.h"
#include "handler.h"
#include "links.h"
#include "platform.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "Unit5.h"
#include "Unit6.h"
#include "Unit8.h"

namespace tallyfin {

TForm1 *Form1 = nullptr;

namespace {


std::string decimalSeparator() { return platform().decimalSeparator().toStdString(); }

void openLink(Link link) { platform().openWebPage(linkAddress(link)); }

} // namespace

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    // The font first: the widgets are then laid out once, in it.
    setFont(windowFont());
    setupUi(this);
    // The client area below the menu bar has a fixed size.
    clientArea->setFixedSize(809, 395);
    makeFixedSizeWindow(this);
    centreOnScreen(this);
    connectHandlers();
}

void TForm1::connectHandlers()
{
    connectHandler(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connectHandler(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connectHandler(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connectHandler(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connectHandler(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connectHandler(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connectHandler(Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
    connectHandler(Button8, &QPushButton::clicked, this, &TForm1::Button8Click);
    connectHandler(btn1, &QPushButton::clicked, this, &TForm1::btn1Click);
    connectHandler(CheckBox2, &QCheckBox::toggled, this, &TForm1::CheckBox2Click);
    connectMenu();
}

void TForm1::connectMenu()
{
    // The menu repeats the window's buttons through the very same handlers.
    connectHandler(X1, &QAction::triggered, this, &TForm1::Button3Click);
    connectHandler(N1, &QAction::triggered, this, &TForm1::Button7Click);
    connectHandler(N2, &QAction::triggered, this, &TForm1::Button8Click);
    connectHandler(N10, &QAction::triggered, this, &TForm1::btn1Click);
    connectHandler(A2, &QAction::triggered, this, &TForm1::Button6Click);
    connectHandler(N3, &QAction::triggered, this, &TForm1::N3Click);
    connectHandler(N5, &QAction::triggered, this, &TForm1::N5Click);
    connectHandler(N6, &QAction::triggered, this, &TForm1::N6Click);
    connectHandler(N7, &QAction::triggered, this, &TForm1::N7Click);
    connectHandler(N8, &QAction::triggered, this, &TForm1::N8Click);
    connectHandler(N9, &QAction::triggered, this, &TForm1::N9Click);
}

std::array<TForm1::FieldBinding, 20> TForm1::tradeFieldBindings() const
{
    return {{{jg, &TradeFields::jg},         {sl, &TradeFields::sl},         {Edit2, &TradeFields::Edit2},
             {Edit3, &TradeFields::Edit3},   {Edit4, &TradeFields::Edit4},   {Edit5, &TradeFields::Edit5},
             {Edit6, &TradeFields::Edit6},   {Edit7, &TradeFields::Edit7},   {Edit8, &TradeFields::Edit8},
             {Edit9, &TradeFields::Edit9},   {Edit10, &TradeFields::Edit10}, {Edit11, &TradeFields::Edit11},
             {Edit12, &TradeFields::Edit12}, {Edit13, &TradeFields::Edit13}, {Edit14, &TradeFields::Edit14},
             {Edit15, &TradeFields::Edit15}, {Edit16, &TradeFields::Edit16}, {Edit17, &TradeFields::Edit17},
             {Edit18, &TradeFields::Edit18}, {Edit19, &TradeFields::Edit19}}};
}

TradeFields TForm1::readTradeFields() const
{
    TradeFields fields;
    fields.zjs = zjs->currentText().toStdString();
    // The rate typed into the commission box counts as much as a chosen one.
    fields.ComboBox1 = ComboBox1->currentText().toStdString();
    fields.ComboBox2 = ComboBox2->currentText().toStdString();
    fields.CheckBox1 = CheckBox1->isChecked();
    for (const auto &[widget, text] : tradeFieldBindings())
        fields.*text = widget->text().toStdString();
    fields.Edit18Color = m_edit18Color;
    fields.Edit19Color = m_edit19Color;
    return fields;
}

void TForm1::writeTradeFields(const TradeFields &fields)
{
    for (const auto &[widget, text] : tradeFieldBindings())
        showText(widget, fields.*text);
    if (fields.Edit18Color != m_edit18Color)
        setFieldColor(Edit18, m_edit18Color = fields.Edit18Color);
    if (fields.Edit19Color != m_edit19Color)
        setFieldColor(Edit19, m_edit19Color = fields.Edit19Color);
}

void TForm1::Button1Click()
{
    TradeFields fields = readTradeFields();
    TradeOutcome outcome;
    try {
        outcome = CalculateTrade(fields, decimalSeparator());
    } catch (const Error &) {
        // The fields written before the failing step stay written.
        writeTradeFields(fields);
        throw;
    }
    writeTradeFields(fields);
    if (outcome == TradeOutcome::SellQuantityMissing)
        platform().showValidationBox(this, QString::fromUtf8(kSellQuantityMissing.data(),
                                                             static_cast<qsizetype>(kSellQuantityMissing.size())));
}

void TForm1::Button2Click()
{
    TradeFields fields = readTradeFields();
    ClearTrade(fields);
    writeTradeFields(fields);
    Label24->setText(QStringLiteral("买入价格"));
    Label25->setText(QStringLiteral("买入数量"));
    Label44->setText(QStringLiteral("卖出价格"));
    Label45->setText(QStringLiteral("卖出数量"));
}

void TForm1::Button3Click() { close(); }

void TForm1::Button4Click() { Form3->showBeside(this); }

void TForm1::Button5Click() { Form4->showBeside(this); }

void TForm1::Button6Click() { showInFront(Form5); }

void TForm1::Button7Click()
{
    hide();
    showInFront(Form2);
}

void TForm1::Button8Click()
{
    hide();
    showInFront(Form6);
}

// The overlay covers the screen above this window, which stays open beneath.
void TForm1::btn1Click() { Form8->startCapture(); }

void TForm1::N3Click() { openLink(Link::Blog); }

void TForm1::N5Click() { openLink(Link::ShanghaiExchange); }

void TForm1::N6Click() { openLink(Link::ShenzhenExchange); }

void TForm1::N7Click() { openLink(Link::Ndrc); }

void TForm1::N8Click() { openLink(Link::Csrc); }

void TForm1::N9Click() { openLink(Link::StockSites); }

void TForm1::CheckBox2Click() { platform().setAlwaysOnTop(this, CheckBox2->isChecked()); }

void TForm1::writeBatchResult(TradeSide side, const BatchReduction &reduction)
{
    const bool buy = side == TradeSide::Buy;
    showText(buy ? jg : Edit2, reduction.price);
    showText(buy ? sl : Edit3, reduction.quantity);
    if (!reduction.relabel)
        return;
    (buy ? Label24 : Label44)->setText(buy ? QStringLiteral("买入均价") : QStringLiteral("卖出均价"));
    (buy ? Label25 : Label45)->setText(buy ? QStringLiteral("持股总数") : QStringLiteral("卖出总数"));
}

void TForm1::keyPressEvent(QKeyEvent *event)
{
    // Enter anywhere in the window presses the default button "计算".
    if (pressButtonOnEnter(event, focusWidget(), Button1))
        return;
    QMainWindow::keyPressEvent(event);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, whatever else is open.
    event->accept();
    QCoreApplication::quit();
}

} // namespace tallyfin
