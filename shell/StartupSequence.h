// The order in which the program starts, in one place and outside any widget: the data folder
// (and the empty hot key file of a first run), the main window's configuration, its language
// (so that the action captions are in place before the table is read), the hot key file and its
// registration, the presentation of the activation state, the settings with the two special
// combinations, and last the tray icon.
#pragma once

namespace vorbix {

class TMain;

class StartupSequence {
public:
    explicit StartupSequence(TMain& main) : main_(main) {}
    void run();

private:
    void loadHotKeyFile();
    TMain& main_;
};

}  // namespace vorbix
