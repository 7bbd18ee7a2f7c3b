// vorbix-network.so: one HTTPS download on Qt Network, without blocking. It ends with the
// answer, or with a failure when the server does not answer with success, sends nothing for a
// while, takes too long in all, or sends more than allowed.
#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <string>
#include <utility>

#include "platform/network/DownloadModule.h"

namespace {

// One network access for every download, made on first use and gone with the application.
QNetworkAccessManager& network() {
    static QNetworkAccessManager* manager = new QNetworkAccessManager(QCoreApplication::instance());
    return *manager;
}

class NetworkDownload : public QObject {
public:
    NetworkDownload(const VorbixDownloadLimits& limits, VorbixDownloadDone done, void* context)
        : limits_(limits), done_(done), context_(context) {
        deadline_.setSingleShot(true);
        connect(&deadline_, &QTimer::timeout, this,
                [this] { end(false, "the download took too long"); });
    }

    ~NetworkDownload() override { dropReply(); }

    void start(const QUrl& address) {
        QNetworkRequest request(address);
        // Redirects may not lead from https to http; no cache answers for the server.
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::AlwaysNetwork);
        request.setTransferTimeout(limits_.idleMs);
        reply_ = network().get(request);
        connect(reply_, &QNetworkReply::readyRead, this, &NetworkDownload::readSome);
        connect(reply_, &QNetworkReply::finished, this, [this] {
            readSome();
            if (!reply_) return;
            const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (reply_->error() != QNetworkReply::NoError) {
                end(false, reply_->errorString().toStdString());
            } else if (status != 0 && (status < 200 || status > 299)) {
                end(false, "the server answered " + std::to_string(status));
            } else {
                end(true, {});
            }
        });
        deadline_.start(limits_.totalMs);
    }

private:
    void readSome() {
        if (!reply_) return;
        bytes_ += reply_->readAll();
        if (bytes_.size() > limits_.maxBytes) end(false, "the answer is too large");
    }

    void dropReply() {
        if (!reply_) return;
        QNetworkReply* reply = std::exchange(reply_, nullptr);
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }

    // Tells the caller once, then goes.
    void end(bool ok, const std::string& error) {
        if (!reply_) return;
        deadline_.stop();
        dropReply();
        done_(context_, ok ? 1 : 0, bytes_.constData(), size_t(bytes_.size()), error.c_str());
        deleteLater();
    }

    VorbixDownloadLimits limits_;
    VorbixDownloadDone done_;
    void* context_;
    QNetworkReply* reply_ = nullptr;
    QTimer deadline_;
    QByteArray bytes_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) void* vorbixDownloadStart(
    const char* url, const VorbixDownloadLimits* limits, VorbixDownloadDone done, void* context) {
    auto* download = new NetworkDownload(*limits, done, context);
    download->start(QUrl(QString::fromUtf8(url)));
    return download;
}

extern "C" __attribute__((visibility("default"))) void vorbixDownloadCancel(void* download) {
    // The reply is dropped at once, so `done` can no longer be called.
    delete static_cast<NetworkDownload*>(download);
}
