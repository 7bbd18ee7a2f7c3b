// The volume editor opened from the main window: the device list taken anew at each opening, what
// OK stores for every choice in both languages, devices that come and go while it is open, the
// panel shown without devices, and Cancel, Esc and the close box writing nothing.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "editors/AdjustVolume.h"
#include "tests/editors/EditorWindowFixture.h"

namespace vorbix {
namespace {

constexpr const char* kTable =
    "[General]\r\nCount=4\r\n"
    "[Hot Key1]\r\nHot Key=Strg+F9\r\nAction=Lautst\xE4rke regeln\r\nVolume=+15%\r\n"
    "Settings=sink_c\r\n"
    "[Hot Key2]\r\nHot Key=Strg+F10\r\nAction=Lautst\xE4rke regeln\r\nVolume=Mute/Unmute\r\n"
    "Settings=sink_a\r\n"
    "[Hot Key3]\r\nHot Key=Strg+F11\r\nAction=Lautst\xE4rke regeln\r\n"
    "Volume=(Keine Lautst\xE4rke\xE4nderung festgelegt)\r\nSettings=\r\n"
    "[Hot Key4]\r\nHot Key=Strg+F12\r\nAction=Lautst\xE4rke regeln\r\nVolume=-35%\r\n"
    "Settings={0.0.0.00000000}.{4f2c}\r\n";

const std::vector<TDeviceInfo> kDevices{
    {"Speakers", "sink_a"}, {"Headset", "sink_b"}, {"HDMI Audio", "sink_c"}};

class AdjustVolumeEditorTest : public test::EditorWindowTest {
protected:
    void SetUp() override {
        prepare(kTable);
        platform.audio.list = kDevices;
        platform.audio.defaultId = "sink_b";
    }
    TAdjustVolume* open(int r) { return EditorWindowTest::open<TAdjustVolume>(r); }
    static QStringList entries(const TAdjustVolume* e) {
        QStringList names;
        for (int i = 0; i < e->deviceBox()->count(); ++i) names << e->deviceBox()->itemText(i);
        return names;
    }
};

TEST_F(AdjustVolumeEditorTest, OkStoresEveryChoiceInBothLanguages) {
    start();
    struct Choice {
        int steps;              // -99: the mute switch
        const char* stored[2];  // German, English
    } choices[] = {{3, {"+15%", "+15%"}}, {-20, {"-100%", "-100%"}},
                   {0, {"0%", "0%"}},     {20, {"+100%", "+100%"}},
                   {-1, {"-5%", "-5%"}},  {-99, {"Stumm/Laut", "Mute/Unmute"}}};
    int stored = 0;
    for (int language = 0; language < 2; ++language) {
        main->switchLanguage(language == 0 ? "German" : "English");
        for (int device = 0; device < 3; ++device) {
            for (const Choice& c : choices) {
                TAdjustVolume* editor = open(0);
                ASSERT_NE(editor, nullptr);
                editor->deviceBox()->setCurrentIndex(device);
                if (c.steps == -99) {
                    editor->muteChoice()->click();
                } else {
                    editor->amountChoice()->click();
                    editor->amountBar()->setValue(c.steps);
                    EXPECT_EQ(editor->amountLabel()->text().toStdString(), c.stored[language]);
                }
                QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
                ASSERT_FALSE(editor->isVisible());
                const std::string value = c.stored[language];
                const std::string id = kDevices[size_t(device)].DeviceId;
                EXPECT_EQ(row(0).PropertiesText, value);
                EXPECT_EQ(row(0).DeviceId, id);
                EXPECT_TRUE(fileHas("Volume=" + value + "\r\nSettings=" + id + "\r\n")) << value;
                ++stored;
            }
        }
    }
    EXPECT_EQ(stored, 36);
    EXPECT_TRUE(messages().empty()) << "the editor changes nothing in the sound system";
}

TEST_F(AdjustVolumeEditorTest, RowsOpenedInTurnShowTheirOwnValues) {
    start();
    struct Expected {
        int row;
        const char* device;
        bool mute;
        int steps;
        const char* label;
    } expected[] = {
        {0, "HDMI Audio", false, 3, "+15%"},
        {1, "Speakers", true, 0, "0%"},     // the English mute word while German is current
        {2, "Headset", false, 0, "0%"},     // no id and the placeholder: the default device, 0 %
        {3, "Headset", false, -7, "-35%"},  // a device not connected: the default device
        {0, "HDMI Audio", false, 3, "+15%"},
    };
    for (const Expected& e : expected) {
        TAdjustVolume* editor = open(e.row);
        ASSERT_NE(editor, nullptr) << e.row;
        EXPECT_EQ(entries(editor), (QStringList{"Speakers", "Headset", "HDMI Audio"}));
        EXPECT_EQ(editor->deviceBox()->currentText().toStdString(), e.device) << e.row;
        EXPECT_EQ(editor->muteChoice()->isChecked(), e.mute) << e.row;
        EXPECT_EQ(editor->amountChoice()->isChecked(), !e.mute) << e.row;
        EXPECT_EQ(editor->amountBar()->value(), e.steps) << e.row;
        EXPECT_EQ(editor->amountBar()->isEnabled(), !e.mute) << e.row;
        EXPECT_EQ(editor->amountLabel()->text().toStdString(), e.label) << e.row;
        EXPECT_FALSE(editor->noDevicePanel()->isVisibleTo(editor));
        editor->close();
    }
    // OK without a change keeps the id of the device that is not connected.
    QTest::mouseClick(open(3)->saveButton(), Qt::LeftButton);
    EXPECT_EQ(row(3).DeviceId, "{0.0.0.00000000}.{4f2c}");
    EXPECT_EQ(row(3).PropertiesText, "-35%");
}

TEST_F(AdjustVolumeEditorTest, TheMuteSwitchSetsTheAmountToZero) {
    start();
    TAdjustVolume* editor = open(0);
    ASSERT_NE(editor, nullptr);
    editor->muteChoice()->click();
    EXPECT_EQ(editor->amountBar()->value(), 0);
    EXPECT_FALSE(editor->amountBar()->isEnabled());
    EXPECT_EQ(editor->amountLabel()->text(), "0%");
    EXPECT_FALSE(editor->amountLabel()->isEnabled());
    editor->amountChoice()->click();
    EXPECT_TRUE(editor->amountBar()->isEnabled());
    editor->amountBar()->setValue(-4);
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_EQ(row(0).PropertiesText, "-20%");
    // Reopened as stored.
    editor = open(0);
    editor->muteChoice()->click();
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    editor = open(0);
    EXPECT_TRUE(editor->muteChoice()->isChecked());
    EXPECT_EQ(editor->amountBar()->value(), 0);
    editor->close();
}

TEST_F(AdjustVolumeEditorTest, TheDeviceListIsTakenAnewAndEntriesKeepTheirDevice) {
    start();
    TAdjustVolume* editor = open(0);
    ASSERT_NE(editor, nullptr);
    editor->close();
    // A device plugged in before the next opening is listed.
    platform.audio.list.insert(platform.audio.list.begin(), {"USB Speaker", "usb_d"});
    platform.audio.raiseDeviceState("usb_d", kDeviceAdded);
    editor = open(0);
    EXPECT_EQ(entries(editor), (QStringList{"USB Speaker", "Speakers", "Headset", "HDMI Audio"}));
    EXPECT_EQ(editor->deviceBox()->currentText(), "HDMI Audio");
    // Plugged out and in while the editor is open: the chosen entry still means its device.
    editor->deviceBox()->setCurrentIndex(1);
    platform.audio.list = {{"Headset", "sink_b"}, {"Other", "other"}};
    platform.audio.raiseDeviceState("usb_d", kDeviceRemoved);
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_EQ(row(0).DeviceId, "sink_a");
}

TEST_F(AdjustVolumeEditorTest, CancelEscAndTheCloseBoxWriteNothing) {
    start();
    const HotKeyEntry before = row(0);
    const std::string bytes = file();
    const std::function<void(TAdjustVolume*)> ways[] = {
        [](TAdjustVolume* e) { QTest::mouseClick(e->cancelButton(), Qt::LeftButton); },
        [](TAdjustVolume* e) { QTest::keyClick(e->deviceBox(), Qt::Key_Escape); },
        [](TAdjustVolume* e) { e->close(); },
    };
    for (const auto& closeIt : ways) {
        TAdjustVolume* editor = open(0);
        ASSERT_NE(editor, nullptr);
        editor->deviceBox()->setCurrentIndex(0);
        editor->amountBar()->setValue(-10);
        closeIt(editor);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(row(0), before);
        EXPECT_EQ(file(), bytes);
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(AdjustVolumeEditorTest, DesignedHigherThanItsSmallestSize) {
    start();
    TAdjustVolume* editor = open(0);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->size(), QSize(498, 339));
    EXPECT_EQ(editor->minimumSize(), QSize(498, 287));
    EXPECT_EQ(editor->windowTitle(), QString::fromUtf8("Eigenschaften von \"Lautstärke regeln\""));
    editor->close();
}

// Without a device, or without a sound system, a panel says so; nothing asks or fails.
class AdjustVolumeWithoutDevicesTest : public test::EditorWindowTest {
protected:
    void SetUp() override { prepare(kTable); }
};

TEST_F(AdjustVolumeWithoutDevicesTest, APanelCoversTheChoicesAndOkKeepsTheDevice) {
    for (bool soundSystem : {true, false}) {
        if (!soundSystem) env.desktop.audio = nullptr;
        start();
        auto* editor = open<TAdjustVolume>(0);
        ASSERT_NE(editor, nullptr);
        EXPECT_TRUE(editor->noDevicePanel()->isVisibleTo(editor));
        EXPECT_EQ(editor->deviceBox()->count(), 0);
        auto* text = editor->noDevicePanel()->findChild<QLabel*>(QStringLiteral("LabelNoDevice"));
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(
            text->text().startsWith(QString::fromUtf8("Es wurde kein Wiedergabeger\u00e4t")));
        QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(row(0).DeviceId, "sink_c");
        EXPECT_EQ(row(0).PropertiesText, "+15%");
        EXPECT_TRUE(messages().empty());
        main.reset();
    }
}

}  // namespace
}  // namespace vorbix
