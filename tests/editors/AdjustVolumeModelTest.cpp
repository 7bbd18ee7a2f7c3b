// The volume editor's values: which device and which amount a stored row shows, what OK stores,
// and that the device stored is the one chosen however the sound system's list changes.
#include <gtest/gtest.h>

#include "core/VolumeAction.h"
#include "editors/AdjustVolumeModel.h"
#include "platform/fake/FakeAudioVolume.h"
#include "tests/editors/TwoLanguages.h"

namespace vorbix {
namespace {

const std::string kMute = "Stumm/Laut";  // the German editor's mute text

class AdjustVolumeModelTest : public ::testing::Test {
protected:
    AdjustVolumeModelTest() {
        audio.list = {{"Speakers", "alsa_output.speakers"},
                      {"Headset", "bluez_sink.headset"},
                      {"HDMI", "hdmi"}};
        audio.defaultId = "bluez_sink.headset";
    }
    HotKeyEntry volumeRow(const std::string& value, const std::string& device) {
        HotKeyEntry r;
        r.HotKeyText = "Strg+F9";
        r.ActionText = "Lautstärke regeln";
        r.PropertiesText = value;
        r.DeviceId = device;
        return r;
    }
    AdjustVolumeModel shown(const HotKeyEntry& row, const TAudioVolume* a) {
        AdjustVolumeModel m;
        m.mute = true;
        m.steps = 9;
        m.amount = "left over";
        m.decode(row, test::editorTexts(test::germanTexts()), kMute, a);
        return m;
    }

    std::vector<std::string> log;
    fake::FakeAudioVolume audio{log};
};

TEST_F(AdjustVolumeModelTest, ShowsTheAmountOrTheMuteSwitch) {
    struct Case {
        const char* stored;
        bool mute;
        int steps;
        const char* amount;
    } cases[] = {
        {"+15%", false, 3, "+15%"},
        {"-100%", false, -20, "-100%"},
        {"0%", false, 0, "0%"},
        {"-35%", false, -7, "-35%"},
        {"+7%", false, 1, "+7%"},  // not a step of 5: the bar rounds toward zero, OK keeps it
        {"-7%", false, -1, "-7%"},
        {"+250%", false, 20, "+100%"},  // read as the limit
        {"Stumm/Laut", true, 0, "0%"},
        {"Mute/Unmute", true, 0, "0%"},  // the other language's mute word
        {"(Keine Lautstärkeänderung festgelegt)", false, 0, "0%"},
        {"(No volume change set)", false, 0, "0%"},
        {"laut", false, 0, "0%"},  // unreadable
        {"", false, 0, "0%"},
    };
    for (const Case& c : cases) {
        const AdjustVolumeModel m = shown(volumeRow(c.stored, "hdmi"), &audio);
        EXPECT_EQ(m.mute, c.mute) << c.stored;
        EXPECT_EQ(m.steps, c.steps) << c.stored;
        EXPECT_EQ(m.amount, c.amount) << c.stored;
        HotKeyEntry stored = volumeRow("x", "y");
        m.encode(stored, kMute);
        EXPECT_EQ(stored.PropertiesText, c.mute ? kMute : std::string(c.amount)) << c.stored;
    }
}

TEST_F(AdjustVolumeModelTest, TheBarAndTheMuteSwitchGiveTheStoredText) {
    struct Case {
        int steps;
        const char* text;
    } cases[] = {{3, "+15%"}, {-20, "-100%"}, {0, "0%"},     {20, "+100%"},
                 {-1, "-5%"}, {25, "+100%"},  {-30, "-100%"}};
    AdjustVolumeModel m = shown(volumeRow("+5%", "hdmi"), &audio);
    for (const Case& c : cases) {
        m.setSteps(c.steps);
        HotKeyEntry row = volumeRow("", "");
        m.encode(row, kMute);
        EXPECT_EQ(row.PropertiesText, c.text) << c.steps;
    }
    m.setSteps(4);
    m.setMute(true);
    EXPECT_EQ(m.steps, 0);
    EXPECT_EQ(m.amount, "0%");
    HotKeyEntry row = volumeRow("", "");
    m.encode(row, "Mute/Unmute");  // the mute text of the language current at OK
    EXPECT_EQ(row.PropertiesText, "Mute/Unmute");
}

TEST_F(AdjustVolumeModelTest, ShowsTheDeviceTheHotKeyWouldChange) {
    struct Case {
        const char* stored;
        int shown;
        const char* storedAfterOk;
    } cases[] = {
        {"hdmi", 2, "hdmi"},  // a short id that names a present device is that device
        {"alsa_output.speakers", 0, "alsa_output.speakers"},
        // Absent or short: the default device is shown, and the row keeps its own id.
        {"", 1, ""},
        {"{0.0.0.00000000}.{7a3b}", 1, "{0.0.0.00000000}.{7a3b}"},
        {"usb_gone", 1, "usb_gone"},
    };
    for (const Case& c : cases) {
        const AdjustVolumeModel m = shown(volumeRow("+5%", c.stored), &audio);
        EXPECT_EQ(m.devices, audio.list);
        EXPECT_EQ(m.device, c.shown) << c.stored;
        // The same device the hot key changes.
        EXPECT_EQ(deviceIndexFor(audio.list, c.stored, audio.defaultId), size_t(c.shown));
        HotKeyEntry row = volumeRow("+5%", c.stored);
        m.encode(row, kMute);
        EXPECT_EQ(row.DeviceId, c.storedAfterOk) << c.stored;
    }
    // Another device chosen: its id is stored, whatever the row held.
    for (const char* stored : {"", "usb_gone", "hdmi"}) {
        AdjustVolumeModel m = shown(volumeRow("+5%", stored), &audio);
        for (int choice = 0; choice < 3; ++choice) {
            if (choice == m.device) continue;
            AdjustVolumeModel chosen = m;
            chosen.device = choice;
            HotKeyEntry row = volumeRow("+5%", stored);
            chosen.encode(row, kMute);
            EXPECT_EQ(row.DeviceId, audio.list[size_t(choice)].DeviceId) << stored << choice;
        }
    }
    // The default device not in the list: the first device.
    audio.defaultId = "elsewhere";
    EXPECT_EQ(shown(volumeRow("+5%", "usb_gone"), &audio).device, 0);
}

TEST_F(AdjustVolumeModelTest, TheListTakenAtShowingDecidesWhatOkStores) {
    AdjustVolumeModel m = shown(volumeRow("+5%", "hdmi"), &audio);
    m.device = 1;
    // Devices come and go while the editor is open: the entry keeps its device.
    audio.list = {{"USB", "usb"}, {"HDMI", "hdmi"}};
    HotKeyEntry row = volumeRow("+5%", "hdmi");
    m.encode(row, kMute);
    EXPECT_EQ(row.DeviceId, "bluez_sink.headset");
    EXPECT_TRUE(log.empty()) << "showing and storing select nothing in the sound system";
}

TEST_F(AdjustVolumeModelTest, WithoutDevicesTheRowKeepsItsDevice) {
    const fake::FakeAudioVolume* none = nullptr;
    std::vector<const TAudioVolume*> systems{none};
    fake::FakeAudioVolume empty(log);
    fake::FakeAudioVolume gone(log);
    gone.list = audio.list;
    gone.ready = false;  // the sound server went away
    systems.push_back(&empty);
    systems.push_back(&gone);
    for (const TAudioVolume* a : systems) {
        AdjustVolumeModel m = shown(volumeRow("-10%", "bluez_sink.headset"), a);
        EXPECT_TRUE(m.devices.empty());
        EXPECT_EQ(m.device, -1);
        EXPECT_EQ(m.amount, "-10%");
        HotKeyEntry row = volumeRow("-10%", "bluez_sink.headset");
        m.encode(row, kMute);
        EXPECT_EQ(row.DeviceId, "bluez_sink.headset");
        EXPECT_EQ(row.PropertiesText, "-10%");
    }
}

}  // namespace
}  // namespace vorbix
