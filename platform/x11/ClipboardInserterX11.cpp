#include "platform/x11/ClipboardInserterX11.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>

#include "core/KeyCombStroke.h"
#include "core/KeyNotation.h"

namespace vorbix {

namespace {

constexpr uint8_t kVkTab = 0x09;
constexpr uint8_t kVkV = 0x56;
// The clipboard names of RTF: the MIME type, and the name Windows programs use.
const QString kRtfMime = QStringLiteral("text/rtf");
const QString kRtfWindowsName = QStringLiteral("Rich Text Format");
const QString kQtImageMime = QStringLiteral("application/x-qt-image");

// A copy of everything the clipboard offers now, or null when it offers nothing.
std::unique_ptr<QMimeData> copyOf(const QMimeData* source) {
    if (!source || source->formats().isEmpty()) return nullptr;
    auto copy = std::make_unique<QMimeData>();
    if (source->hasImage()) copy->setImageData(source->imageData());
    for (const QString& format : source->formats()) {
        if (format == kQtImageMime) continue;
        copy->setData(format, source->data(format));
    }
    return copy;
}

}  // namespace

// Clipboard data that reports every request for its content, so the inserter knows when the
// target has taken it.
class X11ClipboardInserter::WatchedMimeData : public QMimeData {
public:
    explicit WatchedMimeData(X11ClipboardInserter* owner) : owner_(owner) {}

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override {
        if (owner_) owner_->onDataRequested();
        return QMimeData::retrieveData(mimeType, type);
    }

private:
    QPointer<X11ClipboardInserter> owner_;
};

X11ClipboardInserter::X11ClipboardInserter(KeyboardOutput& keys, QObject* parent)
    : QObject(parent), keys_(keys) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    giveUp_.setSingleShot(true);
    giveUp_.setInterval(kGiveUpMs);
    connect(&settle_, &QTimer::timeout, this, &X11ClipboardInserter::finish);
    connect(&giveUp_, &QTimer::timeout, this, [this] {
        if (requests_ == 0) finish();
    });
}

X11ClipboardInserter::~X11ClipboardInserter() {
    queue_.clear();
    if (pending_) finish();
}

void X11ClipboardInserter::insert(const ClipboardContent& content, bool tabAfter,
                                  bool keepClipboard) {
    // One insertion at a time: a second one while the target has not taken the first would
    // replace the first text before it is pasted.
    if (pending_) {
        queue_.push_back({content, tabAfter, keepClipboard});
        return;
    }
    previous_ = keepClipboard ? copyOf(QGuiApplication::clipboard()->mimeData()) : nullptr;
    begin({content, tabAfter, keepClipboard});
}

void X11ClipboardInserter::begin(const Insertion& insertion) {
    keep_ = insertion.keepClipboard;
    const ClipboardContent& content = insertion.content;
    auto* data = new WatchedMimeData(this);
    data->setText(QString::fromStdString(content.plain));
    if (!content.html.empty()) data->setHtml(QString::fromStdString(content.html));
    if (!content.rtf.empty()) {
        const QByteArray rtf = QByteArray::fromStdString(content.rtf);
        data->setData(kRtfMime, rtf);
        data->setData(kRtfWindowsName, rtf);
    }
    armed_ = false;
    requests_ = 0;
    pending_ = true;
    ours_ = data;
    QGuiApplication::clipboard()->setMimeData(data);

    // Requests count from the paste stroke on; anything before came from this program itself.
    armed_ = true;
    strokeShortCut(kShortCutCtrl | kVkV, keys_);
    if (insertion.tabAfter) {
        keys_.keyDown(kVkTab);
        keys_.keyUp(kVkTab);
    }
    giveUp_.start();
}

void X11ClipboardInserter::onDataRequested() {
    if (!pending_ || !armed_) return;
    ++requests_;
    settle_.start();
}

void X11ClipboardInserter::finish() {
    settle_.stop();
    giveUp_.stop();
    if (!pending_) return;
    pending_ = false;
    armed_ = false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    // Someone copied something else meanwhile: that content stays, or is what comes back.
    const bool stillOurs = clipboard->ownsClipboard() && clipboard->mimeData() == ours_;
    ours_ = nullptr;
    if (!queue_.empty()) {
        const Insertion next = std::move(queue_.front());
        queue_.pop_front();
        if (!stillOurs) previous_ = copyOf(clipboard->mimeData());
        if (!next.keepClipboard) previous_.reset();
        begin(next);
        return;
    }
    if (stillOurs) {
        if (keep_ && previous_) {
            clipboard->setMimeData(previous_.release());
        } else {
            clipboard->clear();
        }
    }
    previous_.reset();
    emit finished();
}

}  // namespace vorbix
