// Media commands for the active player over MPRIS on the session bus: the players are the
// services org.mpris.MediaPlayer2.*; the one that is playing gets the command, else a paused one,
// else the first. When no player answers, the keyboard's media keys are pressed instead.
#pragma once

#include <QDBusConnection>
#include <QString>
#include <string>

#include "core/Ports.h"

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

    // Sends the command to the players in order of preference until one answers; returns the
    // service name of that player, or empty when none did.
    std::string sendToPlayer(MediaCommand command);

    // The virtual-key code of the media key for a command.
    static uint8_t mediaKey(MediaCommand command);

private:
    KeyboardOutput* keys_;
    QDBusConnection bus_;
    QString ownName_;
};

}  // namespace vorbix
