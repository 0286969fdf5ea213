<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AboutWindow</name>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>打开 Tallyfin 的介绍页</source>
        <translation>Open the page about Tallyfin</translation>
    </message>
    <message>
        <source>Tallyfin 介绍页</source>
        <translation>Page about Tallyfin</translation>
    </message>
    <message>
        <source>在浏览器中打开随程序附带的介绍页</source>
        <translation>Opens the page about Tallyfin that ships with the program in the browser</translation>
    </message>
    <message>
        <source>版本0.1</source>
        <translation>Version 0.1</translation>
    </message>
    <message>
        <source>关于我</source>
        <translation>About</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Account</name>
    <message>
        <source>%1：%2 → %3，多出 %4 股；可能缺少这段日期的对账单</source>
        <translation>%1: %2 → %3, %4 shares appear; a statement of these dates may be missing</translation>
    </message>
    <message>
        <source>%1：%2 → %3，少了 %4 股；可能缺少这段日期的对账单</source>
        <translation>%1: %2 → %3, %4 shares vanish; a statement of these dates may be missing</translation>
    </message>
    <message>
        <source>资金余额 %1 → %2：比各行多出 %3 元（导出文件未列出的转账？）</source>
        <translation>cash balance %1 → %2: %3 more than the rows explain (a transfer the export leaves out?)</translation>
    </message>
    <message>
        <source>资金余额 %1 → %2：比各行少了 %3 元（导出文件未列出的转账？）</source>
        <translation>cash balance %1 → %2: %3 less than the rows explain (a transfer the export leaves out?)</translation>
    </message>
    <message>
        <source>%1 %2：卖出一年内获得股息的 %3 股，应补缴 %4 元，没有补缴记录</source>
        <translation>%1 %2: %3 shares that received a dividend within the year sold, %4 due, no tax row</translation>
    </message>
    <message>
        <source>相符</source>
        <translation>Agrees</translation>
    </message>
    <message>
        <source>不符</source>
        <translation>Differs</translation>
    </message>
    <message>
        <source>无法解释</source>
        <translation>Unexplained</translation>
    </message>
    <message>
        <source>买入日未知</source>
        <translation>Bought on an unknown day</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>1个月以内</source>
        <translation>Up to 1 month</translation>
    </message>
    <message>
        <source>1个月至1年</source>
        <translation>1 month to 1 year</translation>
    </message>
    <message>
        <source>1年以上</source>
        <translation>Over 1 year</translation>
    </message>
</context>
<context>
    <name>AccountStore</name>
    <message>
        <source>无法建立账户库 %1：%2</source>
        <translation>cannot make the account store %1: %2</translation>
    </message>
    <message>
        <source>无法打开账户库 %1：%2</source>
        <translation>cannot open the account store %1: %2</translation>
    </message>
    <message>
        <source>%1 不是账户库（不是数据库），未作任何改动</source>
        <translation>%1 is not an account store (not a database); it is left as it is</translation>
    </message>
    <message>
        <source>%1 是其他程序的数据库，不是本程序的账户库，未作任何改动</source>
        <translation>%1 is a database of another program, not Tallyfin&apos;s account store; it is left as it is</translation>
    </message>
    <message>
        <source>账户库 %1 已损坏（%2），未作任何改动</source>
        <translation>the account store %1 is damaged (%2); it is left as it is</translation>
    </message>
    <message>
        <source>%1 由更新版本的本程序写入（库版本 %2，本版本最高支持 %3），未作任何改动</source>
        <translation>%1 was written by a newer Tallyfin (store version %2; this one knows up to %3); it is left as it is</translation>
    </message>
    <message>
        <source>另一个本程序占用账户库 %1 超过 %2 秒，未作任何改动</source>
        <translation>another Tallyfin kept the account store %1 busy for more than %2 s; nothing was changed</translation>
    </message>
    <message>
        <source>账户库 %1 出错：%2，未作任何改动</source>
        <translation>the account store %1 failed: %2; nothing was changed</translation>
    </message>
    <message>
        <source>账户库中还没有账户，请先添加对账单</source>
        <translation>the account store holds no account yet: add a statement first</translation>
    </message>
    <message>
        <source>没有名为“%1”的账户</source>
        <translation>no account is named &apos;%1&apos;</translation>
    </message>
    <message>
        <source>账户库中有多个账户（%1），请选择一个</source>
        <translation>the account store holds several accounts (%1): choose one</translation>
    </message>
    <message>
        <source>对账单中的行属于账户库中的多个账户（%1），未添加任何内容</source>
        <translation>the rows name accounts of several stored accounts (%1); nothing was added</translation>
    </message>
    <message>
        <source>对账单中的账号属于已保存的账户“%1”，请添加到该账户</source>
        <translation>the rows name an account kept as &apos;%1&apos;; add it there</translation>
    </message>
    <message>
        <source>没有编号为 %1 的对账单</source>
        <translation>no statement has the number %1</translation>
    </message>
</context>
<context>
    <name>BatchDialog</name>
    <message>
        <source>多批买入</source>
        <translation>Buy in batches</translation>
    </message>
    <message>
        <source>第一批买入</source>
        <translation>Buy batch 1</translation>
    </message>
    <message>
        <source>买入价格</source>
        <translation>Buy price</translation>
    </message>
    <message>
        <source>元</source>
        <translation>yuan</translation>
    </message>
    <message>
        <source>买入数量</source>
        <translation>Buy quantity</translation>
    </message>
    <message>
        <source>股</source>
        <translation>shares</translation>
    </message>
    <message>
        <source>第二批买入</source>
        <translation>Buy batch 2</translation>
    </message>
    <message>
        <source>第三批买入</source>
        <translation>Buy batch 3</translation>
    </message>
    <message>
        <source>第四批买入</source>
        <translation>Buy batch 4</translation>
    </message>
    <message>
        <source>第五批买入</source>
        <translation>Buy batch 5</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>ColorPickerWindow</name>
    <message>
        <source>颜色代码选取器</source>
        <translation>Colour picker</translation>
    </message>
    <message>
        <source>提示:
点击开始移动鼠标取颜色代码</source>
        <translation>Hint:
click Start, then point at a colour</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
</context>
<context>
    <name>FeePage</name>
    <message>
        <source>%1&lt;br&gt;注：%2</source>
        <translation>%1&lt;br&gt;Note: %2</translation>
    </message>
</context>
<context>
    <name>FeeRules</name>
    <message>
        <source>成交日期 %1 早于费率表的起始日期 %2</source>
        <translation>The trade date %1 is before the fee table starts on %2</translation>
    </message>
    <message>
        <source>%1 自 %2 起才有交易，成交日期 %3 没有它的费率</source>
        <translation>%1 has traded only since %2; there are no fees for it on %3</translation>
    </message>
    <message>
        <source>双向</source>
        <translation>both sides</translation>
    </message>
    <message>
        <source>卖方</source>
        <translation>seller only</translation>
    </message>
    <message>
        <source>%1，最低 %2 元</source>
        <translation>%1, at least %2 yuan</translation>
    </message>
    <message>
        <source>免</source>
        <translation>exempt</translation>
    </message>
    <message>
        <source>面值的 %1‰</source>
        <translation>%1‰ of par value</translation>
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
        <translation>%1, inside the commission</translation>
    </message>
    <message>
        <source>%1，另计</source>
        <translation>%1, on top</translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>%1%2</source>
        <translation>%1%2</translation>
    </message>
    <message>
        <source>%1、%2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1；%2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>成交金额的 %1‰</source>
        <translation>%1‰ of the trade amount</translation>
    </message>
    <message>
        <source>%1，%2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1，随规费含在佣金内或另计</source>
        <translation>%1, with the levies inside the commission or on top</translation>
    </message>
    <message>
        <source>%1 起&#x3000;%2&#x3000;%3：%4&#x3000;[%5]
&#x3000;来源：%6</source>
        <translation>From %1  %2  %3: %4  [%5]
  Source: %6</translation>
    </message>
    <message>
        <source>%1
&#x3000;注：%2</source>
        <translation>%1
  Note: %2</translation>
    </message>
    <message>
        <source>印花税</source>
        <translation>stamp duty</translation>
    </message>
    <message>
        <source>过户费</source>
        <translation>transfer fee</translation>
    </message>
    <message>
        <source>经手费</source>
        <translation>handling fee</translation>
    </message>
    <message>
        <source>证管费</source>
        <translation>management fee</translation>
    </message>
    <message>
        <source>每笔 %1 港元</source>
        <translation>HKD %1 a trade</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>不足 1 港元按 1 港元计</source>
        <translation>up to a whole HKD</translation>
    </message>
    <message>
        <source>最低 %1 港元，最高 %2 港元</source>
        <translation>HKD %1 to %2</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>均为双向，按港元计算</source>
        <translation>each side, in HKD</translation>
    </message>
    <message>
        <source>成交金额的 %1%</source>
        <translation>%1% of the trade amount</translation>
    </message>
    <message>
        <source>交易费</source>
        <translation>trading fee</translation>
    </message>
    <message>
        <source>交易系统使用费</source>
        <translation>trading tariff</translation>
    </message>
    <message>
        <source>交易征费</source>
        <translation>SFC levy</translation>
    </message>
    <message>
        <source>会财局征费</source>
        <translation>AFRC levy</translation>
    </message>
    <message>
        <source>股份交收费</source>
        <translation>settlement fee</translation>
    </message>
</context>
<context>
    <name>FeeTable</name>
    <message>
        <source>2012-06-01至2015-07-31沪市过户费不确定：按中国结算的官方费率计，许多券商当时收取更多</source>
        <translation>The Shanghai transfer fee from 2012-06-01 to 2015-07-31 is uncertain: computed at CSDC&apos;s official rate; many brokers charged more then</translation>
    </message>
    <message>
        <source>财政部 2001-11-16 起由4‰调为2‰（中国证券报 2007-05-30）</source>
        <translation>Ministry of Finance: from 4‰ to 2‰ as of 2001-11-16 (China Securities Journal, 2007-05-30)</translation>
    </message>
    <message>
        <source>基金交易免征印花税（券商费率表）</source>
        <translation>No stamp duty on fund trades (brokers&apos; fee schedules)</translation>
    </message>
    <message>
        <source>上交所收费表（约2008年）：成交面额的0.1%，起点1元</source>
        <translation>SSE fee schedule (about 2008): 0.1% of the par value traded, at least 1 yuan</translation>
    </message>
    <message>
        <source>沪市过户费（面值的1‰，最低1元，面值按1元计）的起始日期未经证实</source>
        <translation>The start of the Shanghai transfer fee (1‰ of par value, at least 1 yuan, par 1 yuan) is unconfirmed</translation>
    </message>
    <message>
        <source>深交所 2012-04-30 通知：经手费0.1475‰中中国结算收取0.0255‰</source>
        <translation>SZSE notice of 2012-04-30: of the 0.1475‰ handling fee, CSDC takes 0.0255‰</translation>
    </message>
    <message>
        <source>深市过户费含在经手费内、不单独列示；起始日期未经证实</source>
        <translation>The Shenzhen transfer fee is part of the handling fee, not shown apart; its start is unconfirmed</translation>
    </message>
    <message>
        <source>中国结算：ETF免收过户费</source>
        <translation>CSDC: no transfer fee on ETFs</translation>
    </message>
    <message>
        <source>债券交易免征印花税（券商问答：债券与基金交易均免交）</source>
        <translation>No stamp duty on bond trades (a broker&apos;s Q&amp;A: bonds and funds are both exempt)</translation>
    </message>
    <message>
        <source>可转债交易只收佣金与经手费（券商问答）</source>
        <translation>Convertible bond trades pay only commission and handling fee (a broker&apos;s Q&amp;A)</translation>
    </message>
    <message>
        <source>未找到上交所可转债经手费的来源</source>
        <translation>No source found for the SSE handling fee on convertible bonds</translation>
    </message>
    <message>
        <source>沪市可转债经手费未找到来源，按深市的0.04‰计</source>
        <translation>No source for the Shanghai convertible bond handling fee; Shenzhen&apos;s 0.04‰ is used</translation>
    </message>
    <message>
        <source>深交所《关于可转换公司债券收费标准的通知》（2022-07-29，现行标准）</source>
        <translation>SZSE notice on the fees for convertible bonds (2022-07-29, in force)</translation>
    </message>
    <message>
        <source>深市可转债经手费0.04‰在2022-07-29之前的适用未经证实</source>
        <translation>The Shenzhen convertible bond handling fee of 0.04‰ before 2022-07-29 is unconfirmed</translation>
    </message>
    <message>
        <source>发改价格〔2012〕2119号之前无来源</source>
        <translation>No source before NDRC Price [2012] No. 2119</translation>
    </message>
    <message>
        <source>2012年之前债券的证管费未经证实（按免收计）</source>
        <translation>The management fee on bonds before 2012 is unconfirmed (taken as exempt)</translation>
    </message>
    <message>
        <source>上证财字〔2003〕2号（原0.105‰）</source>
        <translation>SSE Finance [2003] No. 2 (formerly 0.105‰)</translation>
    </message>
    <message>
        <source>沪市经手费0.105‰的起始日期未经证实</source>
        <translation>The start of the Shanghai handling fee of 0.105‰ is unconfirmed</translation>
    </message>
    <message>
        <source>深交所 2012-04-30 通知（本所收取0.122‰）</source>
        <translation>SZSE notice of 2012-04-30 (the exchange takes 0.122‰)</translation>
    </message>
    <message>
        <source>深市经手费0.122‰的起始日期未经证实</source>
        <translation>The start of the Shenzhen handling fee of 0.122‰ is unconfirmed</translation>
    </message>
    <message>
        <source>上证财字〔2003〕2号（基金原0.085‰）</source>
        <translation>SSE Finance [2003] No. 2 (funds formerly 0.085‰)</translation>
    </message>
    <message>
        <source>沪市基金经手费0.085‰的起始日期未经证实</source>
        <translation>The start of the Shanghai fund handling fee of 0.085‰ is unconfirmed</translation>
    </message>
    <message>
        <source>深证上〔2021〕655号（由0.0487‰下调）</source>
        <translation>SZSE [2021] No. 655 (lowered from 0.0487‰)</translation>
    </message>
    <message>
        <source>深市基金经手费0.0487‰在2015-08-01之前的适用未经证实</source>
        <translation>The Shenzhen fund handling fee of 0.0487‰ before 2015-08-01 is unconfirmed</translation>
    </message>
    <message>
        <source>基金经手费0.085‰的起始日期未经证实；沪深基金经手费不同时按沪市计</source>
        <translation>The start of the fund handling fee of 0.085‰ is unconfirmed; where Shanghai&apos;s and Shenzhen&apos;s fund fees differ, Shanghai&apos;s is used</translation>
    </message>
    <message>
        <source>上证财字〔2003〕2号（证管费原0.045‰）</source>
        <translation>SSE Finance [2003] No. 2 (management fee formerly 0.045‰)</translation>
    </message>
    <message>
        <source>证管费0.045‰的起始日期未经证实，深市按沪市计</source>
        <translation>The start of the management fee of 0.045‰ is unconfirmed; Shenzhen is taken as Shanghai</translation>
    </message>
    <message>
        <source>上证财字〔2003〕2号（基金原不收证管费）</source>
        <translation>SSE Finance [2003] No. 2 (funds formerly paid no management fee)</translation>
    </message>
    <message>
        <source>上证财字〔2003〕2号</source>
        <translation>SSE Finance [2003] No. 2</translation>
    </message>
    <message>
        <source>2003年经手费调整的生效日期未经证实（按通知日期计）</source>
        <translation>The effective date of the 2003 handling fee change is unconfirmed (the notice&apos;s date is used)</translation>
    </message>
    <message>
        <source>2003年经手费调整的生效日期未经证实（按通知日期计）；沪深基金经手费不同时按沪市计</source>
        <translation>The effective date of the 2003 handling fee change is unconfirmed (the notice&apos;s date is used); where Shanghai&apos;s and Shenzhen&apos;s fund fees differ, Shanghai&apos;s is used</translation>
    </message>
    <message>
        <source>2003年证管费调整的生效日期未经证实（按通知日期计）</source>
        <translation>The effective date of the 2003 management fee change is unconfirmed (the notice&apos;s date is used)</translation>
    </message>
    <message>
        <source>财政部 国家税务总局《关于调整证券(股票)交易印花税税率的通知》</source>
        <translation>Ministry of Finance and State Administration of Taxation: notice on the stamp duty rate on securities (share) trades</translation>
    </message>
    <message>
        <source>财税〔2007〕84号</source>
        <translation>Caishui [2007] No. 84</translation>
    </message>
    <message>
        <source>新浪财经 2008-04-23</source>
        <translation>Sina Finance, 2008-04-23</translation>
    </message>
    <message>
        <source>财税明电〔2008〕2号：只对出让方征收</source>
        <translation>Caishui Mingdian [2008] No. 2: charged on the seller only</translation>
    </message>
    <message>
        <source>发改价格〔2012〕2119号</source>
        <translation>NDRC Price [2012] No. 2119</translation>
    </message>
    <message>
        <source>证管费0.02‰向投资者收取的起始日期未经证实</source>
        <translation>The start of the 0.02‰ management fee charged to investors is unconfirmed</translation>
    </message>
    <message>
        <source>发改价格〔2012〕2119号：对证券投资基金和债券免收</source>
        <translation>NDRC Price [2012] No. 2119: funds and bonds are exempt</translation>
    </message>
    <message>
        <source>中国结算 2012-04-30 通知（他方整理的数据）</source>
        <translation>CSDC notice of 2012-04-30 (figures compiled by others)</translation>
    </message>
    <message>
        <source>沪深交易所 2012-04-30 通知</source>
        <translation>SSE and SZSE notices of 2012-04-30</translation>
    </message>
    <message>
        <source>中国结算 2015 通知：成交面值0.3‰</source>
        <translation>CSDC notice of 2015: 0.3‰ of the par value traded</translation>
    </message>
    <message>
        <source>2012-09-01 经手费下调20%</source>
        <translation>Handling fee lowered by 20% on 2012-09-01</translation>
    </message>
    <message>
        <source>中国结算《关于调整A股交易过户费收费标准有关事项的通知》</source>
        <translation>CSDC notice on the change of the A-share transfer fee</translation>
    </message>
    <message>
        <source>中国结算《关于调整A股交易过户费收费标准有关事项的通知》；交割单上含在佣金内（三家券商的交割单）</source>
        <translation>CSDC notice on the change of the A-share transfer fee; inside the commission on statements (three brokers&apos; statements)</translation>
    </message>
    <message>
        <source>沪深交易所与中国结算 2015-07 问答</source>
        <translation>SSE, SZSE and CSDC Q&amp;A of 2015-07</translation>
    </message>
    <message>
        <source>深证上〔2021〕655号（由0.0487‰下调）；2021年深市ETF交割单</source>
        <translation>SZSE [2021] No. 655 (lowered from 0.0487‰); a 2021 Shenzhen ETF statement</translation>
    </message>
    <message>
        <source>深证上〔2021〕655号</source>
        <translation>SZSE [2021] No. 655</translation>
    </message>
    <message>
        <source>《印花税法》第三条；北交所 2021-11-15 开市</source>
        <translation>Stamp Duty Law, article 3; the Beijing Stock Exchange opened on 2021-11-15</translation>
    </message>
    <message>
        <source>新华网 2022-04-28</source>
        <translation>Xinhua, 2022-04-28</translation>
    </message>
    <message>
        <source>北京日报：北交所经手费</source>
        <translation>Beijing Daily: the Beijing Stock Exchange&apos;s handling fee</translation>
    </message>
    <message>
        <source>无来源，按沪深计</source>
        <translation>No source; taken as Shanghai and Shenzhen</translation>
    </message>
    <message>
        <source>北交所证管费无来源，按沪深的0.02‰计</source>
        <translation>No source for the Beijing management fee; Shanghai&apos;s and Shenzhen&apos;s 0.02‰ is used</translation>
    </message>
    <message>
        <source>新华网 2022-04-28：自2022年4月29日起统一下调为0.01‰</source>
        <translation>Xinhua, 2022-04-28: lowered to 0.01‰ everywhere from 29 April 2022</translation>
    </message>
    <message>
        <source>《中华人民共和国印花税法》第三条</source>
        <translation>Stamp Duty Law of the People&apos;s Republic of China, article 3</translation>
    </message>
    <message>
        <source>深交所《关于可转换公司债券收费标准的通知》：可转债交易经手费按成交金额的0.04‰双边收取</source>
        <translation>SZSE notice on the fees for convertible bonds: a handling fee of 0.04‰ of the trade amount on both sides</translation>
    </message>
    <message>
        <source>北京日报：自2022年12月1日起</source>
        <translation>Beijing Daily: from 1 December 2022</translation>
    </message>
    <message>
        <source>财政部 税务总局公告2023年第39号：减半征收</source>
        <translation>Ministry of Finance and State Taxation Administration announcement No. 39 of 2023: halved</translation>
    </message>
    <message>
        <source>新华社 2023-08-18：0.00341%</source>
        <translation>Xinhua, 2023-08-18: 0.00341%</translation>
    </message>
    <message>
        <source>新华社 2023-08-18：0.0125%</source>
        <translation>Xinhua, 2023-08-18: 0.0125%</translation>
    </message>
    <message>
        <source>基金权证按ETF/LOF基金的费率计；权证的费率未经证实</source>
        <translation>Funds &amp; warrants are computed at ETF/LOF fund rates; the warrant rates are unconfirmed</translation>
    </message>
    <message>
        <source>香港税务局：股票交易印花税按成交金额的0.1%，不足1港元亦作1港元计</source>
        <translation>Hong Kong Inland Revenue Department: stamp duty on share trades is 0.1% of the amount, any part of a dollar counting as HKD 1</translation>
    </message>
    <message>
        <source>香港交易所收费表：交易费0.005%</source>
        <translation>HKEX fee schedule: trading fee 0.005%</translation>
    </message>
    <message>
        <source>香港交易所收费表：交易系统使用费每笔0.50港元</source>
        <translation>HKEX fee schedule: trading tariff HKD 0.50 a trade</translation>
    </message>
    <message>
        <source>香港交易所收费表：证监会交易征费0.0027%（2014-11-01起）</source>
        <translation>HKEX fee schedule: SFC transaction levy 0.0027% (since 2014-11-01)</translation>
    </message>
    <message>
        <source>财汇局交易征费2022-01-01起才收取</source>
        <translation>The FRC transaction levy is charged only from 2022-01-01</translation>
    </message>
    <message>
        <source>香港交易所结算收费表：股份交收费0.002%，最低2港元，最高100港元</source>
        <translation>HKEX clearing fee schedule: settlement fee 0.002%, at least HKD 2, at most HKD 100</translation>
    </message>
    <message>
        <source>香港税务局：2021年财政预算案，2021-08-01起上调为0.13%</source>
        <translation>Hong Kong Inland Revenue Department: 2021 budget, raised to 0.13% from 2021-08-01</translation>
    </message>
    <message>
        <source>香港交易所收费表：财汇局交易征费0.00015%（2022-10-01起称会财局）；券商 2021-12 通知</source>
        <translation>HKEX fee schedule: FRC transaction levy 0.00015% (the council renamed AFRC on 2022-10-01); brokers&apos; notices of 2021-12</translation>
    </message>
    <message>
        <source>香港交易所 2022-11-01 公告：2023-01-01起交易费0.00565%</source>
        <translation>HKEX announcement of 2022-11-01: trading fee 0.00565% from 2023-01-01</translation>
    </message>
    <message>
        <source>香港交易所 2022-11-01 公告：2023-01-01起取消交易系统使用费</source>
        <translation>HKEX announcement of 2022-11-01: trading tariff abolished from 2023-01-01</translation>
    </message>
    <message>
        <source>香港税务局：2023-11-17起下调为0.1%</source>
        <translation>Hong Kong Inland Revenue Department: lowered to 0.1% from 2023-11-17</translation>
    </message>
    <message>
        <source>香港交易所 2025 年公告：2025-06-30起股份交收费0.0042%，不设最低和最高收费</source>
        <translation>HKEX announcements of 2025: settlement fee 0.0042% from 2025-06-30, with no minimum or maximum</translation>
    </message>
    <message>
        <source>2025-06-30起的股份交收费尚未经真实交割单验证</source>
        <translation>the settlement fee since 2025-06-30 is not yet confirmed by a real statement</translation>
    </message>
</context>
<context>
    <name>Golden</name>
    <message>
        <source>请输入低点数据！</source>
        <translation>Please enter the low!</translation>
    </message>
    <message>
        <source>请输入高点数据！</source>
        <translation>Please enter the high!</translation>
    </message>
    <message>
        <source>请输入低点和高点数据</source>
        <translation>Please enter the low and the high</translation>
    </message>
    <message>
        <source>请输入低点和高点数据！</source>
        <translation>Please enter the low and the high!</translation>
    </message>
</context>
<context>
    <name>GoldenSectionWindow</name>
    <message>
        <source>黄金分割计算器</source>
        <translation>Golden-section calculator</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>低点</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>高点</source>
        <translation>High</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Levels</translation>
    </message>
    <message>
        <source>2倍</source>
        <translation>2×</translation>
    </message>
    <message>
        <source>2.618倍</source>
        <translation>2.618×</translation>
    </message>
    <message>
        <source>3倍</source>
        <translation>3×</translation>
    </message>
    <message>
        <source>关于我</source>
        <translation>About</translation>
    </message>
    <message>
        <source>低点上涨</source>
        <translation>Up from low</translation>
    </message>
    <message>
        <source>高点下跌</source>
        <translation>Down from high</translation>
    </message>
    <message>
        <source>区间反弹</source>
        <translation>Rebound</translation>
    </message>
    <message>
        <source>区间回调</source>
        <translation>Pull-back</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>工具箱(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>常用网址</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>语言(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>帮助(&amp;A)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>恢复默认设置(&amp;R)</source>
        <translation>&amp;Restore default settings</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>黄金分割计算器</source>
        <translation>Golden-section calculator</translation>
    </message>
    <message>
        <source>颜色代码选取器</source>
        <translation>Colour code picker</translation>
    </message>
    <message>
        <source>屏幕截图</source>
        <translation>Screen capture</translation>
    </message>
    <message>
        <source>我的博客</source>
        <translation>My blog</translation>
    </message>
    <message>
        <source>上证所</source>
        <translation>Shanghai Stock Exchange</translation>
    </message>
    <message>
        <source>深交所</source>
        <translation>Shenzhen Stock Exchange</translation>
    </message>
    <message>
        <source>发改委</source>
        <translation>NDRC</translation>
    </message>
    <message>
        <source>证监会</source>
        <translation>CSRC</translation>
    </message>
    <message>
        <source>股票网址大全</source>
        <translation>Stock-market websites</translation>
    </message>
    <message>
        <source>跟随系统</source>
        <translation>Follow the system</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>费率规则</source>
        <translation>Fee rules</translation>
    </message>
    <message>
        <source>成交日期</source>
        <translation>Trade date</translation>
    </message>
    <message>
        <source>证 交 所</source>
        <translation>Exchange</translation>
    </message>
    <message>
        <source>佣    金</source>
        <translation>Commission</translation>
    </message>
    <message>
        <source>%。</source>
        <translation>‰</translation>
    </message>
    <message>
        <source>印 花 税</source>
        <translation>Stamp duty</translation>
    </message>
    <message>
        <source>印花税双边征收</source>
        <translation>Stamp duty on both sides</translation>
    </message>
    <message>
        <source>免五（佣金不设 5 元最低）</source>
        <translation>No 5-yuan minimum commission</translation>
    </message>
    <message>
        <source>规费另计（经手费、证管费）</source>
        <translation>Levies on top (handling and management fees)</translation>
    </message>
    <message>
        <source>窗口置顶</source>
        <translation>Always on top</translation>
    </message>
    <message>
        <source>工具箱</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>计算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>买入计算</source>
        <translation>Buy</translation>
    </message>
    <message>
        <source>买入价格</source>
        <translation>Buy price</translation>
    </message>
    <message>
        <source>元</source>
        <translation>yuan</translation>
    </message>
    <message>
        <source>买入数量</source>
        <translation>Buy quantity</translation>
    </message>
    <message>
        <source>股</source>
        <translation>shares</translation>
    </message>
    <message>
        <source>交易金额</source>
        <translation>Trade amount</translation>
    </message>
    <message>
        <source>过 户 费</source>
        <translation>Transfer fee</translation>
    </message>
    <message>
        <source>规    费</source>
        <translation>Levies</translation>
    </message>
    <message>
        <source>费用合计</source>
        <translation>Total fees</translation>
    </message>
    <message>
        <source>实付金额</source>
        <translation>Cash paid</translation>
    </message>
    <message>
        <source>买入成本</source>
        <translation>Cost per share</translation>
    </message>
    <message>
        <source>保本价格</source>
        <translation>Break-even price</translation>
    </message>
    <message>
        <source>多批买入</source>
        <translation>Buy in batches</translation>
    </message>
    <message>
        <source>卖出计算</source>
        <translation>Sell</translation>
    </message>
    <message>
        <source>卖出价格</source>
        <translation>Sell price</translation>
    </message>
    <message>
        <source>卖出数量</source>
        <translation>Sell quantity</translation>
    </message>
    <message>
        <source>实收金额</source>
        <translation>Cash received</translation>
    </message>
    <message>
        <source>收 益 率</source>
        <translation>Return</translation>
    </message>
    <message>
        <source>盈亏金额</source>
        <translation>Profit</translation>
    </message>
    <message>
        <source>目标类型</source>
        <translation>Target type</translation>
    </message>
    <message>
        <source>目 标 值</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>目标卖价</source>
        <translation>Target price</translation>
    </message>
    <message>
        <source>实收/盈亏</source>
        <translation>Received / profit</translation>
    </message>
    <message>
        <source>多批卖出</source>
        <translation>Sell in batches</translation>
    </message>
    <message>
        <source>持仓工具</source>
        <translation>Position tools</translation>
    </message>
    <message>
        <source>交割单核对</source>
        <translation>Statement check</translation>
    </message>
    <message>
        <source>结算汇率</source>
        <translation>Rates</translation>
    </message>
    <message>
        <source>买入结算汇率</source>
        <translation>Buy settlement rate</translation>
    </message>
    <message>
        <source>买入结算汇率：中国结算公布的 1 港元折合人民币，最多六位小数</source>
        <translation>Buy settlement rate: yuan per HKD as China Clear publishes it, at most six decimals</translation>
    </message>
    <message>
        <source>买入</source>
        <translation>Buy</translation>
    </message>
    <message>
        <source>卖出结算汇率</source>
        <translation>Sell settlement rate</translation>
    </message>
    <message>
        <source>卖出结算汇率：中国结算公布的 1 港元折合人民币，最多六位小数</source>
        <translation>Sell settlement rate: yuan per HKD as China Clear publishes it, at most six decimals</translation>
    </message>
    <message>
        <source>卖出</source>
        <translation>Sell</translation>
    </message>
</context>
<context>
    <name>Markets</name>
    <message>
        <source>按成交日期</source>
        <translation>By trade date</translation>
    </message>
    <message>
        <source>经典规则</source>
        <translation>Classic rules</translation>
    </message>
    <message>
        <source>%1、%2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>上海A股</source>
        <translation>Shanghai A-shares</translation>
    </message>
    <message>
        <source>深圳A股</source>
        <translation>Shenzhen A-shares</translation>
    </message>
    <message>
        <source>北京A股</source>
        <translation>Beijing A-shares</translation>
    </message>
    <message>
        <source>上海基金</source>
        <translation>Shanghai funds</translation>
    </message>
    <message>
        <source>深圳基金</source>
        <translation>Shenzhen funds</translation>
    </message>
    <message>
        <source>上海可转债</source>
        <translation>Shanghai convertible bonds</translation>
    </message>
    <message>
        <source>深圳可转债</source>
        <translation>Shenzhen convertible bonds</translation>
    </message>
    <message>
        <source>基金权证</source>
        <translation>Funds &amp; warrants</translation>
    </message>
    <message>
        <source>%1 的整数倍</source>
        <translation>multiples of %1</translation>
    </message>
    <message>
        <source>至少 %1，超出部分以 %2 为单位增加</source>
        <translation>at least %1, then in steps of %2</translation>
    </message>
    <message>
        <source>债券ETF</source>
        <translation>bond ETFs</translation>
    </message>
    <message>
        <source>货币ETF</source>
        <translation>money-market ETFs</translation>
    </message>
    <message>
        <source>单只证券</source>
        <translation>one security</translation>
    </message>
    <message>
        <source>港股通</source>
        <translation>Stock Connect (HK)</translation>
    </message>
</context>
<context>
    <name>PositionTools</name>
    <message>
        <source>无法识别证券代码“%1”，或本程序不计算它的费用</source>
        <translation>The security code “%1” is unknown, or Tallyfin does not compute its fees</translation>
    </message>
    <message>
        <source>%1应大于 0 且不超过 %2 元</source>
        <translation>%1 must be above 0 and at most %2 yuan</translation>
    </message>
    <message>
        <source>%1应为最小报价单位 %2 元的整数倍</source>
        <translation>%1 must be a multiple of the tick, %2 yuan</translation>
    </message>
    <message>
        <source>%1应为 1 到 %2 之间的整数</source>
        <translation>%1 must be a whole number from 1 to %2</translation>
    </message>
    <message>
        <source>%1应大于 0</source>
        <translation>%1 must be above 0</translation>
    </message>
    <message>
        <source>持仓数量少于做T数量</source>
        <translation>The holding is smaller than the quantity traded</translation>
    </message>
    <message>
        <source>目标成本应高于补仓价格</source>
        <translation>The target cost must be above the price of the top-up</translation>
    </message>
    <message>
        <source>当前成本已不高于目标成本，无需补仓</source>
        <translation>The cost is already at or below the target: no top-up needed</translation>
    </message>
    <message>
        <source>按此价格补仓，成本降不到目标成本</source>
        <translation>Topping up at this price cannot bring the cost down to the target</translation>
    </message>
    <message>
        <source>全部卖出也收不回投入的资金</source>
        <translation>Even selling everything does not get the money back</translation>
    </message>
    <message>
        <source>任何价格都不能保本</source>
        <translation>No price breaks even</translation>
    </message>
    <message>
        <source>任何价格都达不到目标收益</source>
        <translation>No price reaches the target gain</translation>
    </message>
    <message>
        <source>请填写%1</source>
        <translation>Please fill in %1</translation>
    </message>
    <message>
        <source>免五</source>
        <translation>no minimum</translation>
    </message>
    <message>
        <source>最低 %1 元</source>
        <translation>minimum %1 yuan</translation>
    </message>
    <message>
        <source>佣金 %1‰，%2，规费另计</source>
        <translation>commission %1‰, %2, levies on top</translation>
    </message>
    <message>
        <source>佣金 %1‰，%2</source>
        <translation>commission %1‰, %2</translation>
    </message>
    <message>
        <source>%1，%2 的规则；%3；报价单位 %4 元；每笔数量：%5</source>
        <translation>%1, rules of %2; %3; tick %4 yuan; order size: %5</translation>
    </message>
    <message>
        <source>持仓成本价和买入总额请填写其中一项</source>
        <translation>Fill in either the cost per share or the total cash paid</translation>
    </message>
    <message>
        <source>做T数量 %1 不合交易单位：%2</source>
        <translation>The round-trip quantity %1 is not a valid order size: %2</translation>
    </message>
    <message>
        <source>%1应在 ±%2 元之间</source>
        <translation>%1 must lie within ±%2 yuan</translation>
    </message>
    <message>
        <source>%1；%2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>持仓数量和持仓成本应同时填写</source>
        <translation>Fill in the shares held and their cost together</translation>
    </message>
    <message>
        <source>做T数量</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>第一笔价格</source>
        <translation>First price</translation>
    </message>
    <message>
        <source>第二笔价格</source>
        <translation>Second price</translation>
    </message>
    <message>
        <source>持仓数量</source>
        <translation>Shares held</translation>
    </message>
    <message>
        <source>持仓成本</source>
        <translation>Cost per share</translation>
    </message>
    <message>
        <source>目标盈利</source>
        <translation>Target gain</translation>
    </message>
    <message>
        <source>买入总额</source>
        <translation>Cash paid</translation>
    </message>
    <message>
        <source>持仓成本价</source>
        <translation>Cost per share</translation>
    </message>
    <message>
        <source>补仓价格</source>
        <translation>Price to buy at</translation>
    </message>
    <message>
        <source>目标成本</source>
        <translation>Target cost</translation>
    </message>
    <message>
        <source>投入资金</source>
        <translation>Cash put in</translation>
    </message>
    <message>
        <source>卖出价格</source>
        <translation>Price to sell at</translation>
    </message>
    <message>
        <source>每手股数</source>
        <translation>Board lot</translation>
    </message>
    <message>
        <source>每手股数只用于港股通：A股的交易单位由交易所规定</source>
        <translation>A board lot is for Stock Connect (HK) only: the exchanges set the order sizes of A-shares</translation>
    </message>
    <message>
        <source>%1，%2 的规则；%3；结算汇率：买入 %4，卖出 %5；价格以港元计，报价单位按港股价位表；每笔数量：%6</source>
        <translation>%1, rules of %2; %3; settlement rates: buy %4, sell %5; prices in HKD on the Hong Kong spread table; order size: %6</translation>
    </message>
</context>
<context>
    <name>PositionToolsWindow</name>
    <message>
        <source>持仓工具</source>
        <translation>Position tools</translation>
    </message>
    <message>
        <source>代码</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>做T</source>
        <translation>Round trip</translation>
    </message>
    <message>
        <source>正T（先卖后买）</source>
        <translation>Sell first, buy back</translation>
    </message>
    <message>
        <source>倒T（先买后卖）</source>
        <translation>Buy first, sell later</translation>
    </message>
    <message>
        <source>做T数量</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>股</source>
        <translation>shares</translation>
    </message>
    <message>
        <source>第一笔价格</source>
        <translation>First price</translation>
    </message>
    <message>
        <source>元</source>
        <translation>yuan</translation>
    </message>
    <message>
        <source>第二笔价格</source>
        <translation>Second price</translation>
    </message>
    <message>
        <source>持仓数量</source>
        <translation>Shares held</translation>
    </message>
    <message>
        <source>持仓成本</source>
        <translation>Cost per share</translation>
    </message>
    <message>
        <source>目标盈利</source>
        <translation>Target gain</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>净盈亏</source>
        <translation>Net gain</translation>
    </message>
    <message>
        <source>摊薄成本</source>
        <translation>Diluted cost</translation>
    </message>
    <message>
        <source>保本买回价</source>
        <translation>Break-even buy-back</translation>
    </message>
    <message>
        <source>目标买回价</source>
        <translation>Target buy-back</translation>
    </message>
    <message>
        <source>第一笔：卖出</source>
        <translation>First order: sell</translation>
    </message>
    <message>
        <source>交易金额</source>
        <translation>Trade amount</translation>
    </message>
    <message>
        <source>佣金</source>
        <translation>Commission</translation>
    </message>
    <message>
        <source>印花税</source>
        <translation>Stamp duty</translation>
    </message>
    <message>
        <source>过户费</source>
        <translation>Transfer fee</translation>
    </message>
    <message>
        <source>规费</source>
        <translation>Levies</translation>
    </message>
    <message>
        <source>费用合计</source>
        <translation>Total fees</translation>
    </message>
    <message>
        <source>实收金额</source>
        <translation>Cash received</translation>
    </message>
    <message>
        <source>第二笔：买入</source>
        <translation>Second order: buy</translation>
    </message>
    <message>
        <source>计算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>补仓</source>
        <translation>Average down</translation>
    </message>
    <message>
        <source>持仓成本价</source>
        <translation>Cost per share</translation>
    </message>
    <message>
        <source>或买入总额</source>
        <translation>or cash paid</translation>
    </message>
    <message>
        <source>补仓价格</source>
        <translation>Price to buy at</translation>
    </message>
    <message>
        <source>目标成本</source>
        <translation>Target cost</translation>
    </message>
    <message>
        <source>补仓数量</source>
        <translation>Shares to buy</translation>
    </message>
    <message>
        <source>实付金额</source>
        <translation>Cash paid</translation>
    </message>
    <message>
        <source>补仓后成本</source>
        <translation>New cost</translation>
    </message>
    <message>
        <source>补仓数量是按补仓价格买入、计入费用后使每股成本不高于目标成本的最少数量（合乎交易单位）。持仓成本价与买入总额填写其中一项，均含买入费用。</source>
        <translation>The shares to buy are the fewest (a valid order size) that, bought at the price with their fees, bring the cost per share to at most the target. Fill in the cost per share or the total cash paid, both including the buying fees.</translation>
    </message>
    <message>
        <source>回本</source>
        <translation>Recover cash</translation>
    </message>
    <message>
        <source>投入资金</source>
        <translation>Cash put in</translation>
    </message>
    <message>
        <source>卖出价格</source>
        <translation>Price to sell at</translation>
    </message>
    <message>
        <source>卖出数量</source>
        <translation>Shares to sell</translation>
    </message>
    <message>
        <source>剩余持股</source>
        <translation>Shares kept</translation>
    </message>
    <message>
        <source>尚差金额</source>
        <translation>Shortfall</translation>
    </message>
    <message>
        <source>卖出数量是按卖出价格卖出、扣除费用后实收金额不少于投入资金的最少数量（合乎交易单位，或全部卖出）；剩余股份继续持有。全部卖出仍不够时，显示尚差金额。</source>
        <translation>The shares to sell are the fewest (a valid order size, or the whole holding) whose cash received after fees at the price is at least the cash put in; the rest stay held. When selling everything is not enough, the shortfall is shown.</translation>
    </message>
    <message>
        <source>每手股数（港股通）</source>
        <translation>Board lot (HK)</translation>
    </message>
    <message>
        <source>留空则按主窗口所选的证交所计算</source>
        <translation>Leave empty to use the market chosen in the main window</translation>
    </message>
</context>
<context>
    <name>Positions</name>
    <message>
        <source>摊薄成本 =（买入付出的资金含费用 − 卖出收回的净额 − 税后股息）÷ 持股数；持股归零后重新计算，可为负数</source>
        <translation>Diluted cost = (cash paid for buys with fees − net receipts of sales − dividends after tax) ÷ shares held; started afresh when the holding reaches 0; may be negative</translation>
    </message>
    <message>
        <source>移动平均成本：买入把含费用的资金计入成本，卖出按当时的平均成本减去所卖股份的成本；已实现盈亏 = 卖出净额 − 减去的成本</source>
        <translation>Moving-average cost: a buy adds its cash with fees to the cost; a sale removes the shares sold at the average cost of the moment; realised = net receipts − cost removed</translation>
    </message>
    <message>
        <source>先进先出：卖出先用最早买入的股份，每股带着它那笔买入的费用；已实现盈亏 = 卖出净额 − 这些股份的成本</source>
        <translation>First in, first out: a sale uses the earliest shares bought first, each with its share of its buy&apos;s fees; realised = net receipts − their cost</translation>
    </message>
    <message>
        <source>第 %1 行：%2 卖出 %3 股，多于当时持有的 %4 股，这笔卖出及其费用未计入</source>
        <translation>Line %1: %2 sold %3 shares, more than the %4 then held; this sale and its fees are left out</translation>
    </message>
    <message>
        <source>第 %1 行：%2 %3 %4 未计入：%5</source>
        <translation>Line %1: %2 %3 %4 left out: %5</translation>
    </message>
    <message>
        <source>代码</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>持股</source>
        <translation>Shares</translation>
    </message>
    <message>
        <source>摊薄成本</source>
        <translation>Diluted cost</translation>
    </message>
    <message>
        <source>移动平均成本</source>
        <translation>Average cost</translation>
    </message>
    <message>
        <source>已实现盈亏（移动平均）</source>
        <translation>Realised (average)</translation>
    </message>
    <message>
        <source>已实现盈亏（先进先出）</source>
        <translation>Realised (FIFO)</translation>
    </message>
    <message>
        <source>费用</source>
        <translation>Fees</translation>
    </message>
    <message>
        <source>股息（税后）</source>
        <translation>Dividends (after tax)</translation>
    </message>
    <message>
        <source>费用：佣金、印花税、过户费和规费（不含股息红利税）；股息为税后金额，持股时冲减摊薄成本，不计入已实现盈亏；不持股时入账的股息或税款在三种算法下都计入已实现盈亏</source>
        <translation>Fees: commission, stamp duty, transfer fee and levies (not dividend tax); dividends are net of tax: while shares are held they lower the diluted cost and are no realised profit; a dividend or tax booked while nothing is held counts as realised in all three</translation>
    </message>
</context>
<context>
    <name>Statement</name>
    <message>
        <source>未使用的列</source>
        <translation>unused column</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>date</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>time</translation>
    </message>
    <message>
        <source>代码</source>
        <translation>code</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>name</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>operation</translation>
    </message>
    <message>
        <source>市场</source>
        <translation>market</translation>
    </message>
    <message>
        <source>币种</source>
        <translation>currency</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>quantity</translation>
    </message>
    <message>
        <source>价格</source>
        <translation>price</translation>
    </message>
    <message>
        <source>金额</source>
        <translation>amount</translation>
    </message>
    <message>
        <source>佣金</source>
        <translation>commission</translation>
    </message>
    <message>
        <source>印花税</source>
        <translation>stamp duty</translation>
    </message>
    <message>
        <source>过户费</source>
        <translation>transfer fee</translation>
    </message>
    <message>
        <source>经手费</source>
        <translation>handling fee</translation>
    </message>
    <message>
        <source>证管费</source>
        <translation>management fee</translation>
    </message>
    <message>
        <source>规费</source>
        <translation>levies</translation>
    </message>
    <message>
        <source>其他费用</source>
        <translation>other fees</translation>
    </message>
    <message>
        <source>费用合计</source>
        <translation>Total fees</translation>
    </message>
    <message>
        <source>发生金额</source>
        <translation>cash movement</translation>
    </message>
    <message>
        <source>汇率</source>
        <translation>exchange rate</translation>
    </message>
    <message>
        <source>成交笔数</source>
        <translation>number of fills</translation>
    </message>
    <message>
        <source>委托编号</source>
        <translation>order number</translation>
    </message>
    <message>
        <source>成交编号</source>
        <translation>trade number</translation>
    </message>
    <message>
        <source>股东账户</source>
        <translation>account</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>没有读取权限</source>
        <translation>no permission to read it</translation>
    </message>
    <message>
        <source>这是一个文件夹</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>这不是普通文件</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>系统错误 %1</source>
        <translation>system error %1</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>%1、%2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>无法打开文件 %1：%2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message>
        <source>文件大小为 %1，超过 %2 的对账单不予读取</source>
        <translation>The file is %1; statements larger than %2 are not read</translation>
    </message>
    <message>
        <source>文件是空的</source>
        <translation>The file is empty</translation>
    </message>
    <message>
        <source>文件既不是文本，也不是 .xls 或 .xlsx 表格</source>
        <translation>The file is neither text nor a spreadsheet (.xls, .xlsx)</translation>
    </message>
    <message>
        <source>文件是网页（HTML），不是对账单导出文件；请用表格软件打开并另存为 .xlsx</source>
        <translation>The file is a web page (HTML), not a statement export; open it in a spreadsheet program and save it as .xlsx</translation>
    </message>
    <message>
        <source>无法读取表格文件（%1）</source>
        <translation>The spreadsheet cannot be read (%1)</translation>
    </message>
    <message>
        <source>找不到表头：没有一行同时列出日期、代码、操作、数量和价格或金额</source>
        <translation>No header row: no row names a date, a code, an operation, a quantity and a price or amount</translation>
    </message>
    <message>
        <source>找不到表头：没有一行同时列出日期、代码、操作、数量和价格或金额（按 %1 编码读取）</source>
        <translation>No header row: no row names a date, a code, an operation, a quantity and a price or amount (the text was read as %1)</translation>
    </message>
    <message>
        <source>已取消读取</source>
        <translation>Reading was cancelled</translation>
    </message>
    <message>
        <source>%1为空</source>
        <translation>No date in %1</translation>
    </message>
    <message>
        <source>%1“%2”不是日期</source>
        <translation>“%2” in %1 is not a date</translation>
    </message>
    <message>
        <source>%1“%2”早于 1990 年或晚于 2099 年</source>
        <translation>The date “%2” in %1 is before 1990 or after 2099</translation>
    </message>
    <message>
        <source>%1为空，无法判断业务</source>
        <translation>No operation: %1 is empty</translation>
    </message>
    <message>
        <source>操作栏互相矛盾（“%2”），发生金额和数量也无法判断买卖方向</source>
        <translation>The operation columns disagree (“%2”) and neither the cash nor the quantity tells the side</translation>
    </message>
    <message>
        <source>%1为空，成交记录必须有证券代码</source>
        <translation>A trade without a code in %1</translation>
    </message>
    <message>
        <source>%1“%2”不是证券代码</source>
        <translation>“%2” in %1 is not a security code</translation>
    </message>
    <message>
        <source>%1为空，成交记录必须有数量</source>
        <translation>A trade without a quantity in %1</translation>
    </message>
    <message>
        <source>%1为 0</source>
        <translation>A trade of quantity 0 in %1</translation>
    </message>
    <message>
        <source>成交记录既无价格也无金额</source>
        <translation>A trade with neither a price nor an amount</translation>
    </message>
    <message>
        <source>%1“%2”不是数字</source>
        <translation>“%2” in %1 is not a number</translation>
    </message>
    <message>
        <source>%1含有无法按文件编码识别的字节</source>
        <translation>%1 holds bytes that are no text in the file&apos;s encoding</translation>
    </message>
    <message>
        <source>文件在这一行中途结束，该行不完整</source>
        <translation>The file ends in the middle of this row</translation>
    </message>
    <message>
        <source>每行依次读取“%1”%2：第一个非空的栏目说明该行业务</source>
        <translation>Every row is read by “%1”, then %2: the first that is not empty says what the row is</translation>
    </message>
    <message>
        <source>每行依次读取“%1”：第一个非空的栏目说明该行业务</source>
        <translation>Every row is read by “%1”: the first that is not empty says what the row is</translation>
    </message>
    <message>
        <source>（%1为费用合计）</source>
        <translation> (%1 is the total of the fees)</translation>
    </message>
    <message>
        <source>（而非%1）</source>
        <translation> (not %1)</translation>
    </message>
    <message>
        <source>没有%1栏%2</source>
        <translation>No column is the %1%2</translation>
    </message>
    <message>
        <source>“%1”作为%2%3</source>
        <translation>“%1” is the %2%3</translation>
    </message>
    <message>
        <source>%1：各行无法区分，按券商常用名称选取</source>
        <translation>%1: the rows cannot tell them apart, and brokers use that name first</translation>
    </message>
    <message>
        <source>发生金额 = 成交金额 ± 费用</source>
        <translation>cash = amount ± fees</translation>
    </message>
    <message>
        <source>数量 × 价格 = 金额</source>
        <translation>quantity × price = amount</translation>
    </message>
    <message>
        <source>%1：%2在 %3 笔成交中有 %4 笔相符</source>
        <translation>%1: %2 holds on %4 of %3 trades</translation>
    </message>
    <message>
        <source>无法识别的证券代码（不是本程序认识的A股、基金或可转债）</source>
        <translation>a code Tallyfin does not know (no A share, fund or convertible bond)</translation>
    </message>
    <message>
        <source>没有证券代码，无法记入持仓</source>
        <translation>no code to book it to</translation>
    </message>
    <message>
        <source>未核对：%1</source>
        <translation>Not checked: %1</translation>
    </message>
    <message>
        <source>与第 %1 行同一委托</source>
        <translation>Same order as line %1</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>相符</source>
        <translation>Agrees</translation>
    </message>
    <message>
        <source>%1；%2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>代码 %1 不在费率表覆盖的品种内</source>
        <translation>Code %1 is no instrument the fee table covers</translation>
    </message>
    <message>
        <source>市场栏为“%1”，但 %2 不是该交易所的代码</source>
        <translation>The market column says “%1”, but %2 is no code of that exchange</translation>
    </message>
    <message>
        <source>成交金额为零（配售、新股入账等）</source>
        <translation>No money changed hands (an allotment, new shares booked in …)</translation>
    </message>
    <message>
        <source>费率表自 %1 起，%2 早于此</source>
        <translation>The fee table starts on %1; %2 is earlier</translation>
    </message>
    <message>
        <source>%1自 %2 起才有费率，%3 没有</source>
        <translation>%1 has rates from %2 on, none on %3</translation>
    </message>
    <message>
        <source>成交金额过大，无法作为金额核对</source>
        <translation>The amount is too large to be checked as money</translation>
    </message>
    <message>
        <source>按发生金额费用为 %1，各费用栏合计 %2，少 %3</source>
        <translation>Fees by the cash movement %1, in the fee columns %2: %3 less</translation>
    </message>
    <message>
        <source>按发生金额费用为 %1，各费用栏合计 %2，多 %3</source>
        <translation>Fees by the cash movement %1, in the fee columns %2: %3 more</translation>
    </message>
    <message>
        <source>%1实收 %2，应收 %3，少收 %4</source>
        <translation>%1 charged %2, due %3: %4 too little</translation>
    </message>
    <message>
        <source>%1实收 %2，应收 %3，多收 %4</source>
        <translation>%1 charged %2, due %3: %4 too much</translation>
    </message>
    <message>
        <source>成交笔数未知，可能是逐笔成交分别取整所致</source>
        <translation>number of fills unknown: may be rounding per fill</translation>
    </message>
    <message>
        <source>规费另计</source>
        <translation>levies on top</translation>
    </message>
    <message>
        <source>规费含在佣金内</source>
        <translation>levies inside the commission</translation>
    </message>
    <message>
        <source>过户费单列</source>
        <translation>transfer fee separate</translation>
    </message>
    <message>
        <source>过户费含在佣金内</source>
        <translation>transfer fee inside the commission</translation>
    </message>
    <message>
        <source>其他费用单独核对</source>
        <translation>Other fees checked on their own</translation>
    </message>
    <message>
        <source>其他费用计入佣金</source>
        <translation>Other fees are part of the commission</translation>
    </message>
    <message>
        <source>其他费用即过户费</source>
        <translation>Other fees are the transfer fee</translation>
    </message>
    <message>
        <source>其他费用即规费</source>
        <translation>Other fees are the levies</translation>
    </message>
    <message>
        <source>相符（%1）</source>
        <translation>Agrees (%1)</translation>
    </message>
    <message>
        <source>不收取任何费用</source>
        <translation>nothing charged</translation>
    </message>
    <message>
        <source>佣金不高于 %1‰，%2，%3，%4</source>
        <translation>at most %1‰, %2, %3, %4</translation>
    </message>
    <message>
        <source>佣金 %1‰，%2，%3，%4</source>
        <translation>%1‰, %2, %3, %4</translation>
    </message>
    <message>
        <source>无最低佣金</source>
        <translation>no minimum</translation>
    </message>
    <message>
        <source>最低 %1 元</source>
        <translation>minimum %1</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>协议在 %1 之后、%2 及之前变更，其间的成交两种协议都能解释</source>
        <translation>The terms changed after %1 and on or before %2: the trades between are explained by both</translation>
    </message>
    <message>
        <source>归类不同：%1，合计相符</source>
        <translation>booked in other columns: %1; the total agrees</translation>
    </message>
    <message>
        <source>%1，%2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>股份余额</source>
        <translation>share balance</translation>
    </message>
    <message>
        <source>资金余额</source>
        <translation>cash balance</translation>
    </message>
    <message>
        <source>资金账号</source>
        <translation>fund account</translation>
    </message>
    <message>
        <source>备注</source>
        <translation>remark</translation>
    </message>
    <message>
        <source>港股通交易缺少港元价格和数量，或缺少人民币成交金额及结算汇率，无法核对</source>
        <translation>A Stock Connect trade without its price and quantity in HKD, or without its amount in yuan and its settlement rate: not checked</translation>
    </message>
    <message>
        <source>本对账单的港股通费用不是按中国结算的换汇方法列出的，无法逐项核对</source>
        <translation>This statement does not write its Stock Connect fees as China Clear settles them: not checked item by item</translation>
    </message>
    <message>
        <source>年份</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>成交金额</source>
        <translation>Turnover</translation>
    </message>
    <message>
        <source>实际佣金率(‰)</source>
        <translation>Effective commission (‰)</translation>
    </message>
    <message>
        <source>超出规则</source>
        <translation>Beyond the rules</translation>
    </message>
    <message>
        <source>对比节省</source>
        <translation>Saved by the compared terms</translation>
    </message>
    <message>
        <source>港股通组合费</source>
        <translation>Stock Connect portfolio fees</translation>
    </message>
</context>
<context>
    <name>StatementAuditWindow</name>
    <message>
        <source>交割单核对</source>
        <translation>Statement check</translation>
    </message>
    <message>
        <source>打开文件…</source>
        <translation>Open file…</translation>
    </message>
    <message>
        <source>交割单文件</source>
        <translation>Statement file</translation>
    </message>
    <message>
        <source>读取进度</source>
        <translation>Reading progress</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>导出报告…</source>
        <translation>Export report…</translation>
    </message>
    <message>
        <source>核对概况</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>佣金协议</source>
        <translation>Commission agreement</translation>
    </message>
    <message>
        <source>对比其他协议</source>
        <translation>Compare another agreement</translation>
    </message>
    <message>
        <source>佣金(‰)</source>
        <translation>Rate (‰)</translation>
    </message>
    <message>
        <source>如 0.1</source>
        <translation>e.g. 0.1</translation>
    </message>
    <message>
        <source>免五</source>
        <translation>No minimum</translation>
    </message>
    <message>
        <source>同样的成交按此协议计费，年度合计中显示可节省的金额</source>
        <translation>The same trades charged under this agreement; the yearly totals show what it would save</translation>
    </message>
    <message>
        <source>年度合计</source>
        <translation>Yearly totals</translation>
    </message>
    <message>
        <source>核对结果</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>逐笔核对</source>
        <translation>Trades</translation>
    </message>
    <message>
        <source>只看有出入的</source>
        <translation>Differences only</translation>
    </message>
    <message>
        <source>逐笔核对表</source>
        <translation>Trades checked</translation>
    </message>
    <message>
        <source>其他与无法读取的行</source>
        <translation>Other and unreadable rows</translation>
    </message>
    <message>
        <source>每月费用</source>
        <translation>Fees by month</translation>
    </message>
    <message>
        <source>把交割单拖到此窗口，或点“打开文件…”</source>
        <translation>Drop a statement on this window, or press “Open file…”</translation>
    </message>
    <message>
        <source>交割单 (*.xls *.xlsx *.csv *.txt);;所有文件 (*)</source>
        <translation>Statements (*.xls *.xlsx *.csv *.txt);;All files (*)</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>正在读取 %1 …</source>
        <translation>Reading %1 …</translation>
    </message>
    <message>
        <source>正在重新核对…</source>
        <translation>Checking again…</translation>
    </message>
    <message>
        <source>%1；成交 %2 笔，其他 %3 行，无法读取 %4 行，未核对 %5 笔；出入 %6 处</source>
        <translation>%1; %2 trades, %3 other rows, %4 unreadable rows, %5 trades not checked; %6 differences</translation>
    </message>
    <message>
        <source>表头在第 %1 行</source>
        <translation>header on line %1</translation>
    </message>
    <message>
        <source>Excel 97-2003 表格</source>
        <translation>Excel 97-2003 workbook</translation>
    </message>
    <message>
        <source>Excel 表格</source>
        <translation>Excel workbook</translation>
    </message>
    <message>
        <source>文本</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>无法读取交割单：%1</source>
        <translation>Cannot read the statement: %1</translation>
    </message>
    <message>
        <source>核对未能完成：%1</source>
        <translation>The check could not be finished: %1</translation>
    </message>
    <message>
        <source>报告未能保存：%1</source>
        <translation>The report could not be saved: %1</translation>
    </message>
    <message>
        <source>报告不能保存到交割单文件本身，请另选文件名。</source>
        <translation>The report cannot be saved over the statement itself; choose another file name.</translation>
    </message>
    <message>
        <source>佣金费率须为 0 到 3 之间的数（‰）</source>
        <translation>The commission rate must be a number from 0 to 3 (‰)</translation>
    </message>
    <message>
        <source>最低佣金须为不小于 0 的金额（元）</source>
        <translation>The minimum commission must be an amount of at least 0 (yuan)</translation>
    </message>
    <message>
        <source>品种</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>最低佣金(元)</source>
        <translation>Minimum (yuan)</translation>
    </message>
    <message>
        <source>规费另计</source>
        <translation>Levies on top</translation>
    </message>
    <message>
        <source>过户费单列</source>
        <translation>Transfer apart</translation>
    </message>
    <message>
        <source>其他费用</source>
        <translation>Other fees</translation>
    </message>
    <message>
        <source>佣金相符</source>
        <translation>Agrees</translation>
    </message>
    <message>
        <source>费率解释了高于最低佣金的 %1/%2 笔委托；最低佣金解释了 %3/%4 笔小额委托</source>
        <translation>The rate explains %1 of %2 orders above the minimum; the minimum explains %3 of %4 small orders</translation>
    </message>
    <message>
        <source>没有高于最低佣金的委托，费率只能确定上限</source>
        <translation>No order above the minimum: only an upper bound of the rate is known</translation>
    </message>
    <message>
        <source>（已手动设定）</source>
        <translation>(set by hand)</translation>
    </message>
    <message>
        <source>成交金额</source>
        <translation>Turnover</translation>
    </message>
    <message>
        <source>佣金</source>
        <translation>Commission</translation>
    </message>
    <message>
        <source>印花税</source>
        <translation>Stamp duty</translation>
    </message>
    <message>
        <source>过户费</source>
        <translation>Transfer fee</translation>
    </message>
    <message>
        <source>规费</source>
        <translation>Levies</translation>
    </message>
    <message>
        <source>行号</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>代码</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>买卖</source>
        <translation>Side</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>应收佣金</source>
        <translation>Commission due</translation>
    </message>
    <message>
        <source>应收印花税</source>
        <translation>Stamp duty due</translation>
    </message>
    <message>
        <source>应收过户费</source>
        <translation>Transfer fee due</translation>
    </message>
    <message>
        <source>应收规费</source>
        <translation>Levies due</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>业务或原因</source>
        <translation>Operation or reason</translation>
    </message>
    <message>
        <source>发生金额</source>
        <translation>Cash movement</translation>
    </message>
    <message>
        <source>买入</source>
        <translation>Buy</translation>
    </message>
    <message>
        <source>卖出</source>
        <translation>Sell</translation>
    </message>
    <message>
        <source>其他业务</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>无法读取</source>
        <translation>Unreadable</translation>
    </message>
    <message>
        <source>每月费用（元）</source>
        <translation>Fees by month (yuan)</translation>
    </message>
    <message>
        <source>持仓</source>
        <translation>Positions</translation>
    </message>
    <message>
        <source>%1，%2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>佣金协议（双击修改费率、最低佣金或起止日期，修改后立即重新核对）</source>
        <translation>Commission agreement (double-click a rate, minimum or date to change it; the trades are checked again at once)</translation>
    </message>
    <message>
        <source>拆分时段</source>
        <translation>Split period</translation>
    </message>
    <message>
        <source>把选中的时段在其中间一笔委托的日期后分成两段，再修改起止日期或费率</source>
        <translation>Splits the selected period in two after the day of its middle order; then change its dates or rates</translation>
    </message>
    <message>
        <source>合并时段</source>
        <translation>Merge periods</translation>
    </message>
    <message>
        <source>把选中的时段与同一品种的下一时段合为一段，沿用选中时段的费率</source>
        <translation>Joins the selected period and the next one of its instrument, with the selected period&apos;s terms</translation>
    </message>
    <message>
        <source>恢复推断</source>
        <translation>Infer again</translation>
    </message>
    <message>
        <source>放弃手动设定，按交割单重新推断协议</source>
        <translation>Drops the terms set by hand and infers the agreement from the statement again</translation>
    </message>
    <message>
        <source>日期须写成 YYYY-MM-DD，如 2025-02-26</source>
        <translation>A date is written YYYY-MM-DD, such as 2025-02-26</translation>
    </message>
    <message>
        <source>时段不能为空，也不能盖过同一品种的相邻时段</source>
        <translation>A period cannot be empty nor cover the next period of its instrument</translation>
    </message>
    <message>
        <source>这一时段的委托都在同一天，无法拆分</source>
        <translation>All orders of this period are of one day: it cannot be split</translation>
    </message>
    <message>
        <source>这是该品种的最后一个时段，没有可以合并的下一时段</source>
        <translation>This is the last period of its instrument: there is no next one to merge with</translation>
    </message>
    <message>
        <source>无</source>
        <translation>none</translation>
    </message>
    <message>
        <source>%1‰ 到 %2‰ 之间的费率都能同样解释这些委托</source>
        <translation>Any rate from %1‰ to %2‰ explains these orders as well</translation>
    </message>
    <message>
        <source>起</source>
        <translation>From</translation>
    </message>
    <message>
        <source>止</source>
        <translation>To</translation>
    </message>
    <message>
        <source>账户库</source>
        <translation>Account store</translation>
    </message>
    <message>
        <source>对账单</source>
        <translation>Statements</translation>
    </message>
    <message>
        <source>账户</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>移除对账单</source>
        <translation>Remove statement</translation>
    </message>
    <message>
        <source>从账户中移除选中的对账单及其各行，不改动文件本身</source>
        <translation>Removes the selected statement and its rows from the account; the file itself is not touched</translation>
    </message>
    <message>
        <source>账户的对账单</source>
        <translation>The account&apos;s statements</translation>
    </message>
    <message>
        <source>缺口与资金余额提示</source>
        <translation>Gaps and cash balance notes</translation>
    </message>
    <message>
        <source>红利税</source>
        <translation>Dividend tax</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>新增行</source>
        <translation>Rows added</translation>
    </message>
    <message>
        <source>已有行</source>
        <translation>Rows already known</translation>
    </message>
    <message>
        <source>账户库无法使用，打开的对账单只核对、不保存：%1</source>
        <translation>The account store cannot be used; the statements opened are checked but not kept: %1</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 等 %2 个文件</source>
        <translation>%1 and others, %2 files</translation>
    </message>
    <message>
        <source>%1 份对账单</source>
        <translation>%1 statements</translation>
    </message>
    <message>
        <source>（未保存）</source>
        <translation>(not kept)</translation>
    </message>
    <message>
        <source>请先在列表中选中要移除的对账单</source>
        <translation>First select the statement to remove in the list</translation>
    </message>
    <message>
        <source>正在移除 %1 …</source>
        <translation>Removing %1 …</translation>
    </message>
    <message>
        <source>各证券的股份余额前后衔接，没有发现缺失的对账单</source>
        <translation>Every security&apos;s share balance follows on: no statement seems to be missing</translation>
    </message>
    <message>
        <source>（仅供参考）%1</source>
        <translation>(for reference) %1</translation>
    </message>
    <message>
        <source>%1（%2 份对账单）</source>
        <translation>%1 (%2 statements)</translation>
    </message>
    <message>
        <source>股数</source>
        <translation>Shares</translation>
    </message>
    <message>
        <source>实收</source>
        <translation>Charged</translation>
    </message>
    <message>
        <source>应收</source>
        <translation>Due</translation>
    </message>
    <message>
        <source>核对</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>买入日期</source>
        <translation>Bought</translation>
    </message>
    <message>
        <source>卖出日期</source>
        <translation>Sold</translation>
    </message>
    <message>
        <source>持有期</source>
        <translation>Held</translation>
    </message>
    <message>
        <source>每股股息</source>
        <translation>Dividend per share</translation>
    </message>
    <message>
        <source>税率(%)</source>
        <translation>Rate (%)</translation>
    </message>
    <message>
        <source>税额</source>
        <translation>Tax</translation>
    </message>
    <message>
        <source>所选补缴行的批次（先进先出）</source>
        <translation>The lots of the selected tax row (first in, first out)</translation>
    </message>
    <message>
        <source>应补缴而无记录的卖出，及不持股时入账的股息</source>
        <translation>Sales that owe tax with no tax row, and dividends booked while nothing was held</translation>
    </message>
    <message>
        <source>期初持有</source>
        <translation>Held at the start</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>%1 %2：不持股时入账的股息 %3 元，无法确定其股数</source>
        <translation>%1 %2: a dividend of %3 yuan booked while nothing was held; its shares cannot be told</translation>
    </message>
</context>
<context>
    <name>Trade</name>
    <message>
        <source>卖出数量应大于 0 且不超过 %1</source>
        <translation>The sell quantity must be above 0 and at most %1</translation>
    </message>
    <message>
        <source>佣金与印花税的费率之和应在 0 到 %1‰ 之间</source>
        <translation>Commission and stamp duty together must be between 0 and %1‰</translation>
    </message>
    <message>
        <source>按成交日期的费率表中没有“%1”，可选：%2</source>
        <translation>The fee table by trade date has no “%1”; it has: %2</translation>
    </message>
    <message>
        <source>成交日期“%1”不是 YYYY-MM-DD 格式的日期</source>
        <translation>The trade date “%1” is not a date in the form YYYY-MM-DD</translation>
    </message>
    <message>
        <source>佣金费率应在 0 到 %1‰ 之间</source>
        <translation>The commission rate must be between 0 and %1‰</translation>
    </message>
    <message>
        <source>买入价格应大于 0 且不超过 %1 元</source>
        <translation>The buy price must be above 0 and at most %1 yuan</translation>
    </message>
    <message>
        <source>卖出价格应大于 0 且不超过 %1 元</source>
        <translation>The sell price must be above 0 and at most %1 yuan</translation>
    </message>
    <message>
        <source>买入数量应为 1 到 %1 之间的整数</source>
        <translation>The buy quantity must be a whole number from 1 to %1</translation>
    </message>
    <message>
        <source>卖出数量应为 1 到 %1 之间的整数</source>
        <translation>The sell quantity must be a whole number from 1 to %1</translation>
    </message>
    <message>
        <source>无法保本</source>
        <translation>No break-even</translation>
    </message>
    <message>
        <source>实付金额应大于 0</source>
        <translation>The cash paid must be above 0</translation>
    </message>
    <message>
        <source>任何价格都达不到目标</source>
        <translation>No price reaches the target</translation>
    </message>
    <message>
        <source>最低报价已达到目标</source>
        <translation>The lowest price already reaches it</translation>
    </message>
    <message>
        <source>卖出数量必须设置初始值</source>
        <translation>The sell quantity must be given</translation>
    </message>
    <message>
        <source>买入价格</source>
        <translation>The buy price</translation>
    </message>
    <message>
        <source>卖出价格</source>
        <translation>The sell price</translation>
    </message>
    <message>
        <source>港股通请填写买入和卖出结算汇率</source>
        <translation>Stock Connect (HK) needs the buy and the sell settlement rate</translation>
    </message>
    <message>
        <source>买入结算汇率应大于 0 且不超过 %1，最多 %2 位小数</source>
        <translation>The buy settlement rate must be above 0 and at most %1, with at most %2 decimals</translation>
    </message>
    <message>
        <source>卖出结算汇率应大于 0 且不超过 %1，最多 %2 位小数</source>
        <translation>The sell settlement rate must be above 0 and at most %1, with at most %2 decimals</translation>
    </message>
    <message>
        <source>港股通请填写买入结算汇率</source>
        <translation>Stock Connect (HK) needs the buy settlement rate</translation>
    </message>
    <message>
        <source>港股通请填写卖出结算汇率</source>
        <translation>Stock Connect (HK) needs the sell settlement rate</translation>
    </message>
    <message>
        <source>各项按结算汇率折成人民币后截尾到分；成交金额买入截尾、卖出进位；净额四舍五入，差额计为换汇尾差</source>
        <translation>items converted at the settlement rate and cut down to the fen, the rest is the conversion remainder</translation>
    </message>
    <message>
        <source>%1应在 %2 到 %3 港元之间</source>
        <translation>%1 must lie between HKD %2 and %3</translation>
    </message>
    <message>
        <source>%1 %2 港元不在港股价位表上：该价位段每档 %3 港元</source>
        <translation>%1 of HKD %2 is not on the Hong Kong spread table: the step there is HKD %3</translation>
    </message>
</context>
<context>
    <name>tallyfin::BatchDialog</name>
    <message>
        <source>第一批买入</source>
        <translation>Buy batch 1</translation>
    </message>
    <message>
        <source>第二批买入</source>
        <translation>Buy batch 2</translation>
    </message>
    <message>
        <source>第三批买入</source>
        <translation>Buy batch 3</translation>
    </message>
    <message>
        <source>第四批买入</source>
        <translation>Buy batch 4</translation>
    </message>
    <message>
        <source>第五批买入</source>
        <translation>Buy batch 5</translation>
    </message>
    <message>
        <source>第一批卖出</source>
        <translation>Sell batch 1</translation>
    </message>
    <message>
        <source>第二批卖出</source>
        <translation>Sell batch 2</translation>
    </message>
    <message>
        <source>第三批卖出</source>
        <translation>Sell batch 3</translation>
    </message>
    <message>
        <source>第四批卖出</source>
        <translation>Sell batch 4</translation>
    </message>
    <message>
        <source>第五批卖出</source>
        <translation>Sell batch 5</translation>
    </message>
    <message>
        <source>多批买入</source>
        <translation>Buy in batches</translation>
    </message>
    <message>
        <source>多批卖出</source>
        <translation>Sell in batches</translation>
    </message>
    <message>
        <source>买入价格</source>
        <translation>Buy price</translation>
    </message>
    <message>
        <source>卖出价格</source>
        <translation>Sell price</translation>
    </message>
    <message>
        <source>买入数量</source>
        <translation>Buy quantity</translation>
    </message>
    <message>
        <source>卖出数量</source>
        <translation>Sell quantity</translation>
    </message>
</context>
<context>
    <name>tallyfin::ColorPickerWindow</name>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>提示:
本桌面点开始后单击取色</source>
        <translation>Hint:
click Start, then click a colour</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>tallyfin::MainWindow</name>
    <message>
        <source>目标盈利 (元)</source>
        <translation>Target profit (yuan)</translation>
    </message>
    <message>
        <source>目标收益率 (%)</source>
        <translation>Target return (%)</translation>
    </message>
    <message>
        <source>经典规则：佣金按所选费率，最低 %1 元（免五则不设最低）；印花税按所选费率；沪市过户费每满 1000 股 1 元，不足 1000 股按 1 元，其他市场没有过户费。</source>
        <translation>Classic rules: commission at the chosen rate, at least %1 yuan (no minimum with the no-minimum option); stamp duty at the chosen rate; Shanghai transfer fee 1 yuan per full 1000 shares, 1 yuan below 1000 shares; no transfer fee in the other markets.</translation>
    </message>
    <message>
        <source>按成交日期 %1 的规则：%2。各项费用分别四舍五入到分（部分券商截尾）。</source>
        <translation>Rules in force on %1: %2. Each fee is rounded half up to the cent (some brokers truncate).</translation>
    </message>
    <message>
        <source>注：%1。</source>
        <translation> Note: %1.</translation>
    </message>
    <message>
        <source>元</source>
        <translation>yuan</translation>
    </message>
    <message>
        <source>买入均价</source>
        <translation>Average buy price</translation>
    </message>
    <message>
        <source>买入价格</source>
        <translation>Buy price</translation>
    </message>
    <message>
        <source>持股总数</source>
        <translation>Total held</translation>
    </message>
    <message>
        <source>买入数量</source>
        <translation>Buy quantity</translation>
    </message>
    <message>
        <source>卖出均价</source>
        <translation>Average sell price</translation>
    </message>
    <message>
        <source>卖出价格</source>
        <translation>Sell price</translation>
    </message>
    <message>
        <source>卖出总数</source>
        <translation>Total sold</translation>
    </message>
    <message>
        <source>卖出数量</source>
        <translation>Sell quantity</translation>
    </message>
    <message>
        <source>按成交日期 %1 的港股通规则：%2；%3。</source>
        <translation>Stock Connect (HK) rules of %1: %2; %3.</translation>
    </message>
    <message>
        <source>港元</source>
        <translation>HKD</translation>
    </message>
</context>
<context>
    <name>tallyfin::PositionToolsWindow</name>
    <message>
        <source>第一笔：卖出</source>
        <translation>First order: sell</translation>
    </message>
    <message>
        <source>第二笔：买入</source>
        <translation>Second order: buy</translation>
    </message>
    <message>
        <source>实收金额</source>
        <translation>Cash received</translation>
    </message>
    <message>
        <source>实付金额</source>
        <translation>Cash paid</translation>
    </message>
    <message>
        <source>保本买回价</source>
        <translation>Break-even buy-back</translation>
    </message>
    <message>
        <source>目标买回价</source>
        <translation>Target buy-back</translation>
    </message>
    <message>
        <source>第一笔：买入</source>
        <translation>First order: buy</translation>
    </message>
    <message>
        <source>第二笔：卖出</source>
        <translation>Second order: sell</translation>
    </message>
    <message>
        <source>保本卖出价</source>
        <translation>Break-even sale</translation>
    </message>
    <message>
        <source>目标卖出价</source>
        <translation>Target sale</translation>
    </message>
    <message>
        <source>港元</source>
        <translation>HKD</translation>
    </message>
    <message>
        <source>元</source>
        <translation>yuan</translation>
    </message>
</context>
<context>
    <name>tallyfin::PositionsView</name>
    <message>
        <source>未计入的行</source>
        <translation>Rows left out</translation>
    </message>
    <message>
        <source>持仓</source>
        <translation>Positions</translation>
    </message>
    <message>
        <source>代码</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>期初持股</source>
        <translation>Shares at the start</translation>
    </message>
    <message>
        <source>期初成本(元)</source>
        <translation>Cost at the start (yuan)</translation>
    </message>
    <message>
        <source>有证券在账户的记录开始前已经持有，成本未知，其成本和已实现盈亏无法算出：双击“期初成本”填写这些股份的总成本（含费用），清空则恢复未知</source>
        <translation>Some securities were held before the account&apos;s records begin, at an unknown cost, so their cost and realised profit cannot be worked out: double-click &quot;Cost at the start&quot; to enter what those shares cost in all (fees included); clear it to make it unknown again</translation>
    </message>
    <message>
        <source>账户的记录开始前已经持有的股份及其总成本（含费用），双击可修改</source>
        <translation>Shares held before the account&apos;s records begin and what they cost in all (fees included); double-click to change</translation>
    </message>
    <message>
        <source>期初持仓</source>
        <translation>Holdings at the start</translation>
    </message>
    <message>
        <source>期初成本须为不小于 0 的金额（元）</source>
        <translation>The cost at the start must be an amount of at least 0 (yuan)</translation>
    </message>
</context>
<context>
    <name>tallyfin::QtPlatform</name>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>tallyfin::ScreenReading</name>
    <message>
        <source>桌面不允许本程序读取屏幕。</source>
        <translation>The desktop does not let Tallyfin read the screen.</translation>
    </message>
    <message>
        <source>未能读取屏幕。</source>
        <translation>The screen could not be read.</translation>
    </message>
</context>
<context>
    <name>tallyfin::SettingsStore</name>
    <message>
        <source>设置文件已损坏或无法读取，已改用默认设置。原文件另存为 %1</source>
        <translation>The settings file is damaged or cannot be read; the default settings are used. The file was kept as %1</translation>
    </message>
    <message>
        <source>设置文件已损坏或无法读取，已改用默认设置。</source>
        <translation>The settings file is damaged or cannot be read; the default settings are used.</translation>
    </message>
    <message>
        <source>设置无法保存到 %1，本次更改只在程序运行期间有效。</source>
        <translation>The settings cannot be saved to %1; changes last only while Tallyfin runs.</translation>
    </message>
</context>
</TS>
