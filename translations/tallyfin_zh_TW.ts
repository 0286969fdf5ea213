<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>AboutWindow</name>
    <message>
        <source>关于</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>打开 Tallyfin 的介绍页</source>
        <translation>開啟 Tallyfin 的介紹頁</translation>
    </message>
    <message>
        <source>Tallyfin 介绍页</source>
        <translation>Tallyfin 介紹頁</translation>
    </message>
    <message>
        <source>在浏览器中打开随程序附带的介绍页</source>
        <translation>在瀏覽器中開啟隨程式附帶的介紹頁</translation>
    </message>
    <message>
        <source>版本0.1</source>
        <translation>版本0.1</translation>
    </message>
    <message>
        <source>关于我</source>
        <translation>關於我</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
</context>
<context>
    <name>Account</name>
    <message>
        <source>%1：%2 → %3，多出 %4 股；可能缺少这段日期的对账单</source>
        <translation>%1：%2 → %3，多出 %4 股；可能缺少這段日期的對帳單</translation>
    </message>
    <message>
        <source>%1：%2 → %3，少了 %4 股；可能缺少这段日期的对账单</source>
        <translation>%1：%2 → %3，少了 %4 股；可能缺少這段日期的對帳單</translation>
    </message>
    <message>
        <source>资金余额 %1 → %2：比各行多出 %3 元（导出文件未列出的转账？）</source>
        <translation>資金餘額 %1 → %2：比各行多出 %3 元（匯出檔案未列出的轉帳？）</translation>
    </message>
    <message>
        <source>资金余额 %1 → %2：比各行少了 %3 元（导出文件未列出的转账？）</source>
        <translation>資金餘額 %1 → %2：比各行少了 %3 元（匯出檔案未列出的轉帳？）</translation>
    </message>
    <message>
        <source>%1 %2：卖出一年内获得股息的 %3 股，应补缴 %4 元，没有补缴记录</source>
        <translation>%1 %2：賣出一年內獲得股息的 %3 股，應補繳 %4 元，沒有補繳紀錄</translation>
    </message>
</context>
<context>
    <name>AccountStore</name>
    <message>
        <source>无法建立账户库 %1：%2</source>
        <translation>無法建立帳戶庫 %1：%2</translation>
    </message>
    <message>
        <source>无法打开账户库 %1：%2</source>
        <translation>無法開啟帳戶庫 %1：%2</translation>
    </message>
    <message>
        <source>%1 不是账户库（不是数据库），未作任何改动</source>
        <translation>%1 不是帳戶庫（不是資料庫），未作任何變更</translation>
    </message>
    <message>
        <source>%1 是其他程序的数据库，不是本程序的账户库，未作任何改动</source>
        <translation>%1 是其他程式的資料庫，不是本程式的帳戶庫，未作任何變更</translation>
    </message>
    <message>
        <source>账户库 %1 已损坏（%2），未作任何改动</source>
        <translation>帳戶庫 %1 已損壞（%2），未作任何變更</translation>
    </message>
    <message>
        <source>%1 由更新版本的本程序写入（库版本 %2，本版本最高支持 %3），未作任何改动</source>
        <translation>%1 由較新版本的本程式寫入（庫版本 %2，本版本最高支援 %3），未作任何變更</translation>
    </message>
    <message>
        <source>另一个本程序占用账户库 %1 超过 %2 秒，未作任何改动</source>
        <translation>另一個本程式佔用帳戶庫 %1 超過 %2 秒，未作任何變更</translation>
    </message>
    <message>
        <source>账户库 %1 出错：%2，未作任何改动</source>
        <translation>帳戶庫 %1 出錯：%2，未作任何變更</translation>
    </message>
    <message>
        <source>账户库中还没有账户，请先添加对账单</source>
        <translation>帳戶庫中還沒有帳戶，請先加入對帳單</translation>
    </message>
    <message>
        <source>没有名为“%1”的账户</source>
        <translation>沒有名為「%1」的帳戶</translation>
    </message>
    <message>
        <source>账户库中有多个账户（%1），请选择一个</source>
        <translation>帳戶庫中有多個帳戶（%1），請選擇一個</translation>
    </message>
    <message>
        <source>对账单中的行属于账户库中的多个账户（%1），未添加任何内容</source>
        <translation>對帳單中的行屬於帳戶庫中的多個帳戶（%1），未加入任何內容</translation>
    </message>
    <message>
        <source>对账单中的账号属于已保存的账户“%1”，请添加到该账户</source>
        <translation>對帳單中的帳號屬於已儲存的帳戶「%1」，請加入該帳戶</translation>
    </message>
    <message>
        <source>没有编号为 %1 的对账单</source>
        <translation>沒有編號為 %1 的對帳單</translation>
    </message>
</context>
<context>
    <name>BatchDialog</name>
    <message>
        <source>多批买入</source>
        <translation>多批買入</translation>
    </message>
    <message>
        <source>第一批买入</source>
        <translation>第一批買入</translation>
    </message>
    <message>
        <source>买入价格</source>
        <translation>買入價格</translation>
    </message>
    <message>
        <source>元</source>
        <translation>元</translation>
    </message>
    <message>
        <source>买入数量</source>
        <translation>買入數量</translation>
    </message>
    <message>
        <source>股</source>
        <translation>股</translation>
    </message>
    <message>
        <source>第二批买入</source>
        <translation>第二批買入</translation>
    </message>
    <message>
        <source>第三批买入</source>
        <translation>第三批買入</translation>
    </message>
    <message>
        <source>第四批买入</source>
        <translation>第四批買入</translation>
    </message>
    <message>
        <source>第五批买入</source>
        <translation>第五批買入</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>清空</translation>
    </message>
</context>
<context>
    <name>ColorPickerWindow</name>
    <message>
        <source>颜色代码选取器</source>
        <translation>顏色代碼選取器</translation>
    </message>
    <message>
        <source>提示:
点击开始移动鼠标取颜色代码</source>
        <translation>提示:
點擊開始移動滑鼠取顏色代碼</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>開始</translation>
    </message>
</context>
<context>
    <name>FeePage</name>
    <message>
        <source>%1&lt;br&gt;注：%2</source>
        <translation>%1&lt;br&gt;注：%2</translation>
    </message>
</context>
<context>
    <name>FeeRules</name>
    <message>
        <source>成交日期 %1 早于费率表的起始日期 %2</source>
        <translation>成交日期 %1 早於費率表的起始日期 %2</translation>
    </message>
    <message>
        <source>%1 自 %2 起才有交易，成交日期 %3 没有它的费率</source>
        <translation>%1 自 %2 起才有交易，成交日期 %3 沒有它的費率</translation>
    </message>
    <message>
        <source>双向</source>
        <translation>雙向</translation>
    </message>
    <message>
        <source>卖方</source>
        <translation>賣方</translation>
    </message>
    <message>
        <source>%1，最低 %2 元</source>
        <translation>%1，最低 %2 元</translation>
    </message>
    <message>
        <source>免</source>
        <translation>免</translation>
    </message>
    <message>
        <source>面值的 %1‰</source>
        <translation>面值的 %1‰</translation>
    </message>
    <message>
        <source>%1‰</source>
        <translation>%1‰</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1，含在佣金内</source>
        <translation>%1，含在佣金內</translation>
    </message>
    <message>
        <source>%1，另计</source>
        <translation>%1，另計</translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation>（%1）</translation>
    </message>
    <message>
        <source>%1%2</source>
        <translation>%1%2</translation>
    </message>
    <message>
        <source>%1、%2</source>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>%1；%2</source>
        <translation>%1；%2</translation>
    </message>
    <message>
        <source>成交金额的 %1‰</source>
        <translation>成交金額的 %1‰</translation>
    </message>
    <message>
        <source>%1，%2</source>
        <translation>%1，%2</translation>
    </message>
    <message>
        <source>%1，随规费含在佣金内或另计</source>
        <translation>%1，隨規費含在佣金內或另計</translation>
    </message>
    <message>
        <source>%1 起&#x3000;%2&#x3000;%3：%4&#x3000;[%5]
&#x3000;来源：%6</source>
        <translation>%1 起&#x3000;%2&#x3000;%3：%4&#x3000;[%5]
&#x3000;來源：%6</translation>
    </message>
    <message>
        <source>%1
&#x3000;注：%2</source>
        <translation>%1
&#x3000;注：%2</translation>
    </message>
    <message>
        <source>印花税</source>
        <translation>印花稅</translation>
    </message>
    <message>
        <source>过户费</source>
        <translation>過戶費</translation>
    </message>
    <message>
        <source>经手费</source>
        <translation>經手費</translation>
    </message>
    <message>
        <source>证管费</source>
        <translation>證管費</translation>
    </message>
    <message>
        <source>每笔 %1 港元</source>
        <translation>每筆 %1 港元</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>不足 1 港元按 1 港元计</source>
        <translation>不足 1 港元按 1 港元計</translation>
    </message>
    <message>
        <source>最低 %1 港元，最高 %2 港元</source>
        <translation>最低 %1 港元，最高 %2 港元</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>均为双向，按港元计算</source>
        <translation>均為雙向，按港元計算</translation>
    </message>
    <message>
        <source>成交金额的 %1%</source>
        <translation>成交金額的 %1%</translation>
    </message>
    <message>
        <source>交易费</source>
        <translation>交易費</translation>
    </message>
    <message>
        <source>交易系统使用费</source>
        <translation>交易系統使用費</translation>
    </message>
    <message>
        <source>交易征费</source>
        <translation>交易徵費</translation>
    </message>
    <message>
        <source>会财局征费</source>
        <translation>會財局徵費</translation>
    </message>
    <message>
        <source>股份交收费</source>
        <translation>股份交收費</translation>
    </message>
</context>
<context>
    <name>FeeTable</name>
    <message>
        <source>2012-06-01至2015-07-31沪市过户费不确定：按中国结算的官方费率计，许多券商当时收取更多</source>
        <translation>2012-06-01至2015-07-31滬市過戶費不確定：按中國結算的官方費率計，許多券商當時收取更多</translation>
    </message>
    <message>
        <source>财政部 2001-11-16 起由4‰调为2‰（中国证券报 2007-05-30）</source>
        <translation>財政部 2001-11-16 起由4‰調為2‰（中國證券報 2007-05-30）</translation>
    </message>
    <message>
        <source>基金交易免征印花税（券商费率表）</source>
        <translation>基金交易免徵印花稅（券商費率表）</translation>
    </message>
    <message>
        <source>上交所收费表（约2008年）：成交面额的0.1%，起点1元</source>
        <translation>上交所收費表（約2008年）：成交面額的0.1%，起點1元</translation>
    </message>
    <message>
        <source>沪市过户费（面值的1‰，最低1元，面值按1元计）的起始日期未经证实</source>
        <translation>滬市過戶費（面值的1‰，最低1元，面值按1元計）的起始日期未經證實</translation>
    </message>
    <message>
        <source>深交所 2012-04-30 通知：经手费0.1475‰中中国结算收取0.0255‰</source>
        <translation>深交所 2012-04-30 通知：經手費0.1475‰中中國結算收取0.0255‰</translation>
    </message>
    <message>
        <source>深市过户费含在经手费内、不单独列示；起始日期未经证实</source>
        <translation>深市過戶費含在經手費內、不單獨列示；起始日期未經證實</translation>
    </message>
    <message>
        <source>中国结算：ETF免收过户费</source>
        <translation>中國結算：ETF免收過戶費</translation>
    </message>
    <message>
        <source>债券交易免征印花税（券商问答：债券与基金交易均免交）</source>
        <translation>債券交易免徵印花稅（券商問答：債券與基金交易均免交）</translation>
    </message>
    <message>
        <source>可转债交易只收佣金与经手费（券商问答）</source>
        <translation>可轉債交易只收佣金與經手費（券商問答）</translation>
    </message>
    <message>
        <source>未找到上交所可转债经手费的来源</source>
        <translation>未找到上交所可轉債經手費的來源</translation>
    </message>
    <message>
        <source>沪市可转债经手费未找到来源，按深市的0.04‰计</source>
        <translation>滬市可轉債經手費未找到來源，按深市的0.04‰計</translation>
    </message>
    <message>
        <source>深交所《关于可转换公司债券收费标准的通知》（2022-07-29，现行标准）</source>
        <translation>深交所《關於可轉換公司債券收費標準的通知》（2022-07-29，現行標準）</translation>
    </message>
    <message>
        <source>深市可转债经手费0.04‰在2022-07-29之前的适用未经证实</source>
        <translation>深市可轉債經手費0.04‰在2022-07-29之前的適用未經證實</translation>
    </message>
    <message>
        <source>发改价格〔2012〕2119号之前无来源</source>
        <translation>發改價格〔2012〕2119號之前無來源</translation>
    </message>
    <message>
        <source>2012年之前债券的证管费未经证实（按免收计）</source>
        <translation>2012年之前債券的證管費未經證實（按免收計）</translation>
    </message>
    <message>
        <source>上证财字〔2003〕2号（原0.105‰）</source>
        <translation>上證財字〔2003〕2號（原0.105‰）</translation>
    </message>
    <message>
        <source>沪市经手费0.105‰的起始日期未经证实</source>
        <translation>滬市經手費0.105‰的起始日期未經證實</translation>
    </message>
    <message>
        <source>深交所 2012-04-30 通知（本所收取0.122‰）</source>
        <translation>深交所 2012-04-30 通知（本所收取0.122‰）</translation>
    </message>
    <message>
        <source>深市经手费0.122‰的起始日期未经证实</source>
        <translation>深市經手費0.122‰的起始日期未經證實</translation>
    </message>
    <message>
        <source>上证财字〔2003〕2号（基金原0.085‰）</source>
        <translation>上證財字〔2003〕2號（基金原0.085‰）</translation>
    </message>
    <message>
        <source>沪市基金经手费0.085‰的起始日期未经证实</source>
        <translation>滬市基金經手費0.085‰的起始日期未經證實</translation>
    </message>
    <message>
        <source>深证上〔2021〕655号（由0.0487‰下调）</source>
        <translation>深證上〔2021〕655號（由0.0487‰下調）</translation>
    </message>
    <message>
        <source>深市基金经手费0.0487‰在2015-08-01之前的适用未经证实</source>
        <translation>深市基金經手費0.0487‰在2015-08-01之前的適用未經證實</translation>
    </message>
    <message>
        <source>基金经手费0.085‰的起始日期未经证实；沪深基金经手费不同时按沪市计</source>
        <translation>基金經手費0.085‰的起始日期未經證實；滬深基金經手費不同時按滬市計</translation>
    </message>
    <message>
        <source>上证财字〔2003〕2号（证管费原0.045‰）</source>
        <translation>上證財字〔2003〕2號（證管費原0.045‰）</translation>
    </message>
    <message>
        <source>证管费0.045‰的起始日期未经证实，深市按沪市计</source>
        <translation>證管費0.045‰的起始日期未經證實，深市按滬市計</translation>
    </message>
    <message>
        <source>上证财字〔2003〕2号（基金原不收证管费）</source>
        <translation>上證財字〔2003〕2號（基金原不收證管費）</translation>
    </message>
    <message>
        <source>上证财字〔2003〕2号</source>
        <translation>上證財字〔2003〕2號</translation>
    </message>
    <message>
        <source>2003年经手费调整的生效日期未经证实（按通知日期计）</source>
        <translation>2003年經手費調整的生效日期未經證實（按通知日期計）</translation>
    </message>
    <message>
        <source>2003年经手费调整的生效日期未经证实（按通知日期计）；沪深基金经手费不同时按沪市计</source>
        <translation>2003年經手費調整的生效日期未經證實（按通知日期計）；滬深基金經手費不同時按滬市計</translation>
    </message>
    <message>
        <source>2003年证管费调整的生效日期未经证实（按通知日期计）</source>
        <translation>2003年證管費調整的生效日期未經證實（按通知日期計）</translation>
    </message>
    <message>
        <source>财政部 国家税务总局《关于调整证券(股票)交易印花税税率的通知》</source>
        <translation>財政部 國家稅務總局《關於調整證券(股票)交易印花稅稅率的通知》</translation>
    </message>
    <message>
        <source>财税〔2007〕84号</source>
        <translation>財稅〔2007〕84號</translation>
    </message>
    <message>
        <source>新浪财经 2008-04-23</source>
        <translation>新浪財經 2008-04-23</translation>
    </message>
    <message>
        <source>财税明电〔2008〕2号：只对出让方征收</source>
        <translation>財稅明電〔2008〕2號：只對出讓方徵收</translation>
    </message>
    <message>
        <source>发改价格〔2012〕2119号</source>
        <translation>發改價格〔2012〕2119號</translation>
    </message>
    <message>
        <source>证管费0.02‰向投资者收取的起始日期未经证实</source>
        <translation>證管費0.02‰向投資者收取的起始日期未經證實</translation>
    </message>
    <message>
        <source>发改价格〔2012〕2119号：对证券投资基金和债券免收</source>
        <translation>發改價格〔2012〕2119號：對證券投資基金和債券免收</translation>
    </message>
    <message>
        <source>中国结算 2012-04-30 通知（他方整理的数据）</source>
        <translation>中國結算 2012-04-30 通知（他方整理的資料）</translation>
    </message>
    <message>
        <source>沪深交易所 2012-04-30 通知</source>
        <translation>滬深交易所 2012-04-30 通知</translation>
    </message>
    <message>
        <source>中国结算 2015 通知：成交面值0.3‰</source>
        <translation>中國結算 2015 通知：成交面值0.3‰</translation>
    </message>
    <message>
        <source>2012-09-01 经手费下调20%</source>
        <translation>2012-09-01 經手費下調20%</translation>
    </message>
    <message>
        <source>中国结算《关于调整A股交易过户费收费标准有关事项的通知》</source>
        <translation>中國結算《關於調整A股交易過戶費收費標準有關事項的通知》</translation>
    </message>
    <message>
        <source>中国结算《关于调整A股交易过户费收费标准有关事项的通知》；交割单上含在佣金内（三家券商的交割单）</source>
        <translation>中國結算《關於調整A股交易過戶費收費標準有關事項的通知》；交割單上含在佣金內（三家券商的交割單）</translation>
    </message>
    <message>
        <source>沪深交易所与中国结算 2015-07 问答</source>
        <translation>滬深交易所與中國結算 2015-07 問答</translation>
    </message>
    <message>
        <source>深证上〔2021〕655号（由0.0487‰下调）；2021年深市ETF交割单</source>
        <translation>深證上〔2021〕655號（由0.0487‰下調）；2021年深市ETF交割單</translation>
    </message>
    <message>
        <source>深证上〔2021〕655号</source>
        <translation>深證上〔2021〕655號</translation>
    </message>
    <message>
        <source>《印花税法》第三条；北交所 2021-11-15 开市</source>
        <translation>《印花稅法》第三條；北交所 2021-11-15 開市</translation>
    </message>
    <message>
        <source>新华网 2022-04-28</source>
        <translation>新華網 2022-04-28</translation>
    </message>
    <message>
        <source>北京日报：北交所经手费</source>
        <translation>北京日報：北交所經手費</translation>
    </message>
    <message>
        <source>无来源，按沪深计</source>
        <translation>無來源，按滬深計</translation>
    </message>
    <message>
        <source>北交所证管费无来源，按沪深的0.02‰计</source>
        <translation>北交所證管費無來源，按滬深的0.02‰計</translation>
    </message>
    <message>
        <source>新华网 2022-04-28：自2022年4月29日起统一下调为0.01‰</source>
        <translation>新華網 2022-04-28：自2022年4月29日起統一下調為0.01‰</translation>
    </message>
    <message>
        <source>《中华人民共和国印花税法》第三条</source>
        <translation>《中華人民共和國印花稅法》第三條</translation>
    </message>
    <message>
        <source>深交所《关于可转换公司债券收费标准的通知》：可转债交易经手费按成交金额的0.04‰双边收取</source>
        <translation>深交所《關於可轉換公司債券收費標準的通知》：可轉債交易經手費按成交金額的0.04‰雙邊收取</translation>
    </message>
    <message>
        <source>北京日报：自2022年12月1日起</source>
        <translation>北京日報：自2022年12月1日起</translation>
    </message>
    <message>
        <source>财政部 税务总局公告2023年第39号：减半征收</source>
        <translation>財政部 稅務總局公告2023年第39號：減半徵收</translation>
    </message>
    <message>
        <source>新华社 2023-08-18：0.00341%</source>
        <translation>新華社 2023-08-18：0.00341%</translation>
    </message>
    <message>
        <source>新华社 2023-08-18：0.0125%</source>
        <translation>新華社 2023-08-18：0.0125%</translation>
    </message>
    <message>
        <source>基金权证按ETF/LOF基金的费率计；权证的费率未经证实</source>
        <translation>基金權證按ETF/LOF基金的費率計；權證的費率未經證實</translation>
    </message>
    <message>
        <source>香港税务局：股票交易印花税按成交金额的0.1%，不足1港元亦作1港元计</source>
        <translation>香港稅務局：股票交易印花稅按成交金額的0.1%，不足1港元亦作1港元計</translation>
    </message>
    <message>
        <source>香港交易所收费表：交易费0.005%</source>
        <translation>香港交易所收費表：交易費0.005%</translation>
    </message>
    <message>
        <source>香港交易所收费表：交易系统使用费每笔0.50港元</source>
        <translation>香港交易所收費表：交易系統使用費每筆0.50港元</translation>
    </message>
    <message>
        <source>香港交易所收费表：证监会交易征费0.0027%（2014-11-01起）</source>
        <translation>香港交易所收費表：證監會交易徵費0.0027%（2014-11-01起）</translation>
    </message>
    <message>
        <source>财汇局交易征费2022-01-01起才收取</source>
        <translation>財匯局交易徵費2022-01-01起才收取</translation>
    </message>
    <message>
        <source>香港交易所结算收费表：股份交收费0.002%，最低2港元，最高100港元</source>
        <translation>香港交易所結算收費表：股份交收費0.002%，最低2港元，最高100港元</translation>
    </message>
    <message>
        <source>香港税务局：2021年财政预算案，2021-08-01起上调为0.13%</source>
        <translation>香港稅務局：2021年財政預算案，2021-08-01起上調為0.13%</translation>
    </message>
    <message>
        <source>香港交易所收费表：财汇局交易征费0.00015%（2022-10-01起称会财局）；券商 2021-12 通知</source>
        <translation>香港交易所收費表：財匯局交易徵費0.00015%（2022-10-01起稱會財局）；券商 2021-12 通知</translation>
    </message>
    <message>
        <source>香港交易所 2022-11-01 公告：2023-01-01起交易费0.00565%</source>
        <translation>香港交易所 2022-11-01 公告：2023-01-01起交易費0.00565%</translation>
    </message>
    <message>
        <source>香港交易所 2022-11-01 公告：2023-01-01起取消交易系统使用费</source>
        <translation>香港交易所 2022-11-01 公告：2023-01-01起取消交易系統使用費</translation>
    </message>
    <message>
        <source>香港税务局：2023-11-17起下调为0.1%</source>
        <translation>香港稅務局：2023-11-17起下調為0.1%</translation>
    </message>
    <message>
        <source>香港交易所 2025 年公告：2025-06-30起股份交收费0.0042%，不设最低和最高收费</source>
        <translation>香港交易所 2025 年公告：2025-06-30起股份交收費0.0042%，不設最低和最高收費</translation>
    </message>
    <message>
        <source>2025-06-30起的股份交收费尚未经真实交割单验证</source>
        <translation>2025-06-30起的股份交收費尚未經真實交割單驗證</translation>
    </message>
</context>
<context>
    <name>Golden</name>
    <message>
        <source>请输入低点数据！</source>
        <translation>請輸入低點資料！</translation>
    </message>
    <message>
        <source>请输入高点数据！</source>
        <translation>請輸入高點資料！</translation>
    </message>
    <message>
        <source>请输入低点和高点数据</source>
        <translation>請輸入低點和高點資料</translation>
    </message>
    <message>
        <source>请输入低点和高点数据！</source>
        <translation>請輸入低點和高點資料！</translation>
    </message>
</context>
<context>
    <name>GoldenSectionWindow</name>
    <message>
        <source>黄金分割计算器</source>
        <translation>黃金分割計算器</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>低点</source>
        <translation>低點</translation>
    </message>
    <message>
        <source>高点</source>
        <translation>高點</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>結果</translation>
    </message>
    <message>
        <source>2倍</source>
        <translation>2倍</translation>
    </message>
    <message>
        <source>2.618倍</source>
        <translation>2.618倍</translation>
    </message>
    <message>
        <source>3倍</source>
        <translation>3倍</translation>
    </message>
    <message>
        <source>关于我</source>
        <translation>關於我</translation>
    </message>
    <message>
        <source>低点上涨</source>
        <translation>低點上漲</translation>
    </message>
    <message>
        <source>高点下跌</source>
        <translation>高點下跌</translation>
    </message>
    <message>
        <source>区间反弹</source>
        <translation>區間反彈</translation>
    </message>
    <message>
        <source>区间回调</source>
        <translation>區間回調</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>說明</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>帮助</source>
        <translation>說明</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>文件(&amp;F)</source>
        <translation>檔案(&amp;F)</translation>
    </message>
    <message>
        <source>工具箱(&amp;T)</source>
        <translation>工具箱(&amp;T)</translation>
    </message>
    <message>
        <source>常用网址</source>
        <translation>常用網址</translation>
    </message>
    <message>
        <source>语言(&amp;L)</source>
        <translation>語言(&amp;L)</translation>
    </message>
    <message>
        <source>帮助(&amp;A)</source>
        <translation>說明(&amp;A)</translation>
    </message>
    <message>
        <source>恢复默认设置(&amp;R)</source>
        <translation>恢復預設設定(&amp;R)</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>黄金分割计算器</source>
        <translation>黃金分割計算器</translation>
    </message>
    <message>
        <source>颜色代码选取器</source>
        <translation>顏色代碼選取器</translation>
    </message>
    <message>
        <source>屏幕截图</source>
        <translation>螢幕截圖</translation>
    </message>
    <message>
        <source>我的博客</source>
        <translation>我的部落格</translation>
    </message>
    <message>
        <source>上证所</source>
        <translation>上證所</translation>
    </message>
    <message>
        <source>深交所</source>
        <translation>深交所</translation>
    </message>
    <message>
        <source>发改委</source>
        <translation>發改委</translation>
    </message>
    <message>
        <source>证监会</source>
        <translation>證監會</translation>
    </message>
    <message>
        <source>股票网址大全</source>
        <translation>股票網站大全</translation>
    </message>
    <message>
        <source>跟随系统</source>
        <translation>跟隨系統</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>關於(&amp;A)</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>费率规则</source>
        <translation>費率規則</translation>
    </message>
    <message>
        <source>成交日期</source>
        <translation>成交日期</translation>
    </message>
    <message>
        <source>证 交 所</source>
        <translation>證 交 所</translation>
    </message>
    <message>
        <source>佣    金</source>
        <translation>佣    金</translation>
    </message>
    <message>
        <source>%。</source>
        <translation>‰</translation>
    </message>
    <message>
        <source>印 花 税</source>
        <translation>印 花 稅</translation>
    </message>
    <message>
        <source>印花税双边征收</source>
        <translation>印花稅雙邊徵收</translation>
    </message>
    <message>
        <source>免五（佣金不设 5 元最低）</source>
        <translation>免五（佣金不設 5 元最低）</translation>
    </message>
    <message>
        <source>规费另计（经手费、证管费）</source>
        <translation>規費另計（經手費、證管費）</translation>
    </message>
    <message>
        <source>窗口置顶</source>
        <translation>視窗置頂</translation>
    </message>
    <message>
        <source>工具箱</source>
        <translation>工具箱</translation>
    </message>
    <message>
        <source>计算</source>
        <translation>計算</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>买入计算</source>
        <translation>買入計算</translation>
    </message>
    <message>
        <source>买入价格</source>
        <translation>買入價格</translation>
    </message>
    <message>
        <source>元</source>
        <translation>元</translation>
    </message>
    <message>
        <source>买入数量</source>
        <translation>買入數量</translation>
    </message>
    <message>
        <source>股</source>
        <translation>股</translation>
    </message>
    <message>
        <source>交易金额</source>
        <translation>交易金額</translation>
    </message>
    <message>
        <source>过 户 费</source>
        <translation>過 戶 費</translation>
    </message>
    <message>
        <source>规    费</source>
        <translation>規    費</translation>
    </message>
    <message>
        <source>费用合计</source>
        <translation>費用合計</translation>
    </message>
    <message>
        <source>实付金额</source>
        <translation>實付金額</translation>
    </message>
    <message>
        <source>买入成本</source>
        <translation>買入成本</translation>
    </message>
    <message>
        <source>保本价格</source>
        <translation>保本價格</translation>
    </message>
    <message>
        <source>多批买入</source>
        <translation>多批買入</translation>
    </message>
    <message>
        <source>卖出计算</source>
        <translation>賣出計算</translation>
    </message>
    <message>
        <source>卖出价格</source>
        <translation>賣出價格</translation>
    </message>
    <message>
        <source>卖出数量</source>
        <translation>賣出數量</translation>
    </message>
    <message>
        <source>实收金额</source>
        <translation>實收金額</translation>
    </message>
    <message>
        <source>收 益 率</source>
        <translation>收 益 率</translation>
    </message>
    <message>
        <source>盈亏金额</source>
        <translation>盈虧金額</translation>
    </message>
    <message>
        <source>目标类型</source>
        <translation>目標類型</translation>
    </message>
    <message>
        <source>目 标 值</source>
        <translation>目 標 值</translation>
    </message>
    <message>
        <source>目标卖价</source>
        <translation>目標賣價</translation>
    </message>
    <message>
        <source>实收/盈亏</source>
        <translation>實收/盈虧</translation>
    </message>
    <message>
        <source>多批卖出</source>
        <translation>多批賣出</translation>
    </message>
    <message>
        <source>持仓工具</source>
        <translation>持倉工具</translation>
    </message>
    <message>
        <source>交割单核对</source>
        <translation>交割單核對</translation>
    </message>
    <message>
        <source>结算汇率</source>
        <translation>結算匯率</translation>
    </message>
    <message>
        <source>买入结算汇率</source>
        <translation>買入結算匯率</translation>
    </message>
    <message>
        <source>买入结算汇率：中国结算公布的 1 港元折合人民币，最多六位小数</source>
        <translation>買入結算匯率：中國結算公佈的 1 港元折合人民幣，最多六位小數</translation>
    </message>
    <message>
        <source>买入</source>
        <translation>買入</translation>
    </message>
    <message>
        <source>卖出结算汇率</source>
        <translation>賣出結算匯率</translation>
    </message>
    <message>
        <source>卖出结算汇率：中国结算公布的 1 港元折合人民币，最多六位小数</source>
        <translation>賣出結算匯率：中國結算公佈的 1 港元折合人民幣，最多六位小數</translation>
    </message>
    <message>
        <source>卖出</source>
        <translation>賣出</translation>
    </message>
</context>
<context>
    <name>Markets</name>
    <message>
        <source>按成交日期</source>
        <translation>按成交日期</translation>
    </message>
    <message>
        <source>经典规则</source>
        <translation>經典規則</translation>
    </message>
    <message>
        <source>%1、%2</source>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>上海A股</source>
        <translation>上海A股</translation>
    </message>
    <message>
        <source>深圳A股</source>
        <translation>深圳A股</translation>
    </message>
    <message>
        <source>北京A股</source>
        <translation>北京A股</translation>
    </message>
    <message>
        <source>上海基金</source>
        <translation>上海基金</translation>
    </message>
    <message>
        <source>深圳基金</source>
        <translation>深圳基金</translation>
    </message>
    <message>
        <source>上海可转债</source>
        <translation>上海可轉債</translation>
    </message>
    <message>
        <source>深圳可转债</source>
        <translation>深圳可轉債</translation>
    </message>
    <message>
        <source>基金权证</source>
        <translation>基金權證</translation>
    </message>
    <message>
        <source>%1 的整数倍</source>
        <translation>%1 的整數倍</translation>
    </message>
    <message>
        <source>至少 %1，超出部分以 %2 为单位增加</source>
        <translation>至少 %1，超出部分以 %2 為單位增加</translation>
    </message>
    <message>
        <source>债券ETF</source>
        <translation>債券ETF</translation>
    </message>
    <message>
        <source>货币ETF</source>
        <translation>貨幣ETF</translation>
    </message>
    <message>
        <source>单只证券</source>
        <translation>單只證券</translation>
    </message>
    <message>
        <source>港股通</source>
        <translation>港股通</translation>
    </message>
</context>
<context>
    <name>PositionTools</name>
    <message>
        <source>无法识别证券代码“%1”，或本程序不计算它的费用</source>
        <translation>無法識別證券代碼“%1”，或本程式不計算它的費用</translation>
    </message>
    <message>
        <source>%1应大于 0 且不超过 %2 元</source>
        <translation>%1應大於 0 且不超過 %2 元</translation>
    </message>
    <message>
        <source>%1应为最小报价单位 %2 元的整数倍</source>
        <translation>%1應為最小報價單位 %2 元的整數倍</translation>
    </message>
    <message>
        <source>%1应为 1 到 %2 之间的整数</source>
        <translation>%1應為 1 到 %2 之間的整數</translation>
    </message>
    <message>
        <source>%1应大于 0</source>
        <translation>%1應大於 0</translation>
    </message>
    <message>
        <source>持仓数量少于做T数量</source>
        <translation>持倉數量少於做T數量</translation>
    </message>
    <message>
        <source>目标成本应高于补仓价格</source>
        <translation>目標成本應高於補倉價格</translation>
    </message>
    <message>
        <source>当前成本已不高于目标成本，无需补仓</source>
        <translation>當前成本已不高於目標成本，無需補倉</translation>
    </message>
    <message>
        <source>按此价格补仓，成本降不到目标成本</source>
        <translation>按此價格補倉，成本降不到目標成本</translation>
    </message>
    <message>
        <source>全部卖出也收不回投入的资金</source>
        <translation>全部賣出也收不回投入的資金</translation>
    </message>
    <message>
        <source>任何价格都不能保本</source>
        <translation>任何價格都不能保本</translation>
    </message>
    <message>
        <source>任何价格都达不到目标收益</source>
        <translation>任何價格都達不到目標收益</translation>
    </message>
    <message>
        <source>请填写%1</source>
        <translation>請填寫%1</translation>
    </message>
    <message>
        <source>免五</source>
        <translation>免五</translation>
    </message>
    <message>
        <source>最低 %1 元</source>
        <translation>最低 %1 元</translation>
    </message>
    <message>
        <source>佣金 %1‰，%2，规费另计</source>
        <translation>佣金 %1‰，%2，規費另計</translation>
    </message>
    <message>
        <source>佣金 %1‰，%2</source>
        <translation>佣金 %1‰，%2</translation>
    </message>
    <message>
        <source>%1，%2 的规则；%3；报价单位 %4 元；每笔数量：%5</source>
        <translation>%1，%2 的規則；%3；報價單位 %4 元；每筆數量：%5</translation>
    </message>
    <message>
        <source>持仓成本价和买入总额请填写其中一项</source>
        <translation>持倉成本價和買入總額請填寫其中一項</translation>
    </message>
    <message>
        <source>做T数量 %1 不合交易单位：%2</source>
        <translation>做T數量 %1 不合交易單位：%2</translation>
    </message>
    <message>
        <source>%1应在 ±%2 元之间</source>
        <translation>%1應在 ±%2 元之間</translation>
    </message>
    <message>
        <source>%1；%2</source>
        <translation>%1；%2</translation>
    </message>
    <message>
        <source>持仓数量和持仓成本应同时填写</source>
        <translation>持倉數量和持倉成本應同時填寫</translation>
    </message>
    <message>
        <source>做T数量</source>
        <translation>做T數量</translation>
    </message>
    <message>
        <source>第一笔价格</source>
        <translation>第一筆價格</translation>
    </message>
    <message>
        <source>第二笔价格</source>
        <translation>第二筆價格</translation>
    </message>
    <message>
        <source>持仓数量</source>
        <translation>持倉數量</translation>
    </message>
    <message>
        <source>持仓成本</source>
        <translation>持倉成本</translation>
    </message>
    <message>
        <source>目标盈利</source>
        <translation>目標盈利</translation>
    </message>
    <message>
        <source>买入总额</source>
        <translation>買入總額</translation>
    </message>
    <message>
        <source>持仓成本价</source>
        <translation>持倉成本價</translation>
    </message>
    <message>
        <source>补仓价格</source>
        <translation>補倉價格</translation>
    </message>
    <message>
        <source>目标成本</source>
        <translation>目標成本</translation>
    </message>
    <message>
        <source>投入资金</source>
        <translation>投入資金</translation>
    </message>
    <message>
        <source>卖出价格</source>
        <translation>賣出價格</translation>
    </message>
    <message>
        <source>每手股数</source>
        <translation>每手股數</translation>
    </message>
    <message>
        <source>每手股数只用于港股通：A股的交易单位由交易所规定</source>
        <translation>每手股數只用於港股通：A股的交易單位由交易所規定</translation>
    </message>
    <message>
        <source>%1，%2 的规则；%3；结算汇率：买入 %4，卖出 %5；价格以港元计，报价单位按港股价位表；每笔数量：%6</source>
        <translation>%1，%2 的規則；%3；結算匯率：買入 %4，賣出 %5；價格以港元計，報價單位按港股價位表；每筆數量：%6</translation>
    </message>
</context>
<context>
    <name>PositionToolsWindow</name>
    <message>
        <source>持仓工具</source>
        <translation>持倉工具</translation>
    </message>
    <message>
        <source>代码</source>
        <translation>代碼</translation>
    </message>
    <message>
        <source>做T</source>
        <translation>做T</translation>
    </message>
    <message>
        <source>正T（先卖后买）</source>
        <translation>正T（先賣後買）</translation>
    </message>
    <message>
        <source>倒T（先买后卖）</source>
        <translation>倒T（先買後賣）</translation>
    </message>
    <message>
        <source>做T数量</source>
        <translation>做T數量</translation>
    </message>
    <message>
        <source>股</source>
        <translation>股</translation>
    </message>
    <message>
        <source>第一笔价格</source>
        <translation>第一筆價格</translation>
    </message>
    <message>
        <source>元</source>
        <translation>元</translation>
    </message>
    <message>
        <source>第二笔价格</source>
        <translation>第二筆價格</translation>
    </message>
    <message>
        <source>持仓数量</source>
        <translation>持倉數量</translation>
    </message>
    <message>
        <source>持仓成本</source>
        <translation>持倉成本</translation>
    </message>
    <message>
        <source>目标盈利</source>
        <translation>目標盈利</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>結果</translation>
    </message>
    <message>
        <source>净盈亏</source>
        <translation>淨盈虧</translation>
    </message>
    <message>
        <source>摊薄成本</source>
        <translation>攤薄成本</translation>
    </message>
    <message>
        <source>保本买回价</source>
        <translation>保本買回價</translation>
    </message>
    <message>
        <source>目标买回价</source>
        <translation>目標買回價</translation>
    </message>
    <message>
        <source>第一笔：卖出</source>
        <translation>第一筆：賣出</translation>
    </message>
    <message>
        <source>交易金额</source>
        <translation>交易金額</translation>
    </message>
    <message>
        <source>佣金</source>
        <translation>佣金</translation>
    </message>
    <message>
        <source>印花税</source>
        <translation>印花稅</translation>
    </message>
    <message>
        <source>过户费</source>
        <translation>過戶費</translation>
    </message>
    <message>
        <source>规费</source>
        <translation>規費</translation>
    </message>
    <message>
        <source>费用合计</source>
        <translation>費用合計</translation>
    </message>
    <message>
        <source>实收金额</source>
        <translation>實收金額</translation>
    </message>
    <message>
        <source>第二笔：买入</source>
        <translation>第二筆：買入</translation>
    </message>
    <message>
        <source>计算</source>
        <translation>計算</translation>
    </message>
    <message>
        <source>补仓</source>
        <translation>補倉</translation>
    </message>
    <message>
        <source>持仓成本价</source>
        <translation>持倉成本價</translation>
    </message>
    <message>
        <source>或买入总额</source>
        <translation>或買入總額</translation>
    </message>
    <message>
        <source>补仓价格</source>
        <translation>補倉價格</translation>
    </message>
    <message>
        <source>目标成本</source>
        <translation>目標成本</translation>
    </message>
    <message>
        <source>补仓数量</source>
        <translation>補倉數量</translation>
    </message>
    <message>
        <source>实付金额</source>
        <translation>實付金額</translation>
    </message>
    <message>
        <source>补仓后成本</source>
        <translation>補倉後成本</translation>
    </message>
    <message>
        <source>补仓数量是按补仓价格买入、计入费用后使每股成本不高于目标成本的最少数量（合乎交易单位）。持仓成本价与买入总额填写其中一项，均含买入费用。</source>
        <translation>補倉數量是按補倉價格買入、計入費用後使每股成本不高於目標成本的最少數量（合乎交易單位）。持倉成本價與買入總額填寫其中一項，均含買入費用。</translation>
    </message>
    <message>
        <source>回本</source>
        <translation>回本</translation>
    </message>
    <message>
        <source>投入资金</source>
        <translation>投入資金</translation>
    </message>
    <message>
        <source>卖出价格</source>
        <translation>賣出價格</translation>
    </message>
    <message>
        <source>卖出数量</source>
        <translation>賣出數量</translation>
    </message>
    <message>
        <source>剩余持股</source>
        <translation>剩餘持股</translation>
    </message>
    <message>
        <source>尚差金额</source>
        <translation>尚差金額</translation>
    </message>
    <message>
        <source>卖出数量是按卖出价格卖出、扣除费用后实收金额不少于投入资金的最少数量（合乎交易单位，或全部卖出）；剩余股份继续持有。全部卖出仍不够时，显示尚差金额。</source>
        <translation>賣出數量是按賣出價格賣出、扣除費用後實收金額不少於投入資金的最少數量（合乎交易單位，或全部賣出）；剩餘股份繼續持有。全部賣出仍不夠時，顯示尚差金額。</translation>
    </message>
    <message>
        <source>每手股数（港股通）</source>
        <translation>每手股數（港股通）</translation>
    </message>
    <message>
        <source>留空则按主窗口所选的证交所计算</source>
        <translation>留空則按主視窗所選的證交所計算</translation>
    </message>
</context>
<context>
    <name>Positions</name>
    <message>
        <source>摊薄成本 =（买入付出的资金含费用 − 卖出收回的净额 − 税后股息）÷ 持股数；持股归零后重新计算，可为负数</source>
        <translation>攤薄成本 =（買入付出的資金含費用 − 賣出收回的淨額 − 稅後股息）÷ 持股數；持股歸零後重新計算，可為負數</translation>
    </message>
    <message>
        <source>移动平均成本：买入把含费用的资金计入成本，卖出按当时的平均成本减去所卖股份的成本；已实现盈亏 = 卖出净额 − 减去的成本</source>
        <translation>移動平均成本：買入把含費用的資金計入成本，賣出按當時的平均成本減去所賣股份的成本；已實現盈虧 = 賣出淨額 − 減去的成本</translation>
    </message>
    <message>
        <source>先进先出：卖出先用最早买入的股份，每股带着它那笔买入的费用；已实现盈亏 = 卖出净额 − 这些股份的成本</source>
        <translation>先進先出：賣出先用最早買入的股份，每股帶著它那筆買入的費用；已實現盈虧 = 賣出淨額 − 這些股份的成本</translation>
    </message>
    <message>
        <source>第 %1 行：%2 卖出 %3 股，多于当时持有的 %4 股，这笔卖出及其费用未计入</source>
        <translation>第 %1 行：%2 賣出 %3 股，多於當時持有的 %4 股，這筆賣出及其費用未計入</translation>
    </message>
    <message>
        <source>第 %1 行：%2 %3 %4 未计入：%5</source>
        <translation>第 %1 行：%2 %3 %4 未計入：%5</translation>
    </message>
    <message>
        <source>代码</source>
        <translation>代碼</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>名稱</translation>
    </message>
    <message>
        <source>持股</source>
        <translation>持股</translation>
    </message>
    <message>
        <source>摊薄成本</source>
        <translation>攤薄成本</translation>
    </message>
    <message>
        <source>移动平均成本</source>
        <translation>移動平均成本</translation>
    </message>
    <message>
        <source>已实现盈亏（移动平均）</source>
        <translation>已實現盈虧（移動平均）</translation>
    </message>
    <message>
        <source>已实现盈亏（先进先出）</source>
        <translation>已實現盈虧（先進先出）</translation>
    </message>
    <message>
        <source>费用</source>
        <translation>費用</translation>
    </message>
    <message>
        <source>股息（税后）</source>
        <translation>股息（稅後）</translation>
    </message>
    <message>
        <source>费用：佣金、印花税、过户费和规费（不含股息红利税）；股息为税后金额，持股时冲减摊薄成本，不计入已实现盈亏；不持股时入账的股息或税款在三种算法下都计入已实现盈亏</source>
        <translation>費用：佣金、印花稅、過戶費和規費（不含股息紅利稅）；股息為稅後金額，持股時沖減攤薄成本，不計入已實現盈虧；不持股時入帳的股息或稅款在三種演算法下都計入已實現盈虧</translation>
    </message>
</context>
<context>
    <name>Statement</name>
    <message>
        <source>未使用的列</source>
        <translation>未使用的列</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>時間</translation>
    </message>
    <message>
        <source>代码</source>
        <translation>代碼</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>名稱</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>市场</source>
        <translation>市場</translation>
    </message>
    <message>
        <source>币种</source>
        <translation>幣種</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>數量</translation>
    </message>
    <message>
        <source>价格</source>
        <translation>價格</translation>
    </message>
    <message>
        <source>金额</source>
        <translation>金額</translation>
    </message>
    <message>
        <source>佣金</source>
        <translation>佣金</translation>
    </message>
    <message>
        <source>印花税</source>
        <translation>印花稅</translation>
    </message>
    <message>
        <source>过户费</source>
        <translation>過戶費</translation>
    </message>
    <message>
        <source>经手费</source>
        <translation>經手費</translation>
    </message>
    <message>
        <source>证管费</source>
        <translation>證管費</translation>
    </message>
    <message>
        <source>规费</source>
        <translation>規費</translation>
    </message>
    <message>
        <source>其他费用</source>
        <translation>其他費用</translation>
    </message>
    <message>
        <source>费用合计</source>
        <translation>費用合計</translation>
    </message>
    <message>
        <source>发生金额</source>
        <translation>發生金額</translation>
    </message>
    <message>
        <source>汇率</source>
        <translation>匯率</translation>
    </message>
    <message>
        <source>成交笔数</source>
        <translation>成交筆數</translation>
    </message>
    <message>
        <source>委托编号</source>
        <translation>委託編號</translation>
    </message>
    <message>
        <source>成交编号</source>
        <translation>成交編號</translation>
    </message>
    <message>
        <source>股东账户</source>
        <translation>股東帳戶</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>檔案不存在</translation>
    </message>
    <message>
        <source>没有读取权限</source>
        <translation>沒有讀取權限</translation>
    </message>
    <message>
        <source>这是一个文件夹</source>
        <translation>這是一個資料夾</translation>
    </message>
    <message>
        <source>这不是普通文件</source>
        <translation>這不是一般檔案</translation>
    </message>
    <message>
        <source>系统错误 %1</source>
        <translation>系統錯誤 %1</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>%1、%2</source>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>无法打开文件 %1：%2</source>
        <translation>無法開啟檔案 %1：%2</translation>
    </message>
    <message>
        <source>文件大小为 %1，超过 %2 的对账单不予读取</source>
        <translation>檔案大小為 %1，超過 %2 的對帳單不予讀取</translation>
    </message>
    <message>
        <source>文件是空的</source>
        <translation>檔案是空的</translation>
    </message>
    <message>
        <source>文件既不是文本，也不是 .xls 或 .xlsx 表格</source>
        <translation>檔案既不是文字，也不是 .xls 或 .xlsx 表格</translation>
    </message>
    <message>
        <source>文件是网页（HTML），不是对账单导出文件；请用表格软件打开并另存为 .xlsx</source>
        <translation>檔案是網頁（HTML），不是對帳單匯出檔案；請用試算表軟體開啟並另存為 .xlsx</translation>
    </message>
    <message>
        <source>无法读取表格文件（%1）</source>
        <translation>無法讀取試算表檔案（%1）</translation>
    </message>
    <message>
        <source>找不到表头：没有一行同时列出日期、代码、操作、数量和价格或金额</source>
        <translation>找不到表頭：沒有一行同時列出日期、代碼、操作、數量和價格或金額</translation>
    </message>
    <message>
        <source>找不到表头：没有一行同时列出日期、代码、操作、数量和价格或金额（按 %1 编码读取）</source>
        <translation>找不到表頭：沒有一行同時列出日期、代碼、操作、數量和價格或金額（按 %1 編碼讀取）</translation>
    </message>
    <message>
        <source>已取消读取</source>
        <translation>已取消讀取</translation>
    </message>
    <message>
        <source>%1为空</source>
        <translation>%1為空</translation>
    </message>
    <message>
        <source>%1“%2”不是日期</source>
        <translation>%1“%2”不是日期</translation>
    </message>
    <message>
        <source>%1“%2”早于 1990 年或晚于 2099 年</source>
        <translation>%1“%2”早於 1990 年或晚於 2099 年</translation>
    </message>
    <message>
        <source>%1为空，无法判断业务</source>
        <translation>%1為空，無法判斷業務</translation>
    </message>
    <message>
        <source>操作栏互相矛盾（“%2”），发生金额和数量也无法判断买卖方向</source>
        <translation>操作欄互相矛盾（“%2”），發生金額和數量也無法判斷買賣方向</translation>
    </message>
    <message>
        <source>%1为空，成交记录必须有证券代码</source>
        <translation>%1為空，成交記錄必須有證券代碼</translation>
    </message>
    <message>
        <source>%1“%2”不是证券代码</source>
        <translation>%1“%2”不是證券代碼</translation>
    </message>
    <message>
        <source>%1为空，成交记录必须有数量</source>
        <translation>%1為空，成交記錄必須有數量</translation>
    </message>
    <message>
        <source>%1为 0</source>
        <translation>%1為 0</translation>
    </message>
    <message>
        <source>成交记录既无价格也无金额</source>
        <translation>成交記錄既無價格也無金額</translation>
    </message>
    <message>
        <source>%1“%2”不是数字</source>
        <translation>%1“%2”不是數字</translation>
    </message>
    <message>
        <source>%1含有无法按文件编码识别的字节</source>
        <translation>%1含有無法按檔案編碼識別的位元組</translation>
    </message>
    <message>
        <source>文件在这一行中途结束，该行不完整</source>
        <translation>檔案在這一行中途結束，該行不完整</translation>
    </message>
    <message>
        <source>每行依次读取“%1”%2：第一个非空的栏目说明该行业务</source>
        <translation>每行依次讀取“%1”%2：第一個非空的欄目說明該行業務</translation>
    </message>
    <message>
        <source>每行依次读取“%1”：第一个非空的栏目说明该行业务</source>
        <translation>每行依次讀取“%1”：第一個非空的欄目說明該行業務</translation>
    </message>
    <message>
        <source>（%1为费用合计）</source>
        <translation>（%1為費用合計）</translation>
    </message>
    <message>
        <source>（而非%1）</source>
        <translation>（而非%1）</translation>
    </message>
    <message>
        <source>没有%1栏%2</source>
        <translation>沒有%1欄%2</translation>
    </message>
    <message>
        <source>“%1”作为%2%3</source>
        <translation>“%1”作為%2%3</translation>
    </message>
    <message>
        <source>%1：各行无法区分，按券商常用名称选取</source>
        <translation>%1：各行無法區分，按券商常用名稱選取</translation>
    </message>
    <message>
        <source>发生金额 = 成交金额 ± 费用</source>
        <translation>發生金額 = 成交金額 ± 費用</translation>
    </message>
    <message>
        <source>数量 × 价格 = 金额</source>
        <translation>數量 × 價格 = 金額</translation>
    </message>
    <message>
        <source>%1：%2在 %3 笔成交中有 %4 笔相符</source>
        <translation>%1：%2在 %3 筆成交中有 %4 筆相符</translation>
    </message>
    <message>
        <source>港股通交易</source>
        <translation>港股通交易</translation>
    </message>
    <message>
        <source>无法识别的证券代码（不是本程序认识的A股、基金或可转债）</source>
        <translation>無法識別的證券代碼（不是本程式認識的A股、基金或可轉債）</translation>
    </message>
    <message>
        <source>没有证券代码，无法记入持仓</source>
        <translation>沒有證券代碼，無法記入持倉</translation>
    </message>
    <message>
        <source>未核对：%1</source>
        <translation>未核對：%1</translation>
    </message>
    <message>
        <source>与第 %1 行同一委托</source>
        <translation>與第 %1 行同一委託</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>相符</source>
        <translation>相符</translation>
    </message>
    <message>
        <source>%1；%2</source>
        <translation>%1；%2</translation>
    </message>
    <message>
        <source>港股通交易（港股），不在核对范围</source>
        <translation>港股通交易（港股），不在核對範圍</translation>
    </message>
    <message>
        <source>代码 %1 不在费率表覆盖的品种内</source>
        <translation>代碼 %1 不在費率表涵蓋的品種內</translation>
    </message>
    <message>
        <source>市场栏为“%1”，但 %2 不是该交易所的代码</source>
        <translation>市場欄為「%1」，但 %2 不是該交易所的代碼</translation>
    </message>
    <message>
        <source>成交金额为零（配售、新股入账等）</source>
        <translation>成交金額為零（配售、新股入帳等）</translation>
    </message>
    <message>
        <source>费率表自 %1 起，%2 早于此</source>
        <translation>費率表自 %1 起，%2 早於此</translation>
    </message>
    <message>
        <source>%1自 %2 起才有费率，%3 没有</source>
        <translation>%1自 %2 起才有費率，%3 沒有</translation>
    </message>
    <message>
        <source>成交金额过大，无法作为金额核对</source>
        <translation>成交金額過大，無法作為金額核對</translation>
    </message>
    <message>
        <source>按发生金额费用为 %1，各费用栏合计 %2，少 %3</source>
        <translation>按發生金額費用為 %1，各費用欄合計 %2，少 %3</translation>
    </message>
    <message>
        <source>按发生金额费用为 %1，各费用栏合计 %2，多 %3</source>
        <translation>按發生金額費用為 %1，各費用欄合計 %2，多 %3</translation>
    </message>
    <message>
        <source>%1实收 %2，应收 %3，少收 %4</source>
        <translation>%1實收 %2，應收 %3，少收 %4</translation>
    </message>
    <message>
        <source>%1实收 %2，应收 %3，多收 %4</source>
        <translation>%1實收 %2，應收 %3，多收 %4</translation>
    </message>
    <message>
        <source>成交笔数未知，可能是逐笔成交分别取整所致</source>
        <translation>成交筆數未知，可能是逐筆成交分別取整所致</translation>
    </message>
    <message>
        <source>规费另计</source>
        <translation>規費另計</translation>
    </message>
    <message>
        <source>规费含在佣金内</source>
        <translation>規費含在佣金內</translation>
    </message>
    <message>
        <source>过户费单列</source>
        <translation>過戶費單列</translation>
    </message>
    <message>
        <source>过户费含在佣金内</source>
        <translation>過戶費含在佣金內</translation>
    </message>
    <message>
        <source>其他费用单独核对</source>
        <translation>其他費用單獨核對</translation>
    </message>
    <message>
        <source>其他费用计入佣金</source>
        <translation>其他費用計入佣金</translation>
    </message>
    <message>
        <source>其他费用即过户费</source>
        <translation>其他費用即過戶費</translation>
    </message>
    <message>
        <source>其他费用即规费</source>
        <translation>其他費用即規費</translation>
    </message>
    <message>
        <source>相符（%1）</source>
        <translation>相符（%1）</translation>
    </message>
    <message>
        <source>不收取任何费用</source>
        <translation>不收取任何費用</translation>
    </message>
    <message>
        <source>佣金不高于 %1‰，%2，%3，%4</source>
        <translation>佣金不高於 %1‰，%2，%3，%4</translation>
    </message>
    <message>
        <source>佣金 %1‰，%2，%3，%4</source>
        <translation>佣金 %1‰，%2，%3，%4</translation>
    </message>
    <message>
        <source>无最低佣金</source>
        <translation>無最低佣金</translation>
    </message>
    <message>
        <source>最低 %1 元</source>
        <translation>最低 %1 元</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>协议在 %1 之后、%2 及之前变更，其间的成交两种协议都能解释</source>
        <translation>協議在 %1 之後、%2 及之前變更，其間的成交兩種協議都能解釋</translation>
    </message>
    <message>
        <source>归类不同：%1，合计相符</source>
        <translation>歸類不同：%1，合計相符</translation>
    </message>
    <message>
        <source>%1，%2</source>
        <translation>%1，%2</translation>
    </message>
    <message>
        <source>股份余额</source>
        <translation>股份餘額</translation>
    </message>
    <message>
        <source>资金余额</source>
        <translation>資金餘額</translation>
    </message>
    <message>
        <source>资金账号</source>
        <translation>資金帳號</translation>
    </message>
    <message>
        <source>备注</source>
        <translation>備註</translation>
    </message>
</context>
<context>
    <name>StatementAuditWindow</name>
    <message>
        <source>交割单核对</source>
        <translation>交割單核對</translation>
    </message>
    <message>
        <source>打开文件…</source>
        <translation>開啟檔案…</translation>
    </message>
    <message>
        <source>交割单文件</source>
        <translation>交割單檔案</translation>
    </message>
    <message>
        <source>读取进度</source>
        <translation>讀取進度</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>导出报告…</source>
        <translation>匯出報告…</translation>
    </message>
    <message>
        <source>核对概况</source>
        <translation>核對概況</translation>
    </message>
    <message>
        <source>佣金协议</source>
        <translation>佣金協議</translation>
    </message>
    <message>
        <source>对比其他协议</source>
        <translation>對比其他協議</translation>
    </message>
    <message>
        <source>佣金(‰)</source>
        <translation>佣金(‰)</translation>
    </message>
    <message>
        <source>如 0.1</source>
        <translation>如 0.1</translation>
    </message>
    <message>
        <source>免五</source>
        <translation>免五</translation>
    </message>
    <message>
        <source>同样的成交按此协议计费，年度合计中显示可节省的金额</source>
        <translation>同樣的成交按此協議計費，年度合計中顯示可節省的金額</translation>
    </message>
    <message>
        <source>年度合计</source>
        <translation>年度合計</translation>
    </message>
    <message>
        <source>核对结果</source>
        <translation>核對結果</translation>
    </message>
    <message>
        <source>逐笔核对</source>
        <translation>逐筆核對</translation>
    </message>
    <message>
        <source>只看有出入的</source>
        <translation>只看有出入的</translation>
    </message>
    <message>
        <source>逐笔核对表</source>
        <translation>逐筆核對表</translation>
    </message>
    <message>
        <source>其他与无法读取的行</source>
        <translation>其他與無法讀取的行</translation>
    </message>
    <message>
        <source>每月费用</source>
        <translation>每月費用</translation>
    </message>
    <message>
        <source>把交割单拖到此窗口，或点“打开文件…”</source>
        <translation>把交割單拖到此視窗，或按「開啟檔案…」</translation>
    </message>
    <message>
        <source>交割单 (*.xls *.xlsx *.csv *.txt);;所有文件 (*)</source>
        <translation>交割單 (*.xls *.xlsx *.csv *.txt);;所有檔案 (*)</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV 檔案 (*.csv)</translation>
    </message>
    <message>
        <source>正在读取 %1 …</source>
        <translation>正在讀取 %1 …</translation>
    </message>
    <message>
        <source>正在重新核对…</source>
        <translation>正在重新核對…</translation>
    </message>
    <message>
        <source>%1；成交 %2 笔，其他 %3 行，无法读取 %4 行，未核对 %5 笔；出入 %6 处</source>
        <translation>%1；成交 %2 筆，其他 %3 行，無法讀取 %4 行，未核對 %5 筆；出入 %6 處</translation>
    </message>
    <message>
        <source>表头在第 %1 行</source>
        <translation>表頭在第 %1 行</translation>
    </message>
    <message>
        <source>Excel 97-2003 表格</source>
        <translation>Excel 97-2003 活頁簿</translation>
    </message>
    <message>
        <source>Excel 表格</source>
        <translation>Excel 活頁簿</translation>
    </message>
    <message>
        <source>文本</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>无法读取交割单：%1</source>
        <translation>無法讀取交割單：%1</translation>
    </message>
    <message>
        <source>核对未能完成：%1</source>
        <translation>核對未能完成：%1</translation>
    </message>
    <message>
        <source>报告未能保存：%1</source>
        <translation>報告未能儲存：%1</translation>
    </message>
    <message>
        <source>报告不能保存到交割单文件本身，请另选文件名。</source>
        <translation>報告不能儲存到交割單檔案本身，請另選檔名。</translation>
    </message>
    <message>
        <source>佣金费率须为 0 到 3 之间的数（‰）</source>
        <translation>佣金費率須為 0 到 3 之間的數（‰）</translation>
    </message>
    <message>
        <source>最低佣金须为不小于 0 的金额（元）</source>
        <translation>最低佣金須為不小於 0 的金額（元）</translation>
    </message>
    <message>
        <source>品种</source>
        <translation>品種</translation>
    </message>
    <message>
        <source>最低佣金(元)</source>
        <translation>最低佣金(元)</translation>
    </message>
    <message>
        <source>规费另计</source>
        <translation>規費另計</translation>
    </message>
    <message>
        <source>过户费单列</source>
        <translation>過戶費單列</translation>
    </message>
    <message>
        <source>其他费用</source>
        <translation>其他費用</translation>
    </message>
    <message>
        <source>佣金相符</source>
        <translation>佣金相符</translation>
    </message>
    <message>
        <source>费率解释了高于最低佣金的 %1/%2 笔委托；最低佣金解释了 %3/%4 笔小额委托</source>
        <translation>費率解釋了高於最低佣金的 %1/%2 筆委託；最低佣金解釋了 %3/%4 筆小額委託</translation>
    </message>
    <message>
        <source>没有高于最低佣金的委托，费率只能确定上限</source>
        <translation>沒有高於最低佣金的委託，費率只能確定上限</translation>
    </message>
    <message>
        <source>（已手动设定）</source>
        <translation>（已手動設定）</translation>
    </message>
    <message>
        <source>年份</source>
        <translation>年份</translation>
    </message>
    <message>
        <source>成交笔数</source>
        <translation>成交筆數</translation>
    </message>
    <message>
        <source>成交金额</source>
        <translation>成交金額</translation>
    </message>
    <message>
        <source>佣金</source>
        <translation>佣金</translation>
    </message>
    <message>
        <source>印花税</source>
        <translation>印花稅</translation>
    </message>
    <message>
        <source>过户费</source>
        <translation>過戶費</translation>
    </message>
    <message>
        <source>规费</source>
        <translation>規費</translation>
    </message>
    <message>
        <source>费用合计</source>
        <translation>費用合計</translation>
    </message>
    <message>
        <source>实际佣金率(‰)</source>
        <translation>實際佣金率(‰)</translation>
    </message>
    <message>
        <source>超出规则</source>
        <translation>超出規則</translation>
    </message>
    <message>
        <source>对比节省</source>
        <translation>對比節省</translation>
    </message>
    <message>
        <source>行号</source>
        <translation>行號</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>代码</source>
        <translation>代碼</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>名稱</translation>
    </message>
    <message>
        <source>买卖</source>
        <translation>買賣</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>數量</translation>
    </message>
    <message>
        <source>应收佣金</source>
        <translation>應收佣金</translation>
    </message>
    <message>
        <source>应收印花税</source>
        <translation>應收印花稅</translation>
    </message>
    <message>
        <source>应收过户费</source>
        <translation>應收過戶費</translation>
    </message>
    <message>
        <source>应收规费</source>
        <translation>應收規費</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>類別</translation>
    </message>
    <message>
        <source>业务或原因</source>
        <translation>業務或原因</translation>
    </message>
    <message>
        <source>发生金额</source>
        <translation>發生金額</translation>
    </message>
    <message>
        <source>买入</source>
        <translation>買入</translation>
    </message>
    <message>
        <source>卖出</source>
        <translation>賣出</translation>
    </message>
    <message>
        <source>其他业务</source>
        <translation>其他業務</translation>
    </message>
    <message>
        <source>无法读取</source>
        <translation>無法讀取</translation>
    </message>
    <message>
        <source>每月费用（元）</source>
        <translation>每月費用（元）</translation>
    </message>
    <message>
        <source>持仓</source>
        <translation>持倉</translation>
    </message>
    <message>
        <source>%1，%2</source>
        <translation>%1，%2</translation>
    </message>
    <message>
        <source>佣金协议（双击修改费率、最低佣金或起止日期，修改后立即重新核对）</source>
        <translation>佣金協議（雙擊修改費率、最低佣金或起止日期，修改後立即重新核對）</translation>
    </message>
    <message>
        <source>拆分时段</source>
        <translation>拆分時段</translation>
    </message>
    <message>
        <source>把选中的时段在其中间一笔委托的日期后分成两段，再修改起止日期或费率</source>
        <translation>把選中的時段在其中間一筆委託的日期後分成兩段，再修改起止日期或費率</translation>
    </message>
    <message>
        <source>合并时段</source>
        <translation>合併時段</translation>
    </message>
    <message>
        <source>把选中的时段与同一品种的下一时段合为一段，沿用选中时段的费率</source>
        <translation>把選中的時段與同一品種的下一時段合為一段，沿用選中時段的費率</translation>
    </message>
    <message>
        <source>恢复推断</source>
        <translation>恢復推斷</translation>
    </message>
    <message>
        <source>放弃手动设定，按交割单重新推断协议</source>
        <translation>放棄手動設定，按交割單重新推斷協議</translation>
    </message>
    <message>
        <source>日期须写成 YYYY-MM-DD，如 2025-02-26</source>
        <translation>日期須寫成 YYYY-MM-DD，如 2025-02-26</translation>
    </message>
    <message>
        <source>时段不能为空，也不能盖过同一品种的相邻时段</source>
        <translation>時段不能為空，也不能蓋過同一品種的相鄰時段</translation>
    </message>
    <message>
        <source>这一时段的委托都在同一天，无法拆分</source>
        <translation>這一時段的委託都在同一天，無法拆分</translation>
    </message>
    <message>
        <source>这是该品种的最后一个时段，没有可以合并的下一时段</source>
        <translation>這是該品種的最後一個時段，沒有可以合併的下一時段</translation>
    </message>
    <message>
        <source>无</source>
        <translation>無</translation>
    </message>
    <message>
        <source>%1‰ 到 %2‰ 之间的费率都能同样解释这些委托</source>
        <translation>%1‰ 到 %2‰ 之間的費率都能同樣解釋這些委託</translation>
    </message>
    <message>
        <source>起</source>
        <translation>起</translation>
    </message>
    <message>
        <source>止</source>
        <translation>止</translation>
    </message>
</context>
<context>
    <name>Trade</name>
    <message>
        <source>卖出数量应大于 0 且不超过 %1</source>
        <translation>賣出數量應大於 0 且不超過 %1</translation>
    </message>
    <message>
        <source>佣金与印花税的费率之和应在 0 到 %1‰ 之间</source>
        <translation>佣金與印花稅的費率之和應在 0 到 %1‰ 之間</translation>
    </message>
    <message>
        <source>按成交日期的费率表中没有“%1”，可选：%2</source>
        <translation>按成交日期的費率表中沒有“%1”，可選：%2</translation>
    </message>
    <message>
        <source>成交日期“%1”不是 YYYY-MM-DD 格式的日期</source>
        <translation>成交日期“%1”不是 YYYY-MM-DD 格式的日期</translation>
    </message>
    <message>
        <source>佣金费率应在 0 到 %1‰ 之间</source>
        <translation>佣金費率應在 0 到 %1‰ 之間</translation>
    </message>
    <message>
        <source>买入价格应大于 0 且不超过 %1 元</source>
        <translation>買入價格應大於 0 且不超過 %1 元</translation>
    </message>
    <message>
        <source>卖出价格应大于 0 且不超过 %1 元</source>
        <translation>賣出價格應大於 0 且不超過 %1 元</translation>
    </message>
    <message>
        <source>买入数量应为 1 到 %1 之间的整数</source>
        <translation>買入數量應為 1 到 %1 之間的整數</translation>
    </message>
    <message>
        <source>卖出数量应为 1 到 %1 之间的整数</source>
        <translation>賣出數量應為 1 到 %1 之間的整數</translation>
    </message>
    <message>
        <source>无法保本</source>
        <translation>無法保本</translation>
    </message>
    <message>
        <source>实付金额应大于 0</source>
        <translation>實付金額應大於 0</translation>
    </message>
    <message>
        <source>任何价格都达不到目标</source>
        <translation>任何價格都達不到目標</translation>
    </message>
    <message>
        <source>最低报价已达到目标</source>
        <translation>最低報價已達到目標</translation>
    </message>
    <message>
        <source>卖出数量必须设置初始值</source>
        <translation>賣出數量必須設定初始值</translation>
    </message>
    <message>
        <source>买入价格</source>
        <translation>買入價格</translation>
    </message>
    <message>
        <source>卖出价格</source>
        <translation>賣出價格</translation>
    </message>
    <message>
        <source>港股通请填写买入和卖出结算汇率</source>
        <translation>港股通請填寫買入和賣出結算匯率</translation>
    </message>
    <message>
        <source>买入结算汇率应大于 0 且不超过 %1，最多 %2 位小数</source>
        <translation>買入結算匯率應大於 0 且不超過 %1，最多 %2 位小數</translation>
    </message>
    <message>
        <source>卖出结算汇率应大于 0 且不超过 %1，最多 %2 位小数</source>
        <translation>賣出結算匯率應大於 0 且不超過 %1，最多 %2 位小數</translation>
    </message>
    <message>
        <source>港股通请填写买入结算汇率</source>
        <translation>港股通請填寫買入結算匯率</translation>
    </message>
    <message>
        <source>港股通请填写卖出结算汇率</source>
        <translation>港股通請填寫賣出結算匯率</translation>
    </message>
    <message>
        <source>各项按结算汇率折成人民币后截尾到分；成交金额买入截尾、卖出进位；净额四舍五入，差额计为换汇尾差</source>
        <translation>各項按結算匯率折成人民幣後截尾到分；成交金額買入截尾、賣出進位；淨額四捨五入，差額計為換匯尾差</translation>
    </message>
    <message>
        <source>%1应在 %2 到 %3 港元之间</source>
        <translation>%1應在 %2 到 %3 港元之間</translation>
    </message>
    <message>
        <source>%1 %2 港元不在港股价位表上：该价位段每档 %3 港元</source>
        <translation>%1 %2 港元不在港股價位表上：該價位段每檔 %3 港元</translation>
    </message>
</context>
<context>
    <name>tallyfin::BatchDialog</name>
    <message>
        <source>第一批买入</source>
        <translation>第一批買入</translation>
    </message>
    <message>
        <source>第二批买入</source>
        <translation>第二批買入</translation>
    </message>
    <message>
        <source>第三批买入</source>
        <translation>第三批買入</translation>
    </message>
    <message>
        <source>第四批买入</source>
        <translation>第四批買入</translation>
    </message>
    <message>
        <source>第五批买入</source>
        <translation>第五批買入</translation>
    </message>
    <message>
        <source>第一批卖出</source>
        <translation>第一批賣出</translation>
    </message>
    <message>
        <source>第二批卖出</source>
        <translation>第二批賣出</translation>
    </message>
    <message>
        <source>第三批卖出</source>
        <translation>第三批賣出</translation>
    </message>
    <message>
        <source>第四批卖出</source>
        <translation>第四批賣出</translation>
    </message>
    <message>
        <source>第五批卖出</source>
        <translation>第五批賣出</translation>
    </message>
    <message>
        <source>多批买入</source>
        <translation>多批買入</translation>
    </message>
    <message>
        <source>多批卖出</source>
        <translation>多批賣出</translation>
    </message>
    <message>
        <source>买入价格</source>
        <translation>買入價格</translation>
    </message>
    <message>
        <source>卖出价格</source>
        <translation>賣出價格</translation>
    </message>
    <message>
        <source>买入数量</source>
        <translation>買入數量</translation>
    </message>
    <message>
        <source>卖出数量</source>
        <translation>賣出數量</translation>
    </message>
</context>
<context>
    <name>tallyfin::ColorPickerWindow</name>
    <message>
        <source>开始</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>提示:
本桌面点开始后单击取色</source>
        <translation>提示:
本桌面按開始後點一下取色</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>停止</translation>
    </message>
</context>
<context>
    <name>tallyfin::MainWindow</name>
    <message>
        <source>目标盈利 (元)</source>
        <translation>目標盈利 (元)</translation>
    </message>
    <message>
        <source>目标收益率 (%)</source>
        <translation>目標收益率 (%)</translation>
    </message>
    <message>
        <source>经典规则：佣金按所选费率，最低 %1 元（免五则不设最低）；印花税按所选费率；沪市过户费每满 1000 股 1 元，不足 1000 股按 1 元，其他市场没有过户费。</source>
        <translation>經典規則：佣金按所選費率，最低 %1 元（免五則不設最低）；印花稅按所選費率；滬市過戶費每滿 1000 股 1 元，不足 1000 股按 1 元，其他市場沒有過戶費。</translation>
    </message>
    <message>
        <source>按成交日期 %1 的规则：%2。各项费用分别四舍五入到分（部分券商截尾）。</source>
        <translation>按成交日期 %1 的規則：%2。各項費用分別四捨五入到分（部分券商截尾）。</translation>
    </message>
    <message>
        <source>注：%1。</source>
        <translation>注：%1。</translation>
    </message>
    <message>
        <source>元</source>
        <translation>元</translation>
    </message>
    <message>
        <source>买入均价</source>
        <translation>買入均價</translation>
    </message>
    <message>
        <source>买入价格</source>
        <translation>買入價格</translation>
    </message>
    <message>
        <source>持股总数</source>
        <translation>持股總數</translation>
    </message>
    <message>
        <source>买入数量</source>
        <translation>買入數量</translation>
    </message>
    <message>
        <source>卖出均价</source>
        <translation>賣出均價</translation>
    </message>
    <message>
        <source>卖出价格</source>
        <translation>賣出價格</translation>
    </message>
    <message>
        <source>卖出总数</source>
        <translation>賣出總數</translation>
    </message>
    <message>
        <source>卖出数量</source>
        <translation>賣出數量</translation>
    </message>
    <message>
        <source>按成交日期 %1 的港股通规则：%2；%3。</source>
        <translation>按成交日期 %1 的港股通規則：%2；%3。</translation>
    </message>
    <message>
        <source>港元</source>
        <translation>港元</translation>
    </message>
</context>
<context>
    <name>tallyfin::PositionToolsWindow</name>
    <message>
        <source>第一笔：卖出</source>
        <translation>第一筆：賣出</translation>
    </message>
    <message>
        <source>第二笔：买入</source>
        <translation>第二筆：買入</translation>
    </message>
    <message>
        <source>实收金额</source>
        <translation>實收金額</translation>
    </message>
    <message>
        <source>实付金额</source>
        <translation>實付金額</translation>
    </message>
    <message>
        <source>保本买回价</source>
        <translation>保本買回價</translation>
    </message>
    <message>
        <source>目标买回价</source>
        <translation>目標買回價</translation>
    </message>
    <message>
        <source>第一笔：买入</source>
        <translation>第一筆：買入</translation>
    </message>
    <message>
        <source>第二笔：卖出</source>
        <translation>第二筆：賣出</translation>
    </message>
    <message>
        <source>保本卖出价</source>
        <translation>保本賣出價</translation>
    </message>
    <message>
        <source>目标卖出价</source>
        <translation>目標賣出價</translation>
    </message>
    <message>
        <source>港元</source>
        <translation>港元</translation>
    </message>
    <message>
        <source>元</source>
        <translation>元</translation>
    </message>
</context>
<context>
    <name>tallyfin::PositionsView</name>
    <message>
        <source>未计入的行</source>
        <translation>未計入的行</translation>
    </message>
    <message>
        <source>持仓</source>
        <translation>持倉</translation>
    </message>
</context>
<context>
    <name>tallyfin::QtPlatform</name>
    <message>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
</context>
<context>
    <name>tallyfin::ScreenReading</name>
    <message>
        <source>桌面不允许本程序读取屏幕。</source>
        <translation>桌面不允許本程式讀取螢幕。</translation>
    </message>
    <message>
        <source>未能读取屏幕。</source>
        <translation>未能讀取螢幕。</translation>
    </message>
</context>
<context>
    <name>tallyfin::SettingsStore</name>
    <message>
        <source>设置文件已损坏或无法读取，已改用默认设置。原文件另存为 %1</source>
        <translation>設定檔案已損壞或無法讀取，已改用預設設定。原檔案另存為 %1</translation>
    </message>
    <message>
        <source>设置文件已损坏或无法读取，已改用默认设置。</source>
        <translation>設定檔案已損壞或無法讀取，已改用預設設定。</translation>
    </message>
    <message>
        <source>设置无法保存到 %1，本次更改只在程序运行期间有效。</source>
        <translation>設定無法儲存到 %1，本次更改只在程式執行期間有效。</translation>
    </message>
</context>
</TS>
