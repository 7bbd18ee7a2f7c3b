// The end of the session: the X session manager's commit request and the signals SIGTERM and
// SIGHUP both arrive as one Qt signal on the user-interface thread (the signal handler only
// writes a byte to a pipe).
#pragma once

#include <QObject>

class QSocketNotifier;

namespace vorbix {

class SessionEnd : public QObject {
    Q_OBJECT
public:
    explicit SessionEnd(QObject* parent = nullptr);
    ~SessionEnd() override;
    // Installs the signal handlers and watches the session manager; once per process.
    bool install();

signals:
    void ending();

private:
    void readPipe();
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vorbix
