#include "platform/portal/WaylandClipboardInserter.h"

#include <QLoggingCategory>

#include "core/KeyCombStroke.h"
#include "core/KeyNotation.h"
#include "core/TextUtil.h"
#include "platform/portal/KeymapCoverage.h"
#include "platform/portal/PortalClipboard.h"
#include "platform/portal/PortalKeyboardOutput.h"

Q_DECLARE_LOGGING_CATEGORY(lcStrokes)

namespace vorbix::portal {
namespace {

constexpr uint8_t kVkTab = 0x09;
constexpr uint8_t kVkV = 0x56;

// The formats of an inserted text: plain text under the names Wayland and X11 programs ask for,
// HTML and RTF where the text has them, and the hint that asks clipboard managers to keep no
// copy of a stored text on its way into one window.
WaylandSelection::Formats formatsOf(const ClipboardContent& content) {
    WaylandSelection::Formats formats = {{"text/plain;charset=utf-8", content.plain},
                                         {"text/plain", content.plain},
                                         {"UTF8_STRING", content.plain}};
    if (!content.html.empty()) formats.emplace_back("text/html", content.html);
    if (!content.rtf.empty()) formats.emplace_back("text/rtf", content.rtf);
    formats.emplace_back("x-kde-passwordManagerHint", "secret");
    return formats;
}

}  // namespace

WaylandClipboardInserter::WaylandClipboardInserter(PortalKeyboardOutput& keys,
                                                   PortalClipboard* portalClipboard,
                                                   QObject* parent)
    : QObject(parent), keys_(keys), portalClipboard_(portalClipboard) {
    if (portalClipboard_) portalClipboard_->setWanted(!dataControl_.available());
    for (auto [timer, ms] : {std::pair{&settle_, kSettleMs}, std::pair{&giveUp_, kGiveUpMs},
                             std::pair{&limit_, kLimitMs}}) {
        timer->setSingleShot(true);
        timer->setInterval(ms);
    }
    connect(&settle_, &QTimer::timeout, this, &WaylandClipboardInserter::finish);
    connect(&limit_, &QTimer::timeout, this, &WaylandClipboardInserter::finish);
    connect(&giveUp_, &QTimer::timeout, this, [this] {
        if (requests_ == 0) finish();
    });
    const auto taken = [this] {
        if (state_ != State::Pasting) return;
        ++requests_;
        if (strokesOut_) settle_.start();
    };
    connect(&dataControl_, &ClipboardSelection::dataSent, this, taken);
    if (portalClipboard_) connect(portalClipboard_, &ClipboardSelection::dataSent, this, taken);
    connect(&keys_, &PortalKeyboardOutput::drained, this, [this] {
        if (state_ != State::Pasting || strokesOut_) return;
        strokesOut_ = true;
        giveUp_.start();
        // The target may have asked before the desktop's answer to the last stroke came back.
        if (requests_ > 0) settle_.start();
    });
}

WaylandClipboardInserter::~WaylandClipboardInserter() {
    queue_.clear();
    if (state_ == State::Pasting) finish();
}

void WaylandClipboardInserter::insert(const ClipboardContent& content, bool tabAfter,
                                      bool keepClipboard) {
    queue_.push_back({content, tabAfter, keepClipboard});
    if (state_ == State::Idle) startNext(false);
}

bool WaylandClipboardInserter::available() const {
    return dataControl_.available() || (portalClipboard_ && portalClipboard_->available());
}

ClipboardSelection* WaylandClipboardInserter::selection() {
    if (dataControl_.available()) return &dataControl_;
    if (portalClipboard_ && portalClipboard_->available()) return portalClipboard_;
    return nullptr;
}

void WaylandClipboardInserter::startNext(bool previousKept) {
    current_ = std::move(queue_.front());
    queue_.pop_front();
    ClipboardSelection* way = selection();
    if (!way) return type();
    if (way != using_) previousKept = false;
    using_ = way;
    if (!current_.keepClipboard) {
        previous_.clear();
    } else if (!previousKept) {
        previous_ = using_->read(kReadBoundMs);
    }
    paste();
}

void WaylandClipboardInserter::paste() {
    state_ = State::Pasting;
    strokesOut_ = false;
    requests_ = 0;
    using_->set(formatsOf(current_.content));
    strokeShortCut(kShortCutCtrl | kVkV, keys_);
    if (current_.tabAfter) {
        keys_.keyDown(kVkTab);
        keys_.keyUp(kVkTab);
    }
    limit_.start();
    if (keys_.failed()) finish();
}

void WaylandClipboardInserter::type() {
    const KeymapCoverage coverage(dataControl_.keymap());
    const std::u32string text = charactersToType(current_.content.plain);
    const std::u32string missing = coverage.missing(text);
    if (!missing.empty()) {
        const QString chars = QString::fromStdString(toUtf8(missing));
        qCWarning(lcStrokes).noquote()
            << "the keyboard cannot type these characters, left out:" << chars;
        emit charactersMissing(chars);
    }
    keys_.releaseModifiers();
    for (char32_t c : text) {
        if (coverage.canType(c)) keys_.strokeKeysym(keysymForCharacter(c));
    }
    if (current_.tabAfter) {
        keys_.keyDown(kVkTab);
        keys_.keyUp(kVkTab);
    }
    if (!queue_.empty()) return startNext(false);
    emit finished();
}

void WaylandClipboardInserter::finish() {
    settle_.stop();
    giveUp_.stop();
    limit_.stop();
    if (state_ != State::Pasting) return;
    state_ = State::Idle;
    // Someone set another content meanwhile: that one stays, or is what comes back later.
    const bool stillOurs = using_->holdsOurs();
    if (!queue_.empty()) return startNext(stillOurs);
    if (stillOurs) {
        if (current_.keepClipboard && !previous_.empty()) {
            using_->set(std::move(previous_));
        } else {
            using_->clearOurs();
        }
    }
    previous_.clear();
    emit finished();
}

}  // namespace vorbix::portal
