#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <mutex>
#include <optional>
#include <thread>

#include "platform/linux/ChildProcess.h"
#include "platform/linux/DefaultApplication.h"
#include "platform/linux/DesktopLauncher.h"
#include "tests/platform_linux/TestSupport.h"

namespace vorbix {
namespace {

using test::fs::path;
using Words = std::vector<std::string>;

TEST(DesktopFamily, ReadsTheDesktopListAndChoosesPanels) {
    EXPECT_EQ(currentDesktopFamily("ubuntu:GNOME"), "GNOME");
    EXPECT_EQ(currentDesktopFamily("X-Cinnamon"), "Cinnamon");
    EXPECT_EQ(currentDesktopFamily("kde"), "KDE");
    EXPECT_EQ(currentDesktopFamily("XFCE"), "XFCE");
    EXPECT_EQ(currentDesktopFamily("Openbox"), "");
    EXPECT_EQ(currentDesktopFamily(""), "");

    auto kde = settingsCommands("KDE", SettingsPanel::DateTime);
    ASSERT_FALSE(kde.empty());
    EXPECT_EQ(kde.front(), (Words{"systemsettings", "kcm_clock"}));
    // Every panel of every desktop ends in something that works anywhere.
    for (const char* family : {"GNOME", "KDE", "XFCE", "Cinnamon", "MATE", "LXQt", ""}) {
        for (int p = 0; p <= static_cast<int>(SettingsPanel::System); ++p) {
            auto commands = settingsCommands(family, static_cast<SettingsPanel>(p));
            for (const char* anywhere : {"gnome-control-center", "systemsettings", "lxqt-config"})
                EXPECT_NE(std::find(commands.begin(), commands.end(), Words{anywhere}),
                          commands.end())
                    << family << " " << p << " " << anywhere;
        }
    }

    EXPECT_TRUE(looksLikeAddress("https://example.org/a b"));
    EXPECT_TRUE(looksLikeAddress("mailto:someone@example.org"));
    EXPECT_FALSE(looksLikeAddress("C:\\Programme"));
    EXPECT_FALSE(looksLikeAddress("/home/user/a:b"));
    EXPECT_FALSE(looksLikeAddress("www.example.org"));
}

// A launcher in a sandbox: PATH holds only the programs a test links to the recording helper.
class LauncherTest : public ::testing::Test {
protected:
    LauncherTest()
        : records_(tmp_ / "records"),
          bin_(tmp_ / "bin"),
          home_(tmp_ / "home"),
          path_("PATH", bin_),
          recordDir_("VORBIX_RECORD_DIR", records_),
          homeEnv_("HOME", home_),
          terminal_("TERMINAL", nullptr),
          browser_("BROWSER", nullptr),
          desktop_("XDG_CURRENT_DESKTOP", nullptr) {
        test::fs::create_directories(records_);
        test::fs::create_directories(bin_);
        test::fs::create_directories(home_);
    }

    // Makes `name` in PATH a recording program.
    void provide(const std::string& name) {
        test::fs::create_symlink(RECORD_ARGS, bin_ + "/" + name);
    }

    test::Record onlyRecord() {
        auto records = test::waitForRecords(records_);
        EXPECT_EQ(records.size(), 1u);
        return records.empty() ? test::Record{} : records.front();
    }
    bool nothingStarted() { return test::readRecords(records_).empty(); }

    test::TempDir tmp_;
    std::string records_, bin_, home_;
    test::ScopedEnv path_, recordDir_, homeEnv_, terminal_, browser_, desktop_;
    DesktopLauncher launcher_;
};

TEST_F(LauncherTest, StartsTheProgramWithItsArgumentsInItsOwnFolder) {
    std::string folder = tmp_ / "my programs";
    test::fs::create_directories(folder);
    std::string program = folder + "/tool";
    test::fs::copy_file(RECORD_ARGS, program);
    std::string marker = tmp_ / "pwned";
    int leaked = ::open("/dev/null", O_RDONLY);  // without close-on-exec

    auto result = launcher_.startProgram(
        program, R"(-x "a file.txt" 'it''s' ; touch )" + marker + R"( $(touch )" + marker + ")",
        WindowMode::Normal);
    ASSERT_TRUE(result.ok) << result.error;
    auto record = onlyRecord();
    EXPECT_EQ(record.cwd, folder);
    EXPECT_EQ(record.argv, (Words{program, "-x", "a file.txt", "its", ";", "touch", marker,
                                  "$(touch", marker + ")"}));
    EXPECT_FALSE(test::fs::exists(marker));
    EXPECT_EQ(record.inheritedFds, "");
    EXPECT_TRUE(record.sessionLeader);
    EXPECT_GT(launcher_.lastStarted(), 0);
    ::close(leaked);
}

TEST_F(LauncherTest, FindsAProgramInPathAndOpensFoldersAndDocuments) {
    provide("editor");
    provide("xdg-open");
    ASSERT_TRUE(launcher_.startProgram("editor", "", WindowMode::Normal).ok);
    auto records = test::waitForRecords(records_);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].argv, Words{bin_ + "/editor"});
    EXPECT_EQ(records[0].cwd, bin_);

    // A document (not executable) and a folder go to their programs like the Windows shell does.
    std::string document = tmp_ / "notes.txt";
    test::writeFile(document, "x");
    ASSERT_TRUE(launcher_.startProgram(document, "ignored", WindowMode::Normal).ok);
    ASSERT_TRUE(launcher_.startProgram(tmp_.path().string(), "", WindowMode::Normal).ok);
    records = test::waitForRecords(records_, 3);
    ASSERT_EQ(records.size(), 3u);
    std::vector<Words> seen;
    for (auto& r : records) seen.push_back(r.argv);
    EXPECT_NE(std::find(seen.begin(), seen.end(), Words{bin_ + "/xdg-open", document}), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), Words{bin_ + "/xdg-open", tmp_.path().string()}),
              seen.end());
}

TEST_F(LauncherTest, RelativePathsCountFromTheProgramsCurrentFolder) {
    provide("xdg-open");
    const path previous = test::fs::current_path();
    test::fs::current_path(tmp_.path());
    const std::string here = test::fs::current_path().string();
    test::fs::create_directories(tmp_ / "-tools");
    test::fs::copy_file(RECORD_ARGS, tmp_ / "-tools/tool");
    // The program starts in its own folder, where the relative path would no longer lead to it;
    // the folder's leading "-" must not reach xdg-open as an option.
    auto started = launcher_.startProgram("-tools/tool", "x", WindowMode::Normal);
    auto opened = launcher_.openLocation("-tools", WindowMode::Normal);
    test::fs::current_path(previous);
    ASSERT_TRUE(started.ok) << started.error;
    ASSERT_TRUE(opened.ok) << opened.error;
    auto records = test::waitForRecords(records_, 2);
    ASSERT_EQ(records.size(), 2u);
    std::vector<Words> seen;
    for (auto& r : records) seen.push_back(r.argv);
    EXPECT_NE(std::find(seen.begin(), seen.end(), Words{here + "/-tools/tool", "x"}), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), Words{bin_ + "/xdg-open", here + "/-tools"}),
              seen.end());
}

TEST_F(LauncherTest, AMissingProgramOrFolderStartsNothingAndSaysWhy) {
    provide("xdg-open");
    auto missing = launcher_.startProgram(tmp_ / "nothing here", "-a", WindowMode::Normal);
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("nothing here"), std::string::npos);
    EXPECT_EQ(missing.kind, LaunchError::NotFound);
    EXPECT_EQ(missing.subject, tmp_ / "nothing here");
    auto placeholder =
        launcher_.startProgram("<Neues Programm/Verzeichnis>", "", WindowMode::Normal);
    EXPECT_FALSE(placeholder.ok);
    EXPECT_FALSE(placeholder.error.empty());
    EXPECT_EQ(launcher_.startProgram("", "", WindowMode::Normal).kind, LaunchError::NotSet);
    EXPECT_FALSE(launcher_.startProgram("C:\\Windows\\notepad.exe", "", WindowMode::Normal).ok);
    EXPECT_FALSE(launcher_.openLocation(tmp_ / "no folder", WindowMode::Normal).ok);
    EXPECT_FALSE(launcher_.openLocation("   ", WindowMode::Normal).ok);

    // A file that may not be executed at all.
    std::string locked = tmp_ / "locked";
    test::fs::copy_file(RECORD_ARGS, locked);
    test::fs::permissions(
        locked,
        test::fs::perms::owner_exec | test::fs::perms::group_exec | test::fs::perms::others_exec,
        test::fs::perm_options::remove);
    // Without the execute bit it counts as a document, which xdg-open then gets.
    EXPECT_TRUE(launcher_.startProgram(locked, "", WindowMode::Normal).ok);
    EXPECT_EQ(onlyRecord().argv, (Words{bin_ + "/xdg-open", locked}));
    test::fs::remove(bin_ + "/xdg-open");
    auto noXdgOpen = launcher_.openLocation("https://example.org", WindowMode::Normal);
    EXPECT_FALSE(noXdgOpen.ok);
    EXPECT_NE(noXdgOpen.error.find("xdg-open"), std::string::npos);
    EXPECT_EQ(noXdgOpen.kind, LaunchError::NoProgram);
}

TEST_F(LauncherTest, XdgOpenGetsTheAddressAsOneArgument) {
    provide("xdg-open");
    const std::string addresses[] = {"https://example.org/a b?x=1&y=$(id);z",
                                     "mailto:someone@example.org?subject=Hi there"};
    for (const auto& address : addresses) {
        ASSERT_TRUE(launcher_.openLocation(address, WindowMode::Normal).ok);
        auto record = onlyRecord();
        EXPECT_EQ(record.argv, (Words{bin_ + "/xdg-open", address}));
        EXPECT_EQ(record.cwd, home_);
        test::fs::remove_all(records_);
        test::fs::create_directories(records_);
    }
    ASSERT_TRUE(launcher_.openLocation("www.example.org", WindowMode::Normal).ok);
    EXPECT_EQ(onlyRecord().argv[1], "http://www.example.org");
    test::fs::remove_all(records_);
    test::fs::create_directories(records_);
    ASSERT_TRUE(launcher_.openMailProgram().ok);
    EXPECT_EQ(onlyRecord().argv[1], "mailto:");
}

TEST_F(LauncherTest, WindowModeIsHandedToTheApplierWithTheChildsPid) {
    provide("xdg-open");
    provide("tool");
    std::vector<std::pair<pid_t, WindowMode>> applied;
    launcher_.setWindowModeApplier([&](pid_t pid, WindowMode m) { applied.push_back({pid, m}); });
    ASSERT_TRUE(launcher_.startProgram("tool", "", WindowMode::Normal).ok);
    EXPECT_TRUE(applied.empty());
    ASSERT_TRUE(launcher_.startProgram("tool", "", WindowMode::Maximized).ok);
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0], std::make_pair(launcher_.lastStarted(), WindowMode::Maximized));
    ASSERT_TRUE(launcher_.openLocation(home_, WindowMode::Minimized).ok);
    ASSERT_EQ(applied.size(), 2u);
    EXPECT_EQ(applied[1], std::make_pair(launcher_.lastStarted(), WindowMode::Minimized));
    EXPECT_FALSE(launcher_.startProgram("absent", "", WindowMode::Maximized).ok);
    EXPECT_EQ(applied.size(), 2u);
}

TEST_F(LauncherTest, TerminalBrowserAndSettingsComeFromWhatIsInstalled) {
    EXPECT_FALSE(launcher_.openTerminal().ok);
    EXPECT_FALSE(launcher_.openWebBrowser().ok);
    EXPECT_FALSE(launcher_.openSettings(SettingsPanel::Display).ok);

    provide("xterm");
    provide("konsole");
    ASSERT_TRUE(launcher_.openTerminal().ok);
    EXPECT_EQ(onlyRecord().argv, Words{bin_ + "/konsole"});
    test::fs::remove_all(records_);
    test::fs::create_directories(records_);

    provide("firefox");
    test::ScopedEnv browser("BROWSER",
                            "nonexistent-browser:" + std::string(RECORD_ARGS) + " --new %s");
    ASSERT_TRUE(launcher_.openWebBrowser().ok);
    EXPECT_EQ(onlyRecord().argv, (Words{RECORD_ARGS, "--new"}));
    test::fs::remove_all(records_);
    test::fs::create_directories(records_);

    provide("systemsettings");
    provide("gnome-control-center");
    {
        test::ScopedEnv desktop("XDG_CURRENT_DESKTOP", "KDE");
        ASSERT_TRUE(launcher_.openSettings(SettingsPanel::Sound).ok);
        EXPECT_EQ(onlyRecord().argv, (Words{bin_ + "/systemsettings", "kcm_pulseaudio"}));
    }
    test::fs::remove_all(records_);
    test::fs::create_directories(records_);
    {
        // XFCE's own display tool is missing: its settings manager opens instead.
        provide("xfce4-settings-manager");
        test::ScopedEnv desktop("XDG_CURRENT_DESKTOP", "XFCE");
        ASSERT_TRUE(launcher_.openSettings(SettingsPanel::Display).ok);
        EXPECT_EQ(onlyRecord().argv, Words{bin_ + "/xfce4-settings-manager"});
    }
}

// The browser the desktop names as its default: the first installed entry of the first list that
// names one, in the order of the user's lists before the system's, run without its address.
TEST_F(LauncherTest, TheBrowserIsTheDesktopsDefaultBeforeAnyKnownName) {
    const std::string config = tmp_ / "config", data = tmp_ / "data", system = tmp_ / "system";
    test::ScopedEnv configHome("XDG_CONFIG_HOME", config), configDirs("XDG_CONFIG_DIRS", nullptr),
        dataHome("XDG_DATA_HOME", data), dataDirs("XDG_DATA_DIRS", system);
    const auto entry = [](const std::string& path, const std::string& exec) {
        test::fs::create_directories(path.substr(0, path.rfind('/')));
        test::writeFile(path, "[Desktop Entry]\nType=Application\nName=B\nExec=" + exec + "\n");
    };
    const auto list = [](const std::string& path, const std::string& ids) {
        test::fs::create_directories(path.substr(0, path.rfind('/')));
        test::writeFile(path,
                        "[Added Associations]\nx-scheme-handler/http=other.desktop;\n"
                        "[Default Applications]\nx-scheme-handler/http=" +
                            ids + "\n");
    };
    provide("firefox");
    provide("mybrowser");
    entry(system + "/applications/mybrowser.desktop", "mybrowser --new-window %u");
    entry(data + "/applications/gone.desktop", "not-installed %U");
    struct Case {
        const char* where;  // which list names the default
        std::string ids;
        Words argv;
    };
    const Case cases[] = {
        {"user", "gone.desktop;mybrowser.desktop;", Words{bin_ + "/mybrowser", "--new-window"}},
        {"system", "mybrowser.desktop", Words{bin_ + "/mybrowser", "--new-window"}},
        {"user", "gone.desktop;", Words{bin_ + "/firefox"}},
        {"none", "", Words{bin_ + "/firefox"}},
    };
    for (const Case& c : cases) {
        test::fs::remove_all(config);
        test::fs::remove(system + "/applications/mimeapps.list");
        if (std::string(c.where) == "user") list(config + "/mimeapps.list", c.ids);
        if (std::string(c.where) == "system") list(system + "/applications/mimeapps.list", c.ids);
        ASSERT_TRUE(launcher_.openWebBrowser().ok) << c.ids;
        EXPECT_EQ(onlyRecord().argv, c.argv) << c.where << " " << c.ids;
        test::fs::remove_all(records_);
        test::fs::create_directories(records_);
    }
    EXPECT_EQ(desktopExecWords("\"/opt/my browser/run\" --a=%u %F 100%% -x"),
              (Words{"/opt/my browser/run", "--a=", "100%", "-x"}));
}

// An opener or a picked program that ends with an error soon after its start is reported once,
// from the reaper's thread; one that ends well, or a program of the user's, is not.
TEST_F(LauncherTest, AStartedOpenerThatEndsWithAnErrorIsReportedLater) {
    std::mutex mutex;
    std::vector<LaunchResult> reported;
    launcher_.setLateFailureHandler([&](const LaunchResult& r) {
        std::lock_guard lock(mutex);
        reported.push_back(r);
    });
    const auto script = [this](const std::string& name, int status) {
        test::writeFile(bin_ + "/" + name, "#!/bin/sh\nexit " + std::to_string(status) + "\n");
        test::fs::permissions(bin_ + "/" + name, test::fs::perms::owner_all);
    };
    const auto waitForReports = [&](size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (;;) {
            {
                std::lock_guard lock(mutex);
                if (reported.size() >= count || std::chrono::steady_clock::now() > deadline)
                    return reported;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    };
    struct Case {
        int status;
        std::function<LaunchResult()> call;
        std::optional<LaunchError> kind;
        std::string subject;
    };
    const std::string folder = home_;
    const Case cases[] = {
        {3, [&] { return launcher_.openLocation(folder, WindowMode::Normal); },
         LaunchError::OpenFailed, folder},
        {4, [&] { return launcher_.openLocation("https://example.org", WindowMode::Normal); },
         LaunchError::OpenFailed, "https://example.org"},
        {0, [&] { return launcher_.openLocation(folder, WindowMode::Normal); }, std::nullopt, ""},
        {1, [&] { return launcher_.openSettings(SettingsPanel::ControlPanel); },
         LaunchError::StartFailed, "gnome-control-center"},
        {2, [&] { return launcher_.startProgram("gnome-control-center", "", WindowMode::Normal); },
         std::nullopt, ""},
    };
    for (const Case& c : cases) {
        script("xdg-open", c.status);
        script("gnome-control-center", c.status);
        {
            std::lock_guard lock(mutex);
            reported.clear();
        }
        ASSERT_TRUE(c.call().ok);
        // The child has ended once it is reaped: its process id is gone.
        const pid_t pid = launcher_.lastStarted();
        while (::kill(pid, 0) == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        const std::vector<LaunchResult> got = waitForReports(c.kind ? 1 : 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::lock_guard lock(mutex);
        if (!c.kind) {
            EXPECT_TRUE(reported.empty()) << c.status << " " << reported.front().error;
            continue;
        }
        ASSERT_EQ(reported.size(), 1u) << c.status;
        EXPECT_FALSE(reported[0].ok);
        EXPECT_EQ(reported[0].kind, *c.kind);
        EXPECT_EQ(reported[0].subject, c.subject);
        EXPECT_NE(reported[0].error.find("status " + std::to_string(c.status)), std::string::npos)
            << reported[0].error;
    }
    // Without a handler nothing is called any more.
    launcher_.setLateFailureHandler({});
    script("xdg-open", 3);
    ASSERT_TRUE(launcher_.openLocation(folder, WindowMode::Normal).ok);
    const pid_t pid = launcher_.lastStarted();
    while (::kill(pid, 0) == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::lock_guard lock(mutex);
    EXPECT_TRUE(reported.empty());
}

TEST_F(LauncherTest, CanFindAnswersAsStartingAndOpeningWould) {
    provide("editor");
    provide("xdg-open");
    const path previous = test::fs::current_path();
    test::fs::current_path(tmp_.path());
    test::fs::create_directories(tmp_ / "sub dir");
    test::fs::create_directories(home_ + "/Music");
    test::writeFile(home_ + "/notes.txt", "x");
    test::fs::copy_file(RECORD_ARGS, tmp_ / "sub dir/tool");
    struct Case {
        std::string path;
        bool folder;
        bool found;
    } cases[] = {
        {"editor", false, true},        // a bare name found in PATH
        {"  editor ", false, true},     // blanks around it, as the launcher trims them
        {"absent", false, false},       // a bare name PATH does not have
        {"sub dir/tool", false, true},  // relative to the current folder
        {"sub dir/none", false, false},
        {"~/notes.txt", false, true},  // a document: the launcher opens it
        {"~/Music", false, true},      // a folder as a program: opened as well
        {"~/absent", false, false},
        {"C:\\Windows\\notepad.exe", false, false},
        {"<Neues Programm/Verzeichnis>", false, false},
        {"", false, false},
        {"~/Music", true, true},
        {"~", true, true},
        {"sub dir", true, true},
        {"no dir", true, false},
        {"https://example.org", true, true},  // addresses go to xdg-open as they are
        {"www.example.org", true, true},
        {"   ", true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(launcher_.canFind(c.path, c.folder), c.found) << c.path << " " << c.folder;
        // The launcher itself agrees.
        const LaunchResult r = c.folder ? launcher_.openLocation(c.path, WindowMode::Normal)
                                        : launcher_.startProgram(c.path, "", WindowMode::Normal);
        EXPECT_EQ(r.ok, c.found) << c.path << " " << c.folder << ": " << r.error;
    }
    test::fs::current_path(previous);
}

TEST_F(LauncherTest, EndedChildrenAreReaped) {
    provide("tool");
    std::vector<pid_t> pids;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(launcher_.startProgram("tool", std::to_string(i), WindowMode::Normal).ok);
        pids.push_back(launcher_.lastStarted());
    }
    test::waitForRecords(records_, 5);
    // A reaped child's process id is gone; a zombie would keep it.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    size_t left = pids.size();
    while (left > 0 && std::chrono::steady_clock::now() < deadline) {
        left = 0;
        for (pid_t pid : pids)
            if (::kill(pid, 0) == 0) ++left;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(left, 0u);
}

TEST(ChildProcess, RunAndWaitReportsTheExitStatus) {
    EXPECT_EQ(runAndWait({"/bin/sh", "-c", "exit 3"}, "/"), 3);
    EXPECT_EQ(runAndWait({"/bin/sh", "-c", "kill -TERM $$"}, "/"), 128 + SIGTERM);
    int error = 0;
    EXPECT_EQ(runAndWait({"/nonexistent/program"}, "/", &error), -1);
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(findProgram("/nonexistent/program"), "");
    test::TempDir tmp;
    test::writeFile(tmp / "plain", "x");
    test::fs::permissions(tmp / "plain",
                          test::fs::perms::owner_read | test::fs::perms::owner_write);
    EXPECT_EQ(findProgram(tmp / "plain"), "");        // not executable
    EXPECT_EQ(findProgram(tmp.path().string()), "");  // a folder
}

// The activation token of a press reaches the one program the press starts, never a later one,
// and the token this process was started with is never handed on.
TEST(ChildProcess, TheActivationTokenOfAPressGoesToTheNextStartOnly) {
    setenv("XDG_ACTIVATION_TOKEN", "own-start", 1);
    const auto tokenSeen = [] {
        return runAndWait({"/bin/sh", "-c",
                           "[ \"$XDG_ACTIVATION_TOKEN/$DESKTOP_STARTUP_ID\" = given/given ] && "
                           "exit 1; [ -z \"$XDG_ACTIVATION_TOKEN$DESKTOP_STARTUP_ID\" ] && exit "
                           "0; exit 2"},
                          "/");
    };
    EXPECT_EQ(tokenSeen(), 0) << "no token given: none handed on";
    setActivationTokenForNextStart("given");
    EXPECT_EQ(tokenSeen(), 1) << "the press's token, under both names";
    EXPECT_EQ(tokenSeen(), 0) << "used once";
    setActivationTokenForNextStart("given");
    setActivationTokenForNextStart("");
    EXPECT_EQ(tokenSeen(), 0) << "a press without a token clears the one before";
    unsetenv("XDG_ACTIVATION_TOKEN");
}

}  // namespace
}  // namespace vorbix
