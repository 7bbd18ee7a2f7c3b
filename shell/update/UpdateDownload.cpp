#include "shell/update/UpdateDownload.h"

#include <QLibrary>
#include <QTimer>
#include <string_view>

#include "platform/network/DownloadModule.h"
#include "shell/update/UpdateRules.h"
#include "storage/StorageLocations.h"

namespace vorbix {

namespace {

// The network module's two functions, loaded once; null with the reason when it cannot be.
struct NetworkModule {
    VorbixDownloadStart start = nullptr;
    VorbixDownloadCancel cancel = nullptr;
    std::string error;
};

const NetworkModule& networkModule() {
    static const NetworkModule module = [] {
        NetworkModule m;
        QLibrary library(QString::fromStdString(HelperFolder() + kNetworkModuleFile));
        if (!library.load()) {
            m.error = "the network module cannot be loaded: " + library.errorString().toStdString();
            return m;
        }
        m.start = reinterpret_cast<VorbixDownloadStart>(library.resolve(kDownloadStartSymbol));
        m.cancel = reinterpret_cast<VorbixDownloadCancel>(library.resolve(kDownloadCancelSymbol));
        if (!m.start || !m.cancel) {
            m.start = nullptr;
            m.error = "the network module is not the one of this program";
        }
        return m;
    }();
    return module;
}

}  // namespace

UpdateDownload::UpdateDownload(Limits limits, QObject* parent) : QObject(parent), limits_(limits) {}

UpdateDownload::~UpdateDownload() {
    if (download_) networkModule().cancel(download_);
}

bool UpdateDownload::start(const QUrl& address) {
    if (running_) return false;
    running_ = true;
    const NetworkModule& module = networkModule();
    if (!module.start) {
        QTimer::singleShot(0, this, [this, error = module.error] { end({false, {}, error}); });
        return true;
    }
    const VorbixDownloadLimits limits{limits_.idleMs, limits_.totalMs, limits_.maxBytes};
    download_ = module.start(address.toString().toUtf8().constData(), &limits, &done, this);
    return true;
}

void UpdateDownload::done(void* context, int ok, const char* body, size_t size, const char* error) {
    auto* self = static_cast<UpdateDownload*>(context);
    self->download_ = nullptr;  // the module lets go of it after this call
    if (ok) {
        self->end({true, firstLineOf(std::string_view(body, size)), {}});
    } else {
        self->end({false, {}, error});
    }
}

void UpdateDownload::end(Result result) {
    running_ = false;
    emit finished(result);
}

}  // namespace vorbix
