#include "platform/linux/MprisMedia.h"

#include <QAtomicInt>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusVariant>
#include <algorithm>

namespace vorbix {

namespace {

const QString kPlayerPrefix = QStringLiteral("org.mpris.MediaPlayer2.");
const QString kPlayerPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
// A hanging player must not hold the hot key long.
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

std::string MprisMedia::sendToPlayer(MediaCommand command) {
    if (!bus_.isConnected() || !bus_.interface()) return {};
    QDBusReply<QStringList> names = bus_.interface()->registeredServiceNames();
    if (!names.isValid()) return {};
    struct Player {
        QString service;
        int rank;
    };
    // Every player is asked at once, so players that do not answer cost one timeout in all,
    // not one each.
    std::vector<std::pair<QString, QDBusPendingCall>> asked;
    for (const QString& name : names.value()) {
        if (!name.startsWith(kPlayerPrefix)) continue;
        QDBusMessage get = QDBusMessage::createMethodCall(
            name, kPlayerPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
        get.setArguments({kPlayerInterface, QStringLiteral("PlaybackStatus")});
        asked.emplace_back(name, bus_.asyncCall(get, kTimeoutMs));
    }
    std::vector<Player> players;
    for (auto& [name, pending] : asked) {
        QDBusPendingReply<QDBusVariant> status = pending;
        status.waitForFinished();
        players.push_back(
            {name, status.isValid() ? rankOf(status.value().variant().toString()) : 3});
    }
    std::stable_sort(players.begin(), players.end(), [](const Player& a, const Player& b) {
        return a.rank != b.rank ? a.rank < b.rank : a.service < b.service;
    });
    for (const Player& player : players) {
        QDBusMessage call = QDBusMessage::createMethodCall(player.service, kPlayerPath,
                                                           kPlayerInterface, methodOf(command));
        if (bus_.call(call, QDBus::Block, kTimeoutMs).type() == QDBusMessage::ReplyMessage)
            return player.service.toStdString();
    }
    return {};
}

void MprisMedia::send(MediaCommand command) {
    if (!sendToPlayer(command).empty() || !keys_) return;
    keys_->keyDown(mediaKey(command));
    keys_->keyUp(mediaKey(command));
}

}  // namespace vorbix
