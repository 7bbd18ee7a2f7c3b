// One download of the update file, without blocking: it ends with its first line, or with a
// failure when the server does not answer with success, sends nothing for a while, takes too
// long in all, or sends more than a small file holds. The download itself runs in the network
// module (vorbix-network.so), loaded on the first download.
#pragma once

#include <QObject>
#include <QUrl>
#include <string>

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

    explicit UpdateDownload(Limits limits, QObject* parent = nullptr);
    ~UpdateDownload() override;

    // Starts the download; false while one is running. A network module that cannot be loaded
    // ends the download at once (from the event loop) with its reason.
    bool start(const QUrl& address);
    bool running() const { return running_; }

signals:
    void finished(const vorbix::UpdateDownload::Result& result);

private:
    static void done(void* context, int ok, const char* body, size_t size, const char* error);
    void end(Result result);

    Limits limits_;
    void* download_ = nullptr;  // the module's handle while it downloads
    bool running_ = false;
};

}  // namespace vorbix
