#include <cstring>

#include "accountstore.h"

namespace tallyfin::store {

namespace {

std::string englishSystemError(const StoreError &error)
{
    return error.systemError ? std::strerror(error.systemError) : error.detail;
}

} // namespace

std::string EnglishText(const StoreError &error)
{
    const std::string &store = error.path;
    const std::string leftAlone = "; it is left as it is";
    switch (error.problem) {
    case StoreProblem::CannotCreate:
        return "cannot make the account store " + store + ": " + englishSystemError(error);
    case StoreProblem::CannotOpen:
        return "cannot open the account store " + store + ": " + englishSystemError(error);
    case StoreProblem::NotADatabase:
        return store + " is not an account store (not a database)" + leftAlone;
    case StoreProblem::Foreign:
        return store + " is a database of another program, not Tallyfin's account store" + leftAlone;
    case StoreProblem::Damaged:
        return "the account store " + store + " is damaged (" + error.detail + ")" + leftAlone;
    case StoreProblem::Newer:
        return store + " was written by a newer Tallyfin (store version " + std::to_string(error.version) +
               "; this one knows up to " + std::to_string(kSchemaVersion) + ")" + leftAlone;
    case StoreProblem::Busy:
        return "another Tallyfin kept the account store " + store + " busy for more than " +
               std::to_string(kBusyWaitMilliseconds / 1000) + " s; nothing was changed";
    case StoreProblem::Failed:
        return "the account store " + store + " failed: " + error.detail + "; nothing was changed";
    case StoreProblem::NoAccount:
        return "the account store holds no account yet: add a statement first (tallyfin-cli account add FILE)";
    case StoreProblem::UnknownAccount:
        return "no account is named '" + error.detail + "'";
    case StoreProblem::ChooseAccount:
        return "the account store holds several accounts (" + error.detail + "): choose one with --account";
    case StoreProblem::SpansAccounts:
        return "the rows name accounts of several stored accounts (" + error.detail + "); nothing was added";
    case StoreProblem::OtherAccount:
        return "the rows name an account kept as '" + error.detail + "'; add it there or leave out --account";
    case StoreProblem::UnknownStatement:
        return "no statement has the number " + std::to_string(error.version);
    }
    return {};
}

Text StoreErrorText(const StoreError &error)
{
    const std::string &store = error.path;
    switch (error.problem) {
    case StoreProblem::CannotCreate:
        return TALLYFIN_TEXT("AccountStore", "无法建立账户库 %1：%2").arg(store).arg(englishSystemError(error));
    case StoreProblem::CannotOpen:
        return TALLYFIN_TEXT("AccountStore", "无法打开账户库 %1：%2").arg(store).arg(englishSystemError(error));
    case StoreProblem::NotADatabase:
        return TALLYFIN_TEXT("AccountStore", "%1 不是账户库（不是数据库），未作任何改动").arg(store);
    case StoreProblem::Foreign:
        return TALLYFIN_TEXT("AccountStore", "%1 是其他程序的数据库，不是本程序的账户库，未作任何改动").arg(store);
    case StoreProblem::Damaged:
        return TALLYFIN_TEXT("AccountStore", "账户库 %1 已损坏（%2），未作任何改动").arg(store).arg(error.detail);
    case StoreProblem::Newer:
        return TALLYFIN_TEXT("AccountStore", "%1 由更新版本的本程序写入（库版本 %2，本版本最高支持 %3），未作任何改动")
            .arg(store)
            .arg(std::to_string(error.version))
            .arg(std::to_string(kSchemaVersion));
    case StoreProblem::Busy:
        return TALLYFIN_TEXT("AccountStore", "另一个本程序占用账户库 %1 超过 %2 秒，未作任何改动")
            .arg(store)
            .arg(std::to_string(kBusyWaitMilliseconds / 1000));
    case StoreProblem::Failed:
        return TALLYFIN_TEXT("AccountStore", "账户库 %1 出错：%2，未作任何改动").arg(store).arg(error.detail);
    case StoreProblem::NoAccount:
        return TALLYFIN_TEXT("AccountStore", "账户库中还没有账户，请先添加对账单");
    case StoreProblem::UnknownAccount:
        return TALLYFIN_TEXT("AccountStore", "没有名为“%1”的账户").arg(error.detail);
    case StoreProblem::ChooseAccount:
        return TALLYFIN_TEXT("AccountStore", "账户库中有多个账户（%1），请选择一个").arg(error.detail);
    case StoreProblem::SpansAccounts:
        return TALLYFIN_TEXT("AccountStore", "对账单中的行属于账户库中的多个账户（%1），未添加任何内容").arg(error.detail);
    case StoreProblem::OtherAccount:
        return TALLYFIN_TEXT("AccountStore", "对账单中的账号属于已保存的账户“%1”，请添加到该账户").arg(error.detail);
    case StoreProblem::UnknownStatement:
        return TALLYFIN_TEXT("AccountStore", "没有编号为 %1 的对账单").arg(std::to_string(error.version));
    }
    return Text::Plain({});
}

} // namespace tallyfin::store
