// Media commands for the active player over MPRIS on the session bus: the players are the
// services org.mpris.MediaPlayer2.*; the one that is playing gets the command, else a paused one,
// else the first. When no player answers, the keyboard's media keys are pressed instead.
//
// Every call to the bus is asynchronous: send() returns at once and the answers arrive through
// the event loop, so a player that hangs never holds the interface thread. Commands are handled
// one after another, in the order sent.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Ports.h"

class QDBusPendingCall;

namespace vorbix {

class MprisMedia : public MediaControl {
public:
    // `fallbackKeys` may be null (then nothing happens without a player); an empty address means
    // the session bus of the desktop.
    explicit MprisMedia(KeyboardOutput* fallbackKeys, const std::string& sessionBusAddress = {});
    ~MprisMedia() override;
    MprisMedia(const MprisMedia&) = delete;
    MprisMedia& operator=(const MprisMedia&) = delete;

    void send(MediaCommand command) override;

    // Told when a command is done: the service name of the player that took it, or empty when
    // none did (and the media key was pressed).
    using Done = std::function<void(MediaCommand command, const std::string& player)>;
    void setDoneHandler(Done done) { done_ = std::move(done); }
    // Commands sent and not done yet.
    size_t pending() const { return queue_.size(); }

    // The virtual-key code of the media key for a command.
    static uint8_t mediaKey(MediaCommand command);

private:
    struct Player {
        QString service;
        int rank;
    };
    void startNext();
    void askStatuses(const QStringList& names);
    void tryPlayer(std::shared_ptr<std::vector<Player>> players, size_t index);
    void finish(const QString& player);
    // Calls `then` with the finished call on the interface thread.
    void whenFinished(const QDBusPendingCall& call,
                      std::function<void(const QDBusPendingCall&)> then);

    KeyboardOutput* keys_;
    QDBusConnection bus_;
    QString ownName_;
    std::deque<MediaCommand> queue_;
    Done done_;
    // Answers that arrive after this object is gone reach nothing.
    std::unique_ptr<QObject> context_ = std::make_unique<QObject>();
};

}  // namespace vorbix
