// The end of the session, on the user-interface thread: the signals SIGTERM and SIGHUP (the
// signal handler only writes a byte to a pipe) end the program; the X session manager's commit
// request only asks for the state to be saved, since it may be a checkpoint or a log-out that is
// cancelled later (the session manager's "die" ends the event loop itself).
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

    // The session manager's commit request.
    void commitData();

signals:
    // SIGTERM or SIGHUP: save and end.
    void ending();
    // Save, and go on running.
    void saveRequested();

private:
    void readPipe();
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vorbix
