#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tallyfin {

// The languages Tallyfin speaks. Simplified Chinese is the source language:
// every text is written in it (tr() in the windows, TALLYFIN_TR_NOOP in the
// engine), and translations/tallyfin_*.ts hold the others.
//
// How a window follows a change of language, at once and without a restart:
// useLanguage() installs the translators application-wide, and Qt sends every
// widget a QEvent::LanguageChange. Each window handles it in changeEvent() by
// calling its form's retranslateUi(this) and then setting again every text it
// set in code (through tr(), or translated() for the engine's texts), from the
// state it keeps, never from the texts shown; a window of fixed size fits
// itself to its new texts. A new window does the same and is made by
// ProgramWindows (windows.h): made all at once there, it is walked in every
// language by tests/gui/language_test.cpp.
enum class Language { System, SimplifiedChinese, TraditionalChinese, English };

// The language for a desktop that asks for `uiLanguages`, in its order of
// preference (QLocale::uiLanguages()): the first English or Chinese one;
// Simplified Chinese when none is (the C locale too).
//   {"en-US"} -> English;  {"zh-TW"}, {"zh-HK"}, {"zh-MO"}, {"zh-Hant"} -> TraditionalChinese
//   {"de", "en"} -> English;  {"zh-CN"}, {"C"}, {"fr-FR"} -> SimplifiedChinese
Language DesktopLanguage(const QStringList &uiLanguages);

// Shows the program, and Qt's own dialogs, in `choice` (System: the
// desktop's). Only the texts change: never a number, a setting or the
// decimal separator, which follows the desktop's locale.
void useLanguage(Language choice);

// Removes every translator useLanguage installed: the source texts, Qt's
// own in English, as before the first call (for tests, each of which starts so).
void forgetLanguage();

// As last chosen (System until useLanguage), and as shown.
Language chosenLanguage();
Language shownLanguage();

// How the settings file names a choice: "system", "zh_CN", "zh_TW", "en".
QString languageKey(Language language);
std::optional<Language> languageOfKey(const QString &key);

// The suffix of the files and pages shipped for a language shown: "" for the
// source language, "en" or "zh_TW".
QString languageSuffix(Language shown);

// The name of the translated file shipped beside `fileName` for the language
// shown: the suffix before the extension; `fileName` itself in the source
// language.
//   "help.txt" -> "help.en.txt" (English), "help.txt" (Simplified Chinese)
QString languageFileName(const QString &fileName);

} // namespace tallyfin
