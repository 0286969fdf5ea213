#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include "statement.h"
#include "translatedtext.h"
#include "yearcolumns.h"

// Every text the statement audit window makes up itself, in Simplified
// Chinese and through translation (context StatementAuditWindow, as its
// form's texts). The reader's and the audit's own messages
// (statement/messages.h) come as texts in parts and are translated too.
namespace tallyfin {

class AuditTexts {
    Q_DECLARE_TR_FUNCTIONS(StatementAuditWindow)

public:
    static QString dropHint() { return tr("把交割单拖到此窗口，或点“打开文件…”"); }
    static QString fileFilter() { return tr("交割单 (*.xls *.xlsx *.csv *.txt);;所有文件 (*)"); }
    static QString reportFilter() { return tr("CSV 文件 (*.csv)"); }
    static QString reading(const QString &file) { return tr("正在读取 %1 …").arg(file); }
    static QString auditing() { return tr("正在重新核对…"); }
    static QString summary(const QString &format, int trades, int other, int unreadable, int notAudited, int findings)
    {
        return tr("%1；成交 %2 笔，其他 %3 行，无法读取 %4 行，未核对 %5 笔；出入 %6 处")
            .arg(format).arg(trades).arg(other).arg(unreadable).arg(notAudited).arg(findings);
    }
    static QString headerLine(int line) { return tr("表头在第 %1 行").arg(line); }
    static QString formatAndHeader(const QString &format, const QString &header)
    {
        return tr("%1，%2").arg(format, header);
    }
    static QString fileKind(statement::FileKind kind)
    {
        switch (kind) {
        case statement::FileKind::Xls: return tr("Excel 97-2003 表格");
        case statement::FileKind::Xlsx: return tr("Excel 表格");
        case statement::FileKind::Text: break;
        }
        return tr("文本");
    }
    static QString cannotRead(const QString &reason) { return tr("无法读取交割单：%1").arg(reason); }
    static QString cannotAudit(const QString &reason) { return tr("核对未能完成：%1").arg(reason); }
    static QString reportNotWritten(const QString &reason) { return tr("报告未能保存：%1").arg(reason); }
    static QString reportWouldReplaceStatement() { return tr("报告不能保存到交割单文件本身，请另选文件名。"); }
    static QString badRate() { return tr("佣金费率须为 0 到 3 之间的数（‰）"); }
    static QString badMinimum() { return tr("最低佣金须为不小于 0 的金额（元）"); }
    static QString badDay() { return tr("日期须写成 YYYY-MM-DD，如 2025-02-26"); }
    static QString badSpan() { return tr("时段不能为空，也不能盖过同一品种的相邻时段"); }
    static QString cannotSplit() { return tr("这一时段的委托都在同一天，无法拆分"); }
    static QString cannotMerge() { return tr("这是该品种的最后一个时段，没有可以合并的下一时段"); }
    static QString noMinimum() { return tr("无"); }
    static QString rateRange(const QString &low, const QString &high)
    {
        return tr("%1‰ 到 %2‰ 之间的费率都能同样解释这些委托").arg(low, high);
    }

    static QStringList agreementHeaders()
    {
        return {tr("品种"),     tr("起"),         tr("止"),       tr("佣金(‰)"), tr("最低佣金(元)"),
                tr("规费另计"), tr("过户费单列"), tr("其他费用"), tr("佣金相符")};
    }
    static QString termTally(int rateExplained, int rateOf, int minimumExplained, int minimumOf)
    {
        return tr("费率解释了高于最低佣金的 %1/%2 笔委托；最低佣金解释了 %3/%4 笔小额委托")
            .arg(rateExplained).arg(rateOf).arg(minimumExplained).arg(minimumOf);
    }
    static QString rateBound() { return tr("没有高于最低佣金的委托，费率只能确定上限"); }
    static QString setByUser() { return tr("（已手动设定）"); }

    static QStringList yearHeaders()
    {
        QStringList headings;
        for (std::size_t column = 0; column < statement::kYearColumnCount; ++column)
            headings << translated("Statement", statement::YearHeading(static_cast<statement::YearColumn>(column)));
        return headings;
    }
    static QStringList tradeHeaders()
    {
        return {tr("行号"),   tr("日期"),       tr("代码"),   tr("名称"),       tr("买卖"),   tr("品种"),
                tr("数量"),   tr("成交金额"),   tr("佣金"),   tr("应收佣金"),   tr("印花税"), tr("应收印花税"),
                tr("过户费"), tr("应收过户费"), tr("规费"),   tr("应收规费"),   tr("其他费用"), tr("核对结果")};
    }
    static QStringList otherHeaders() { return {tr("行号"), tr("类别"), tr("日期"), tr("业务或原因"), tr("代码"), tr("名称"), tr("发生金额")}; }
    static QString buy() { return tr("买入"); }
    static QString sell() { return tr("卖出"); }
    static QString otherBusiness() { return tr("其他业务"); }
    static QString unreadableRow() { return tr("无法读取"); }

    static QStringList feeItems() { return {tr("佣金"), tr("印花税"), tr("过户费"), tr("规费"), tr("其他费用")}; }
    static QString chartTitle() { return tr("每月费用（元）"); }
    static QString positionsTab() { return tr("持仓"); }
    static QString dividendTaxTab() { return tr("红利税"); }

    // The account: its statements, the store, the files given.
    static QStringList statementHeaders() { return {tr("编号"), tr("文件"), tr("起"), tr("止"), tr("新增行"), tr("已有行")}; }
    static QString storeUnavailable(const QString &reason)
    {
        return tr("账户库无法使用，打开的对账单只核对、不保存：%1").arg(reason);
    }
    static QString fileAndReason(const QString &file, const QString &reason) { return tr("%1：%2").arg(file, reason); }
    static QString severalFiles(const QString &first, int count) { return tr("%1 等 %2 个文件").arg(first).arg(count); }
    static QString statementCount(int statements) { return tr("%1 份对账单").arg(statements); }
    static QString unstoredAccount() { return tr("（未保存）"); }
    static QString noStatementChosen() { return tr("请先在列表中选中要移除的对账单"); }
    static QString removing(const QString &file) { return tr("正在移除 %1 …").arg(file); }
    static QString noGaps() { return tr("各证券的股份余额前后衔接，没有发现缺失的对账单"); }
    static QString cashNote(const QString &note) { return tr("（仅供参考）%1").arg(note); }
    static QString accountChoice(const QString &name, int statements)
    {
        return tr("%1（%2 份对账单）").arg(name).arg(statements);
    }

    // The 红利税 tab.
    static QStringList taxHeaders()
    {
        return {tr("对账单"), tr("行号"), tr("日期"), tr("代码"), tr("股数"), tr("实收"), tr("应收"), tr("核对")};
    }
    static QStringList lotHeaders()
    {
        return {tr("买入日期"), tr("卖出日期"), tr("持有期"), tr("股数"), tr("每股股息"), tr("税率(%)"), tr("税额")};
    }
    static QString lotsCaption() { return tr("所选补缴行的批次（先进先出）"); }
    static QString missingCaption() { return tr("应补缴而无记录的卖出，及不持股时入账的股息"); }
    static QString heldBefore() { return tr("期初持有"); }
    static QString unknown() { return tr("未知"); }
    static QString unheldDividend(const QString &date, const QString &code, const QString &cash)
    {
        return tr("%1 %2：不持股时入账的股息 %3 元，无法确定其股数").arg(date, code, cash);
    }
};

} // namespace tallyfin
