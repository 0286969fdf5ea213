#include "language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace tallyfin {

namespace {

struct LanguageEntry {
    Language language;
    const char *key;
    const char *suffix; // of the program's files and pages; "" for the source language
    const char *qtName; // of Qt's own translation, qtbase_<name>.qm
};

constexpr LanguageEntry kLanguages[] = {
    {Language::System, "system", "", ""},
    {Language::SimplifiedChinese, "zh_CN", "", "zh_CN"},
    {Language::TraditionalChinese, "zh_TW", "zh_TW", "zh_TW"},
    {Language::English, "en", "en", "en"},
};

const LanguageEntry &entryOf(Language language)
{
    for (const LanguageEntry &entry : kLanguages)
        if (entry.language == language)
            return entry;
    return kLanguages[0];
}

struct Installed {
    Language chosen = Language::System;
    std::optional<Language> shown;
    std::unique_ptr<QTranslator> program, qt;
};

Installed &installed()
{
    static Installed state;
    return state;
}

// Replaces an installed translator by one loaded from `file` (none when it
// cannot be loaded).
void replaceTranslator(std::unique_ptr<QTranslator> &translator, const QString &file)
{
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator = std::make_unique<QTranslator>();
    if (file.isEmpty() || !translator->load(file) || !QCoreApplication::installTranslator(translator.get()))
        translator.reset();
}

} // namespace

Language DesktopLanguage(const QStringList &uiLanguages)
{
    for (const QString &tag : uiLanguages) {
        const QString name = tag.toLower().replace(QLatin1Char('_'), QLatin1Char('-'));
        if (name == u"en" || name.startsWith(u"en-"))
            return Language::English;
        if (name != u"zh" && !name.startsWith(u"zh-"))
            continue;
        for (const char *traditional : {"-hant", "-tw", "-hk", "-mo"})
            if (name.contains(QLatin1String(traditional)))
                return Language::TraditionalChinese;
        return Language::SimplifiedChinese;
    }
    return Language::SimplifiedChinese;
}

void useLanguage(Language choice)
{
    Installed &state = installed();
    state.chosen = choice;
    // The default locale is the system's unless a test sets another.
    const Language shown = choice == Language::System ? DesktopLanguage(QLocale().uiLanguages()) : choice;
    if (state.shown == shown)
        return;
    state.shown = shown;
    const LanguageEntry &entry = entryOf(shown);
    const QString suffix = QString::fromLatin1(entry.suffix);
    const QString program = QStringLiteral(":/tallyfin/translations/tallyfin_%1.qm").arg(suffix);
    replaceTranslator(state.program, suffix.isEmpty() ? QString() : program);
    replaceTranslator(state.qt, QStringLiteral("%1/qtbase_%2.qm")
                                    .arg(QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                         QString::fromLatin1(entry.qtName)));
}

void forgetLanguage()
{
    Installed &state = installed();
    for (const std::unique_ptr<QTranslator> *translator : {&state.program, &state.qt})
        if (*translator)
            QCoreApplication::removeTranslator(translator->get());
    state = Installed{};
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

Language chosenLanguage() { return installed().chosen; }

Language shownLanguage() { return installed().shown.value_or(Language::SimplifiedChinese); }

QString languageKey(Language language) { return QString::fromLatin1(entryOf(language).key); }

std::optional<Language> languageOfKey(const QString &key)
{
    for (const LanguageEntry &entry : kLanguages)
        if (key == QLatin1String(entry.key))
            return entry.language;
    return std::nullopt;
}

QString languageSuffix(Language shown) { return QString::fromLatin1(entryOf(shown).suffix); }

QString languageFileName(const QString &fileName)
{
    const QString suffix = languageSuffix(shownLanguage());
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (suffix.isEmpty() || dot < 0)
        return fileName;
    return fileName.left(dot) + QLatin1Char('.') + suffix + fileName.mid(dot);
}

} // namespace tallyfin
