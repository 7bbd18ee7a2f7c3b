// Files loaded through the file menu and read at start that are not what they are loaded as:
// refused with a message naming them, nothing changed; a real table replaces the rows only after
// a Yes and leaves the former file as HotKeys.hkv.bak. And the program's own boxes and file
// dialogs open without a nested event loop.
#include <QAction>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <random>

#include "shell/common/ShellCore.h"
#include "shell/mainwindow/FileChooser.h"
#include "shell/mainwindow/QtPrompter.h"
#include "tests/shell/WindowFixture.h"

namespace vorbix {
namespace {

using test::WindowFixture;

std::string randomBytes(size_t n) {
    std::mt19937 gen(7);
    std::string bytes(n, '\0');
    for (char& c : bytes) c = static_cast<char>(gen() & 0xFF);
    return bytes;
}

class RefusedFiles : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        env.chooseFile = [this](bool, const std::string&, const std::string&) { return chosen; };
    }
    std::string file(const std::string& name) const {
        return readWholeFile(env.dataFolder + name).value_or("<missing>");
    }
    std::string chosen;
};

TEST_F(RefusedFiles, MenuLoadOfWhatIsNoTableChangesNothing) {
    start();
    const std::string tableBefore = file("HotKeys.hkv");
    const std::string configBefore = file("Config.ini");
    const std::string folder = dir.path().toStdString() + "/";
    writeFileAtomically(folder + "random.hkv", randomBytes(20000));
    writeFileAtomically(folder + "settings.hkv", "[Settings]\r\nLanguage=English\r\n");
    const struct {
        const char* file;
        const char* reason;
    } cases[] = {
        {"random.hkv", "Binärdaten"},
        {"settings.hkv", "keinen der Abschnitte"},
    };
    for (const auto& c : cases) {
        chosen = folder + c.file;
        const std::string bytes = readWholeFile(chosen).value_or("");
        main->action("MenuOpen")->trigger();
        const std::vector<std::string> told = said();
        ASSERT_EQ(told.size(), 1u) << c.file;
        EXPECT_EQ(told[0].rfind("error: ", 0), 0u) << told[0];
        EXPECT_NE(told[0].find(chosen), std::string::npos) << told[0];
        EXPECT_NE(told[0].find(c.reason), std::string::npos) << told[0];
        ASSERT_EQ(main->table().size(), 1u);
        EXPECT_EQ(main->table().at(0).HotKeyText, "Strg+F5");
        EXPECT_EQ(file("HotKeys.hkv"), tableBefore);
        EXPECT_EQ(readWholeFile(chosen).value_or(""), bytes) << "the chosen file is not rewritten";
        EXPECT_EQ(file("HotKeys.hkv.bak"), "<missing>");
    }
    // A configuration that is none: no setting, no file changes.
    chosen = folder + "random.hkv";
    main->action("MenuLoadConfig")->trigger();
    const std::vector<std::string> told = said();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("keine Vorbix-Einstellungsdatei"), std::string::npos) << told[0];
    EXPECT_EQ(file("Config.ini"), configBefore);
    EXPECT_EQ(main->language(), "German");
}

TEST_F(RefusedFiles, RealTableAsksFirstAndKeepsTheFormerFile) {
    start();
    const std::string tableBefore = file("HotKeys.hkv");
    chosen = dir.path().toStdString() + "/other.hkv";
    writeFileAtomically(chosen,
                        "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F9\r\n"
                        "Action=Einfügen\r\n");
    platform.prompter.answer = false;
    main->action("MenuOpen")->trigger();
    std::vector<std::string> told = said();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].rfind("ask: ", 0), 0u);
    EXPECT_NE(told[0].find(chosen), std::string::npos) << told[0];
    EXPECT_EQ(main->table().at(0).HotKeyText, "Strg+F5");
    EXPECT_EQ(file("HotKeys.hkv.bak"), "<missing>");

    platform.prompter.answer = true;
    main->action("MenuOpen")->trigger();
    ASSERT_EQ(main->table().size(), 1u);
    EXPECT_EQ(main->table().at(0).HotKeyText, "Strg+F9");
    EXPECT_EQ(file("HotKeys.hkv.bak"), tableBefore);
    EXPECT_NE(file("HotKeys.hkv").find("Strg+F9"), std::string::npos);
}

TEST_F(RefusedFiles, StartSetsAsideWhatIsNoTableOrConfiguration) {
    const std::string table = randomBytes(5000);
    const std::string config =
        "\x7F"
        "ELF" +
        randomBytes(3000);
    writeFileAtomically(env.dataFolder + "HotKeys.hkv", table);
    writeFileAtomically(env.dataFolder + "Config.ini", config);
    main = std::make_unique<TMain>(env);
    main->startUp();
    const std::vector<std::string> told = said();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_NE(told[0].find(env.dataFolder + "Config.ini"), std::string::npos) << told[0];
    EXPECT_NE(told[1].find(env.dataFolder + "HotKeys.hkv"), std::string::npos) << told[1];
    EXPECT_TRUE(main->table().empty());
    EXPECT_EQ(file("HotKeys.hkv.refused"), table);
    EXPECT_EQ(file("Config.ini.refused"), config);
    // The files the program writes from now on start afresh.
    EXPECT_EQ(main->saveState(), "");
    EXPECT_NE(file("HotKeys.hkv").find("Count=0"), std::string::npos);
    EXPECT_EQ(file("Config.ini").find("ELF"), std::string::npos);
}

// The Qt boxes and dialogs return at once; the answer arrives through the callback.
TEST(NoNestedLoop, BoxesAndFileDialogsReturnAtOnce) {
    test::offscreenApp();
    QWidget owner;
    owner.show();
    std::vector<bool> answers;
    {
        QtPrompter prompter(&owner);
        prompter.ask("Sure?", [&answers](bool yes) { answers.push_back(yes); });
        prompter.showMessage("Told", MessageType::Information);
        ASSERT_EQ(prompter.openBoxes().size(), 2);
        EXPECT_TRUE(answers.empty()) << "returned before any answer";
        QMessageBox* question = prompter.openBoxes().front();
        question->button(QMessageBox::Yes)->click();
        EXPECT_EQ(answers, std::vector<bool>{true});
        prompter.ask("Again?", [&answers](bool yes) { answers.push_back(yes); });
        prompter.openBoxes().back()->reject();  // Escape, the close box
        EXPECT_EQ(answers, (std::vector<bool>{true, false}));

        bool closed = false;
        prompter.showMessageFor("Ends", MessageType::Error, 50, [&closed] { closed = true; });
        QElapsedTimer waited;
        waited.start();
        while (!closed && waited.elapsed() < 5000) QCoreApplication::processEvents();
        EXPECT_TRUE(closed) << "the timed box closes by itself";
        prompter.ask("Left open", [&answers](bool yes) { answers.push_back(yes); });
    }
    // A prompter that goes closes its boxes without answering.
    QCoreApplication::processEvents();
    EXPECT_EQ(answers.size(), 2u);

    std::string picked;
    FileChooser chooser(&owner, {});
    chooser.open("Tables (*.hkv)|*.hkv", "hkv", [&picked](const std::string& p) { picked = p; });
    ASSERT_NE(chooser.dialog(), nullptr);
    EXPECT_TRUE(chooser.dialog()->isVisible());
    chooser.dialog()->reject();
    QCoreApplication::processEvents();
    EXPECT_TRUE(picked.empty()) << "Cancel chooses nothing";
}

}  // namespace
}  // namespace vorbix
