// A Wayland session's clipboard as the insert-text path uses it: set our data in several formats,
// learn when a window takes it, read what was there before, and give the clipboard back. Two
// ways reach it: the compositor's data control protocol (WaylandSelection) and the Clipboard
// interface of the RemoteDesktop portal's session (PortalClipboard).
#pragma once

#include <QObject>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace vorbix::portal {

class ClipboardSelection : public QObject {
    Q_OBJECT
public:
    // The data in its formats: MIME type and bytes, in the order offered.
    using Formats = std::vector<std::pair<std::string, std::string>>;
    static constexpr size_t kMaxFormatBytes = 16u << 20;

    using QObject::QObject;

    // Whether this way reaches the clipboard; when not, the calls below do nothing.
    virtual bool available() const = 0;
    // The clipboard's data in every format it offers, read within `boundMs` in all (what has not
    // arrived by then is left out); empty when the clipboard is empty. Our own data is at hand.
    virtual Formats read(int boundMs) = 0;
    // Makes `formats` the clipboard's content; the desktop has it when this returns.
    virtual void set(Formats formats) = 0;
    // Empties the clipboard, when it still holds our data.
    virtual void clearOurs() = 0;
    // Whether the clipboard still holds the data set last (nobody else has set one since).
    virtual bool holdsOurs() const = 0;

signals:
    // A window asked for the data we hold (pasted it, or a clipboard manager copied it).
    void dataSent();
};

}  // namespace vorbix::portal
