#include "settingsstore.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <span>

#include "appearance.h"

namespace tallyfin {

namespace {

constexpr int kFormat = 1;
// A commission text longer than this was not typed into the box.
constexpr qsizetype kLongestCommission = 64;

const QString kFormatKey = QStringLiteral("format");
const QString kRulesKey = QStringLiteral("fees/rules");
const QString kMarketKey = QStringLiteral("fees/market");
const QString kCommissionKey = QStringLiteral("fees/commission");
const QString kStampDutyKey = QStringLiteral("fees/stampDuty");
const QString kBothSidesKey = QStringLiteral("fees/bothSides");
const QString kNoMinimumKey = QStringLiteral("fees/noMinimum");
const QString kLeviesOnTopKey = QStringLiteral("fees/leviesOnTop");
const QString kBuyRateKey = QStringLiteral("fees/buyRate");
const QString kSellRateKey = QStringLiteral("fees/sellRate");
const QString kLanguageKey = QStringLiteral("window/language");

bool isOneOf(const QString &text, std::span<const std::string_view> choices)
{
    return std::any_of(choices.begin(), choices.end(), [&text](std::string_view choice) { return text == uiText(choice); });
}

// Reads one stored value into `into`, leaving the default where the key is
// absent; false when the stored text is not one the program writes.
class Reader {
public:
    explicit Reader(const QSettings &settings) : m_settings(settings) {}

    bool valid() const { return m_valid; }

    void text(const QString &key, QString &into, const std::function<bool(const QString &)> &accept)
    {
        if (!m_settings.contains(key))
            return;
        const QString value = m_settings.value(key).toString();
        if (accept(value))
            into = value;
        else
            m_valid = false;
    }

    void flag(const QString &key, bool &into)
    {
        QString value = into ? QStringLiteral("true") : QStringLiteral("false");
        text(key, value, [](const QString &v) { return v == u"true" || v == u"false"; });
        into = value == u"true";
    }

private:
    const QSettings &m_settings;
    bool m_valid = true;
};

bool isTypedText(const QString &text)
{
    return text.size() <= kLongestCommission
           && std::none_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

} // namespace

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tallyfin"),
                                             QStringLiteral("tallyfin")))
{
}

SettingsStore::SettingsStore(const QString &fileName)
    : m_settings(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::fileName() const { return m_settings->fileName(); }

RememberedSettings SettingsStore::load()
{
    RememberedSettings loaded;
    // A first start has no file yet; a file of bytes that hold no setting is damaged.
    if (m_settings->status() == QSettings::NoError && m_settings->allKeys().isEmpty()
        && QFileInfo(fileName()).size() == 0)
        return loaded;
    Reader reader(*m_settings);
    QString rules, format;
    reader.text(kFormatKey, format, [](const QString &v) { return v == QString::number(kFormat); });
    reader.text(kRulesKey, rules, [](const QString &v) { return v == u"classic" || v == u"dated"; });
    loaded.rules = rules == u"dated" ? RuleSet::Dated : RuleSet::Classic;
    reader.text(kMarketKey, loaded.market, [&loaded](const QString &v) {
        return isOneOf(v, MarketNames(loaded.rules));
    });
    reader.text(kCommissionKey, loaded.commission, isTypedText);
    reader.text(kStampDutyKey, loaded.stampDuty, [](const QString &v) { return isOneOf(v, kStampDutyChoices); });
    reader.flag(kBothSidesKey, loaded.bothSides);
    reader.flag(kNoMinimumKey, loaded.noMinimum);
    reader.flag(kLeviesOnTopKey, loaded.leviesOnTop);
    reader.text(kBuyRateKey, loaded.buyRate, isTypedText);
    reader.text(kSellRateKey, loaded.sellRate, isTypedText);
    QString language = languageKey(loaded.language);
    reader.text(kLanguageKey, language, [](const QString &v) { return languageOfKey(v).has_value(); });
    loaded.language = languageOfKey(language).value_or(Language::System);
    if (m_settings->status() == QSettings::NoError && reader.valid() && !format.isEmpty())
        return loaded;
    setAsideDamagedFile();
    return RememberedSettings();
}

void SettingsStore::setAsideDamagedFile()
{
    const QString kept = fileName() + QStringLiteral(".damaged");
    QFile::remove(kept);
    const bool copied = QFile::copy(fileName(), kept);
    m_settings->clear();
    m_notice = copied ? QCoreApplication::translate("tallyfin::SettingsStore",
                                                    "设置文件已损坏或无法读取，已改用默认设置。原文件另存为 %1")
                            .arg(kept)
                      : QCoreApplication::translate("tallyfin::SettingsStore", "设置文件已损坏或无法读取，已改用默认设置。");
}

void SettingsStore::save(const RememberedSettings &settings)
{
    m_settings->setValue(kFormatKey, kFormat);
    m_settings->setValue(kRulesKey, settings.rules == RuleSet::Dated ? QStringLiteral("dated") : QStringLiteral("classic"));
    m_settings->setValue(kMarketKey, settings.market);
    m_settings->setValue(kCommissionKey, settings.commission);
    m_settings->setValue(kStampDutyKey, settings.stampDuty);
    m_settings->setValue(kBothSidesKey, settings.bothSides);
    m_settings->setValue(kNoMinimumKey, settings.noMinimum);
    m_settings->setValue(kLeviesOnTopKey, settings.leviesOnTop);
    m_settings->setValue(kBuyRateKey, settings.buyRate);
    m_settings->setValue(kSellRateKey, settings.sellRate);
    m_settings->setValue(kLanguageKey, languageKey(settings.language));
    m_settings->sync();
    if (m_settings->status() != QSettings::AccessError || m_writeFailureReported)
        return;
    m_writeFailureReported = true;
    m_notice = QCoreApplication::translate("tallyfin::SettingsStore", "设置无法保存到 %1，本次更改只在程序运行期间有效。")
                   .arg(fileName());
}

Language SettingsStore::language() const
{
    return languageOfKey(m_settings->value(kLanguageKey).toString()).value_or(Language::System);
}

void SettingsStore::reset()
{
    const QVariant language = m_settings->value(kLanguageKey);
    m_settings->clear();
    if (language.isValid()) {
        m_settings->setValue(kFormatKey, kFormat);
        m_settings->setValue(kLanguageKey, language);
    }
    m_settings->sync();
}

std::optional<QString> SettingsStore::takeNotice() { return std::exchange(m_notice, std::nullopt); }

} // namespace tallyfin
