// The update check: asks the maker's server for the newest version and offers the product's web
// page when it is newer than ours. On request from the help menu, and automatically: the first
// tick after the timer is started (5 minutes) records the day when no check was recorded yet;
// later ticks download only once the interval of days has passed since the recorded day, then
// record today. Downloads never block the program. The configuration file gets only the date
// key written, so nothing else the user changed meanwhile is overwritten.
#pragma once

#include <QDate>
#include <QLocale>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/Ports.h"
#include "shell/update/UpdateDownload.h"

class QTimer;

namespace vorbix {

class UpdateCheck : public QObject {
    Q_OBJECT
public:
    struct Setup {
        std::string configPath;  // the per-user Config.ini
        Prompter& prompter;
        // Texts of section "Main" of the current language.
        std::function<std::string(std::string_view key)> message;
        std::function<std::string()> language;
        // Opens an address in the user's browser.
        std::function<void(const std::string& url)> openPage;
        // The interval of days chosen in the settings.
        std::function<int()> intervalDays;
        // Administrator, or the policy allows configuration changes.
        std::function<bool()> mayChangeConfig;
    };
    struct Options {
        int firstTickMs = 300000;
        // While the interval has not passed, the next tick comes at most this much later.
        int longestWaitMs = 3600000;
        UpdateDownload::Limits limits;
        // The address of the update file for a random number from 0 to 99.
        std::function<std::string(int random)> address;
        std::function<QDate()> today;
        QLocale locale = QLocale::system();
    };

    UpdateCheck(Setup setup, Options options, QObject* parent = nullptr);
    ~UpdateCheck() override;

    // The manual check of the help menu.
    void MenuSearchForUpdatesExecute();
    // Starts (the first tick comes after `firstTickMs`) or stops the automatic check.
    void setAutomatic(bool run);
    bool automaticRunning() const;
    // One tick of the automatic check.
    void TimerAutoUpdateTimer();
    bool busy() const;

    // The date as stored (the locale's short format with the full year), and back; nullopt for a
    // text that is no date in the locale's short format nor one of the common numeric formats.
    static QString storedDate(const QDate& date, const QLocale& locale);
    static std::optional<QDate> dateOfStored(const QString& text, const QLocale& locale);

signals:
    // A check (manual or automatic) has ended.
    void checkEnded();

private:
    void download(bool manual);
    void downloaded(bool manual, const UpdateDownload::Result& result);
    void offer(const std::string& version);
    void scheduleNextTick(qint64 ms);
    void recordToday();

    Setup s_;
    Options o_;
    QTimer* TimerAutoUpdate = nullptr;
    bool automatic_ = false;
    UpdateDownload* manual_ = nullptr;
    UpdateDownload* automaticDownload_ = nullptr;
};

}  // namespace vorbix
