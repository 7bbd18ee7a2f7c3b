#include "shell/update/UpdateCheck.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "VorbixVersion.h"
#include "core/Endpoints.h"
#include "shell/update/UpdateRules.h"
#include "storage/ConfigFile.h"

namespace vorbix {

namespace {

// The locale's short date format with a four-digit year ("dd.MM.yy" becomes "dd.MM.yyyy").
QString fullYearFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

}  // namespace

UpdateCheck::UpdateCheck(Setup setup, Options options, QObject* parent)
    : QObject(parent), s_(std::move(setup)), o_(std::move(options)) {
    if (!o_.address) o_.address = [](int random) { return updateFileUrl(random); };
    if (!o_.today) o_.today = [] { return QDate::currentDate(); };
    TimerAutoUpdate = new QTimer(this);
    TimerAutoUpdate->setSingleShot(true);
    connect(TimerAutoUpdate, &QTimer::timeout, this, [this] { TimerAutoUpdateTimer(); });
}

UpdateCheck::~UpdateCheck() {
    // The downloads go before the network they use.
    delete manual_;
    delete automaticDownload_;
}

QString UpdateCheck::storedDate(const QDate& date, const QLocale& locale) {
    return locale.toString(date, fullYearFormat(locale));
}

std::optional<QDate> UpdateCheck::dateOfStored(const QString& text, const QLocale& locale) {
    const QString t = text.trimmed();
    for (const QString& format : {fullYearFormat(locale), locale.dateFormat(QLocale::ShortFormat),
                                  QStringLiteral("d.M.yyyy"), QStringLiteral("yyyy-M-d"),
                                  QStringLiteral("M/d/yyyy"), QStringLiteral("d/M/yyyy")}) {
        const QDate d = locale.toDate(t, format);
        if (d.isValid()) return d;
    }
    return std::nullopt;
}

bool UpdateCheck::busy() const {
    return (manual_ && manual_->running()) || (automaticDownload_ && automaticDownload_->running());
}

bool UpdateCheck::automaticRunning() const {
    return automatic_;
}

void UpdateCheck::setAutomatic(bool run) {
    automatic_ = run;
    if (run)
        scheduleNextTick(o_.firstTickMs);
    else
        TimerAutoUpdate->stop();
}

void UpdateCheck::scheduleNextTick(qint64 ms) {
    TimerAutoUpdate->start(int(std::clamp<qint64>(ms, 0, std::numeric_limits<int>::max())));
}

void UpdateCheck::MenuSearchForUpdatesExecute() {
    if (!s_.mayChangeConfig()) {
        s_.prompter.showMessage(s_.message("MessageAdminError"), MessageType::Error);
        return;
    }
    download(true);
}

void UpdateCheck::TimerAutoUpdateTimer() {
    if (!automatic_) return;
    const std::optional<ConfigFile> file = ConfigFile::open(s_.configPath);
    if (!file) {
        // An unreadable file: the next start tries again.
        automatic_ = false;
        return;
    }
    const std::string stored = file->read(config::kLastUpdateSearch);
    std::optional<int64_t> lastDay;
    if (stored != "0") {
        if (auto d = dateOfStored(QString::fromStdString(stored), o_.locale))
            lastDay = d->toJulianDay();
    }
    const QDate today = o_.today();
    const UpdateTick tick = decideUpdateTick(lastDay, today.toJulianDay(), s_.intervalDays());
    switch (tick.kind) {
        case UpdateTick::Kind::RecordFirstDay:
            automatic_ = false;
            recordToday();
            emit checkEnded();
            return;
        case UpdateTick::Kind::NotDue: {
            // Nothing is downloaded; the next tick comes when the interval has passed.
            const QDateTime due(today.addDays(tick.daysUntilDue), QTime(0, 0));
            const qint64 wait = QDateTime::currentDateTime().msecsTo(due);
            scheduleNextTick(wait > 0 && wait < o_.longestWaitMs ? wait : o_.longestWaitMs);
            emit checkEnded();
            return;
        }
        case UpdateTick::Kind::Download:
            automatic_ = false;
            download(false);
            return;
    }
}

void UpdateCheck::download(bool manual) {
    UpdateDownload*& job = manual ? manual_ : automaticDownload_;
    if (job && job->running()) return;
    if (!job) {
        job = new UpdateDownload(o_.limits);
        connect(job, &UpdateDownload::finished, this,
                [this, manual](const UpdateDownload::Result& r) { downloaded(manual, r); });
    }
    const int random = int(QRandomGenerator::global()->bounded(100));
    job->start(QUrl(QString::fromStdString(o_.address(random))));
}

void UpdateCheck::downloaded(bool manual, const UpdateDownload::Result& result) {
    // A text that names no version counts as a failed download.
    const bool answered = result.ok && parseVersion(result.firstLine).has_value();
    if (manual) {
        if (!answered) {
            s_.prompter.showMessage(s_.message("MessageInternetError"), MessageType::Error);
        } else if (isNewerVersion(result.firstLine, kVersionText)) {
            offer(result.firstLine);
        } else {
            s_.prompter.showMessage(s_.message("MessageNoUpdate"), MessageType::Information);
        }
    } else if (answered) {
        // Failures are not reported; the next start tries again.
        recordToday();
        if (isNewerVersion(result.firstLine, kVersionText)) offer(result.firstLine);
    }
    emit checkEnded();
}

void UpdateCheck::offer(const std::string& version) {
    s_.prompter.confirmThen(true, s_.message("MessageUpdateAvailable") + " " + version + ")",
                            [this] { s_.openPage(productPageUrl(s_.language())); });
}

void UpdateCheck::recordToday() {
    const QString today = storedDate(o_.today(), o_.locale);
    writeConfigValue(s_.configPath, config::kLastUpdateSearch.section,
                     config::kLastUpdateSearch.name, today.toStdString());
}

}  // namespace vorbix
