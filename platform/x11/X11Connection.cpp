#include "platform/x11/X11Connection.h"

#include <QGuiApplication>
#include <chrono>

namespace vorbix::x11 {
namespace {

QNativeInterface::QX11Application* x11Application() {
    auto* app = qGuiApp;
    return app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
}

}  // namespace

xcb_connection_t* applicationConnection() {
    auto* x11 = x11Application();
    return x11 ? x11->connection() : nullptr;
}

_XDisplay* applicationDisplay() {
    auto* x11 = x11Application();
    return x11 ? x11->display() : nullptr;
}

int64_t monotonicMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace vorbix::x11
