#include "platform/linux/MprisMedia.h"

#include <QAtomicInt>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <algorithm>

namespace vorbix {

namespace {

const QString kPlayerPrefix = QStringLiteral("org.mpris.MediaPlayer2.");
const QString kPlayerPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
// How long one player may take to answer before it counts as not answering.
constexpr int kTimeoutMs = 1000;

QString methodOf(MediaCommand command) {
    switch (command) {
        case MediaCommand::PlayPause:
            return QStringLiteral("PlayPause");
        case MediaCommand::Stop:
            return QStringLiteral("Stop");
        case MediaCommand::Next:
            return QStringLiteral("Next");
        case MediaCommand::Previous:
            return QStringLiteral("Previous");
    }
    return {};
}

int rankOf(const QString& status) {
    if (status == QLatin1String("Playing")) return 0;
    if (status == QLatin1String("Paused")) return 1;
    return 2;
}

}  // namespace

MprisMedia::MprisMedia(KeyboardOutput* fallbackKeys, const std::string& sessionBusAddress)
    : keys_(fallbackKeys), bus_(QDBusConnection::sessionBus()) {
    if (!sessionBusAddress.empty()) {
        static QAtomicInt counter;
        ownName_ = QStringLiteral("vorbix-mpris-%1").arg(counter.fetchAndAddRelaxed(1));
        bus_ = QDBusConnection::connectToBus(QString::fromStdString(sessionBusAddress), ownName_);
    }
}

MprisMedia::~MprisMedia() {
    context_.reset();
    if (!ownName_.isEmpty()) QDBusConnection::disconnectFromBus(ownName_);
}

uint8_t MprisMedia::mediaKey(MediaCommand command) {
    switch (command) {
        case MediaCommand::PlayPause:
            return 0xB3;  // VK_MEDIA_PLAY_PAUSE
        case MediaCommand::Stop:
            return 0xB2;  // VK_MEDIA_STOP
        case MediaCommand::Next:
            return 0xB0;  // VK_MEDIA_NEXT_TRACK
        case MediaCommand::Previous:
            return 0xB1;  // VK_MEDIA_PREV_TRACK
    }
    return 0;
}

void MprisMedia::send(MediaCommand command) {
    queue_.push_back(command);
    if (queue_.size() == 1) startNext();
}

void MprisMedia::whenFinished(const QDBusPendingCall& call,
                              std::function<void(const QDBusPendingCall&)> then) {
    auto* watcher = new QDBusPendingCallWatcher(call, context_.get());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context_.get(),
                     [watcher, then = std::move(then)] {
                         watcher->deleteLater();
                         then(*watcher);
                     });
}

void MprisMedia::startNext() {
    if (queue_.empty()) return;
    if (!bus_.isConnected()) {
        finish({});
        return;
    }
    const QDBusMessage list = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListNames"));
    whenFinished(bus_.asyncCall(list, kTimeoutMs), [this](const QDBusPendingCall& call) {
        const QDBusPendingReply<QStringList> names = call;
        if (!names.isValid()) {
            finish({});
            return;
        }
        askStatuses(names.value());
    });
}

// Every player is asked at once, so players that do not answer cost one timeout in all, not one
// each.
void MprisMedia::askStatuses(const QStringList& names) {
    auto players = std::make_shared<std::vector<Player>>();
    auto waiting = std::make_shared<size_t>(0);
    for (const QString& name : names) {
        if (!name.startsWith(kPlayerPrefix)) continue;
        QDBusMessage get = QDBusMessage::createMethodCall(
            name, kPlayerPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
        get.setArguments({kPlayerInterface, QStringLiteral("PlaybackStatus")});
        ++*waiting;
        whenFinished(bus_.asyncCall(get, kTimeoutMs), [this, name, players,
                                                       waiting](const QDBusPendingCall& call) {
            const QDBusPendingReply<QDBusVariant> status = call;
            players->push_back(
                {name, status.isValid() ? rankOf(status.value().variant().toString()) : 3});
            if (--*waiting > 0) return;
            std::sort(players->begin(), players->end(), [](const Player& a, const Player& b) {
                return a.rank != b.rank ? a.rank < b.rank : a.service < b.service;
            });
            tryPlayer(players, 0);
        });
    }
    if (*waiting == 0) finish({});
}

void MprisMedia::tryPlayer(std::shared_ptr<std::vector<Player>> players, size_t index) {
    if (index >= players->size()) {
        finish({});
        return;
    }
    const QString service = (*players)[index].service;
    const QDBusMessage call = QDBusMessage::createMethodCall(service, kPlayerPath, kPlayerInterface,
                                                             methodOf(queue_.front()));
    whenFinished(bus_.asyncCall(call, kTimeoutMs),
                 [this, players, index, service](const QDBusPendingCall& answer) {
                     if (!answer.isError()) {
                         finish(service);
                     } else {
                         tryPlayer(players, index + 1);
                     }
                 });
}

void MprisMedia::finish(const QString& player) {
    const MediaCommand command = queue_.front();
    queue_.pop_front();
    if (player.isEmpty() && keys_) {
        keys_->keyDown(mediaKey(command));
        keys_->keyUp(mediaKey(command));
    }
    if (done_) done_(command, player.toStdString());
    startNext();
}

}  // namespace vorbix
