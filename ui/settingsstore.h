#pragma once

#include <QString>

#include <memory>
#include <optional>

#include "appearance.h"
#include "language.h"
#include "trade.h"

class QSettings;

namespace tallyfin {

// The settings the main window keeps between runs: the fee settings and the
// language. The stamp duty and "both sides" are the classic rules' own
// choices, never what the dated rules show in their place; the market is
// kept by its name in the source language, whatever language is shown.
struct RememberedSettings {
    RuleSet rules = kDefaultRules;
    QString market = uiText(MarketName(kDefaultMarket));
    QString commission = uiText(kDefaultCommission); // as typed or chosen
    QString stampDuty = uiText(kDefaultStampDuty);
    bool bothSides = false;
    bool noMinimum = false;
    bool leviesOnTop = false;
    QString buyRate, sellRate; // 港股通's settlement rates, as last typed
    Language language = Language::System;

    friend bool operator==(const RememberedSettings &, const RememberedSettings &) = default;
};

// Reads and writes them with QSettings: in the platform's usual place
// (~/.config/tallyfin/tallyfin.conf on Linux, honouring XDG_CONFIG_HOME), or
// in a file of the caller's choosing. A damaged or unreadable file gives the
// defaults and one notice, and is kept beside as "<file>.damaged"; a file
// that cannot be written gives one notice per run and changes nothing else.
class SettingsStore {
public:
    SettingsStore();
    explicit SettingsStore(const QString &fileName);
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    RememberedSettings load();
    void save(const RememberedSettings &settings);
    // The language alone, before the windows are made; System for a value
    // the program does not write (load() then reports the file).
    Language language() const;
    // Forgets the fee settings; the next load gives their defaults. The
    // language stays as chosen.
    void reset();

    // What the user should be told about the file since the last call, once.
    std::optional<QString> takeNotice();

    QString fileName() const;

private:
    void setAsideDamagedFile();

    std::unique_ptr<QSettings> m_settings;
    std::optional<QString> m_notice;
    bool m_writeFailureReported = false;
};

} // namespace tallyfin
