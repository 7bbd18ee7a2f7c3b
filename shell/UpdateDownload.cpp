#include "shell/UpdateDownload.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <utility>

#include "shell/UpdateRules.h"

namespace vorbix {

UpdateDownload::UpdateDownload(QNetworkAccessManager& network, Limits limits, QObject* parent)
    : QObject(parent), network_(network), limits_(limits) {
    deadline_ = new QTimer(this);
    deadline_->setSingleShot(true);
    connect(deadline_, &QTimer::timeout, this, [this] {
        end({false, {}, "the download took too long"});
    });
}

UpdateDownload::~UpdateDownload() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
}

bool UpdateDownload::start(const QUrl& address) {
    if (reply_) return false;
    bytes_.clear();
    QNetworkRequest request(address);
    // Redirects may not lead from https to http; no cache answers for the server.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setTransferTimeout(limits_.idleMs);
    reply_ = network_.get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &UpdateDownload::readSome);
    connect(reply_, &QNetworkReply::finished, this, [this] {
        readSome();
        if (!reply_) return;
        const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply_->error() != QNetworkReply::NoError) {
            end({false, {}, reply_->errorString().toStdString()});
        } else if (status != 0 && (status < 200 || status > 299)) {
            end({false, {}, "the server answered " + std::to_string(status)});
        } else {
            end({true, firstLineOf(bytes_.toStdString()), {}});
        }
    });
    deadline_->start(limits_.totalMs);
    return true;
}

void UpdateDownload::readSome() {
    if (!reply_) return;
    bytes_ += reply_->readAll();
    if (bytes_.size() > limits_.maxBytes) end({false, {}, "the answer is too large"});
}

void UpdateDownload::end(Result result) {
    if (!reply_) return;
    deadline_->stop();
    QNetworkReply* reply = std::exchange(reply_, nullptr);
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
    bytes_.clear();
    emit finished(result);
}

}  // namespace vorbix
