// A small X client for the desktop tests: a window that takes the focus and writes every key
// event it receives to standard output, one line each:
//   focus
//   press <keysym hex> <X modifier state hex>
//   release <keysym hex> <X modifier state hex>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QRasterWindow>
#include <cstdio>

namespace {

class Recorder : public QRasterWindow {
protected:
    bool event(QEvent* e) override {
        switch (e->type()) {
            case QEvent::FocusIn:
                std::printf("focus\n");
                std::fflush(stdout);
                break;
            case QEvent::KeyPress:
            case QEvent::KeyRelease: {
                auto* key = static_cast<QKeyEvent*>(e);
                std::printf("%s %x %x\n", e->type() == QEvent::KeyPress ? "press" : "release",
                            key->nativeVirtualKey(), key->nativeModifiers());
                std::fflush(stdout);
                return true;
            }
            default:
                break;
        }
        return QRasterWindow::event(e);
    }
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    Recorder window;
    window.setTitle("vorbix-key-recorder");
    window.resize(200, 100);
    window.show();
    window.requestActivate();
    return app.exec();
}
