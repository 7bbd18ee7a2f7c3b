#include "platform/portal/PortalKeyboardOutput.h"

#include <QDBusConnection>
#include <QLoggingCategory>

#include "platform/portal/RemoteDesktopSession.h"
#include "platform/x11/VirtualKeys.h"

Q_DECLARE_LOGGING_CATEGORY(lcStrokes)

namespace vorbix::portal {

PortalKeyboardOutput::PortalKeyboardOutput(const std::string& tokenFolder, QObject* parent)
    : PortalKeyboardOutput(
          std::make_unique<RemoteDesktopSession>(QDBusConnection::sessionBus(), tokenFolder),
          parent) {}

PortalKeyboardOutput::PortalKeyboardOutput(std::unique_ptr<KeySink> sink, QObject* parent)
    : QObject(parent), sink_(std::move(sink)) {
    releaseBound_.setSingleShot(true);
    releaseBound_.setInterval(kReleaseBoundMs);
    connect(&releaseBound_, &QTimer::timeout, this, [this] {
        qCInfo(lcStrokes) << "the hot key's combination is still held; typing anyway";
        endWait();
    });
    grace_.setSingleShot(true);
    grace_.setInterval(kModifierGraceMs);
    connect(&grace_, &QTimer::timeout, this, &PortalKeyboardOutput::endWait);
    quiet_.setSingleShot(true);
    quiet_.setInterval(kQuietMs);
    // Opened at once, so the first stroke does not wait for the session.
    sink_->open([this](bool ok) {
        state_ = ok ? State::Ready : State::Failed;
        if (!ok && !queue_.empty()) {
            queue_.clear();
            emit drained();
        }
        pump();
    });
}

PortalKeyboardOutput::~PortalKeyboardOutput() {
    // Keys of ours still down would stay down in the desktop.
    if (state_ != State::Ready) return;
    for (uint32_t keysym : down_) sink_->send(keysym, false, [] {});
}

void PortalKeyboardOutput::keyDown(uint8_t virtualKey) {
    if (const uint32_t keysym = x11::keysymFromVirtualKey(virtualKey))
        push({Step::Key, keysym, true});
}

void PortalKeyboardOutput::keyUp(uint8_t virtualKey) {
    if (const uint32_t keysym = x11::keysymFromVirtualKey(virtualKey))
        push({Step::Key, keysym, false});
}

void PortalKeyboardOutput::releaseModifiers() {
    push({Step::WaitForRelease});
}

void PortalKeyboardOutput::strokeKeysym(uint32_t keysym) {
    if (keysym == 0) return;
    push({Step::Key, keysym, true});
    push({Step::Key, keysym, false});
}

void PortalKeyboardOutput::push(Step step) {
    if (state_ == State::Failed) {
        qCInfo(lcStrokes) << "a key stroke was dropped: no RemoteDesktop session";
        return;
    }
    queue_.push_back(step);
    pump();
}

bool PortalKeyboardOutput::strokesInFlight() const {
    return !queue_.empty() || unanswered_ > 0 || quiet_.isActive();
}

void PortalKeyboardOutput::combinationReleased() {
    if (!waiting_ || grace_.isActive()) return;
    releaseBound_.stop();
    grace_.start();
}

void PortalKeyboardOutput::endWait() {
    if (!waiting_) return;
    waiting_ = false;
    releaseBound_.stop();
    grace_.stop();
    if (!queue_.empty() && queue_.front().kind == Step::WaitForRelease) queue_.pop_front();
    pump();
}

void PortalKeyboardOutput::pump() {
    if (state_ != State::Ready || pumping_) return;
    pumping_ = true;
    // One event at a time: the portal's front end handles each call in a thread of its own, so
    // events sent before the last one was answered can reach the desktop in another order (a
    // Shift that goes down after its Home, or up before it went down).
    while (!queue_.empty() && !waiting_ && unanswered_ == 0) {
        const Step step = queue_.front();
        if (step.kind == Step::WaitForRelease) {
            if (held_ && held_()) {
                waiting_ = true;
                releaseBound_.start();
                break;
            }
            queue_.pop_front();
            continue;
        }
        queue_.pop_front();
        if (step.pressed) {
            down_.insert(step.keysym);
        } else {
            down_.erase(step.keysym);
        }
        ++unanswered_;
        quiet_.stop();
        sink_->send(step.keysym, step.pressed, [this] { sent(); });
    }
    pumping_ = false;
}

void PortalKeyboardOutput::sent() {
    if (unanswered_ > 0) --unanswered_;
    if (unanswered_ == 0 && queue_.empty()) {
        quiet_.start();
        emit drained();
        return;
    }
    pump();
}

}  // namespace vorbix::portal
