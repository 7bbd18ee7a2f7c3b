// The default device id that volume rows without a device of their own take is asked of the
// sound component only when such a row needs it, once; a table without volume rows never starts
// the sound component, neither when it is loaded, saved nor when rows are added.
#include <gtest/gtest.h>

#include "core/DefaultAudioDevice.h"
#include "core/VolumeAction.h"
#include "platform/fake/FakeAudioVolume.h"
#include "storage/HotKeyFile.h"
#include "storage/TextCodec.h"
#include "tests/support/TestTexts.h"

namespace vorbix {
namespace {

using Log = std::vector<std::string>;

// The sound component of the tests, counting every use that would start the real one.
class CountingAudio : public fake::FakeAudioVolume {
public:
    explicit CountingAudio(Log& log) : FakeAudioVolume(log) {
        list = {{"A", "a"}, {"B", "b"}};
        defaultId = "a";
    }
    bool Ready() const override {
        ++uses;
        return FakeAudioVolume::Ready();
    }
    std::vector<TDeviceInfo> devices() const override {
        ++uses;
        return FakeAudioVolume::devices();
    }
    mutable int uses = 0;
};

std::string fileOf(const std::vector<std::string>& lines) {
    std::string text = "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F5\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    return encodeText(text, TextEncoding::Windows1252);
}

TEST(DefaultDeviceOnDemand, LoadingAsksOnlyForRowsWithoutADevice) {
    struct Case {
        const char* what;
        std::vector<std::string> row;
        bool askedByLoad;      // the file's rows needed the default device's id
        bool startedAfterAll;  // started once the table was looked at for volume rows
        std::string deviceId;
    };
    const Case cases[] = {
        {"no volume row", {"Action=Kopieren"}, false, false, ""},
        {"a program row",
         {"Action=Programm/Ordner öffnen", "Program=/bin/true", "HowToOpen=Normal"},
         false,
         false,
         ""},
        {"a volume row with its device",
         {"Action=Lautstärke regeln", "Volume=+5%", "Settings=b"},
         false,
         true,
         "b"},
        {"a volume row with an empty device (the default when pressed)",
         {"Action=Lautstärke regeln", "Volume=-10%", "Settings="},
         false,
         true,
         ""},
        {"a volume row of a file without a device",
         {"Action=Lautstärke regeln", "Volume=+5%"},
         true,
         true,
         "a"},
        {"a volume row never edited", {"Action=Lautstärke regeln"}, true, true, "a"},
    };
    const LanguageTexts texts = testing::germanTestTexts();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Log log;
        CountingAudio audio(log);
        AudioEndpointsOnDemand endpoints(&audio);
        HotKeyTable table;
        ASSERT_TRUE(loadHotKeysFromBytes(fileOf(c.row), table, texts, endpoints.source()).ok);
        ASSERT_EQ(table.size(), 1u);
        EXPECT_EQ(endpoints.gathered(), c.askedByLoad);
        EXPECT_EQ(audio.uses > 0, c.askedByLoad);
        EXPECT_EQ(table.at(0).DeviceId, c.deviceId);

        endpoints.gatherWhen(holdsVolumeRow(table, LanguageCatalogue::builtIn(), texts));
        EXPECT_EQ(endpoints.gathered(), c.startedAfterAll);
        EXPECT_EQ(audio.uses > 0, c.startedAfterAll);
        // The start's selections: the default device, then the last one (a sound server).
        EXPECT_EQ(log, (c.startedAfterAll ? Log{"select a", "select b"} : Log{}));
    }
}

TEST(DefaultDeviceOnDemand, SavingAndNewRowsAskOnlyForVolumeRows) {
    const LanguageTexts texts = testing::germanTestTexts();
    Log log;
    CountingAudio audio(log);
    AudioEndpointsOnDemand endpoints(&audio);
    const DeviceIdSource source = endpoints.source();

    HotKeyTable table;
    ASSERT_TRUE(table.append(makeNewRow(ActionKind::Copy, "Strg+F1", texts, source)));
    ASSERT_TRUE(table.append(makeNewRow(ActionKind::OpenProgramDir, "Strg+F2", texts, source)));
    const std::string withoutVolume = hotKeyFileText(table, texts, source);
    EXPECT_EQ(withoutVolume.find("Settings"), std::string::npos);
    EXPECT_EQ(audio.uses, 0);
    EXPECT_FALSE(endpoints.gathered());

    // A new volume row takes the default device's id: now the component starts.
    ASSERT_TRUE(table.append(makeNewRow(ActionKind::AdjustVolume, "Strg+F3", texts, source)));
    EXPECT_EQ(table.at(2).DeviceId, "a");
    EXPECT_GT(audio.uses, 0);

    // The id stays the one found then, as it stayed the one of the start before.
    audio.defaultId = "b";
    table.at(2).DeviceId.clear();  // the row of the placeholder stores the default device's id
    const std::string withVolume = hotKeyFileText(table, texts, source);
    EXPECT_NE(withVolume.find("Settings=a\r\n"), std::string::npos) << withVolume;
    EXPECT_EQ(endpoints.defaultDeviceId(), "a");
    EXPECT_EQ(log, (Log{"select a", "select b"}));
}

TEST(DefaultDeviceOnDemand, WithoutASoundComponentTheIdIsEmpty) {
    AudioEndpointsOnDemand endpoints(nullptr);
    EXPECT_FALSE(endpoints.gathered());
    EXPECT_EQ(endpoints.source()(), "");
    EXPECT_TRUE(endpoints.gathered());

    // No devices (the sound libraries missing, no server): empty as well, and asked once.
    Log log;
    CountingAudio audio(log);
    audio.list.clear();
    audio.ready = false;
    AudioEndpointsOnDemand none(&audio);
    EXPECT_EQ(none.defaultDeviceId(), "");
    const int uses = audio.uses;
    EXPECT_EQ(none.defaultDeviceId(), "");
    EXPECT_EQ(audio.uses, uses);
    EXPECT_TRUE(log.empty());
}

TEST(DefaultDeviceOnDemand, VolumeRowsAreFoundByTheirCaptionInAnyKnownLanguage) {
    const LanguageTexts german = testing::germanTestTexts();
    LanguageTexts other = german;
    other.language = "English";
    other.actionCaptions[toIndex(ActionKind::AdjustVolume)] = "Adjust the volume";
    struct Case {
        const char* caption;
        const LanguageTexts* current;
        bool volume;
    };
    const Case cases[] = {
        {"Lautstärke regeln", &german, true},
        {"Lautstärke regeln", &other, true},  // the design caption of any language
        {"Adjust the volume", &other, true},
        {"Kopieren", &german, false},
        {"", &german, false},
    };
    for (const Case& c : cases) {
        HotKeyTable table;
        HotKeyEntry copy;
        copy.ActionText = "Kopieren";
        ASSERT_TRUE(table.append(copy));
        HotKeyEntry row;
        row.ActionText = c.caption;
        ASSERT_TRUE(table.append(row));
        EXPECT_EQ(holdsVolumeRow(table, LanguageCatalogue::builtIn(), *c.current), c.volume)
            << c.caption;
    }
    EXPECT_FALSE(holdsVolumeRow(HotKeyTable{}, LanguageCatalogue::builtIn(), german));
}

}  // namespace
}  // namespace vorbix
