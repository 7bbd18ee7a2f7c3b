// One download of the update file over Qt Network, without blocking: it ends with its first
// line, or with a failure when the server does not answer with success, sends nothing for a
// while, takes too long in all, or sends more than a small file holds.
#pragma once

#include <QObject>
#include <QUrl>
#include <string>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace vorbix {

class UpdateDownload : public QObject {
    Q_OBJECT
public:
    struct Limits {
        int idleMs = 15000;   // no byte for this long ends the download
        int totalMs = 30000;  // the whole download takes at most this long
        qint64 maxBytes = 16 * 1024;
    };
    struct Result {
        bool ok = false;
        std::string firstLine;  // the text's first line, when ok
        std::string error;      // why it failed (diagnostics), when !ok
    };

    UpdateDownload(QNetworkAccessManager& network, Limits limits, QObject* parent = nullptr);
    ~UpdateDownload() override;

    // Starts the download; false while one is running.
    bool start(const QUrl& address);
    bool running() const { return reply_ != nullptr; }

signals:
    void finished(const vorbix::UpdateDownload::Result& result);

private:
    void readSome();
    void end(Result result);

    QNetworkAccessManager& network_;
    Limits limits_;
    QNetworkReply* reply_ = nullptr;
    QTimer* deadline_ = nullptr;
    QByteArray bytes_;
};

}  // namespace vorbix
