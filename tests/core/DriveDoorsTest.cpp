// The drive-door rules: the letters a stored value names, the letter of each device number and
// the decision whether a door opens or closes.
#include <gtest/gtest.h>

#include "core/DriveDoors.h"
#include "platform/fake/FakeDesktop.h"

namespace vorbix {
namespace {

TEST(DriveDoors, LettersAndDeviceNumbersMatchOneToOne) {
    struct Case {
        char letter;
        int device;
    } cases[] = {{'D', 0},  {'d', 0},  {'E', 1},  {'e', 1},  {'F', 2},   {'Z', 22}, {'z', 22},
                 {'C', -1}, {'A', -1}, {':', -1}, {'0', -1}, {'\0', -1}, {'[', -1}};
    for (const Case& c : cases) EXPECT_EQ(driveDeviceNumber(c.letter), c.device) << c.letter;
    for (int n = 0; n < kDriveLetterCount; ++n) {
        const char letter = driveLetterOfDevice(n);
        EXPECT_EQ(letter, 'D' + n);
        EXPECT_EQ(driveDeviceNumber(letter), n);
    }
    EXPECT_EQ(driveLetterOfDevice(-1), 0);
    EXPECT_EQ(driveLetterOfDevice(23), 0);
}

TEST(DriveDoors, OnlyTheLettersOfAStoredValueCount) {
    using Letters = std::vector<char>;
    struct Case {
        const char* stored;
        Letters letters;
    } cases[] = {
        {"D:, E:", {'D', 'E'}},
        {"D:,E:", {'D', 'E'}},
        {"d e", {'D', 'E'}},
        {"DE", {'D', 'E'}},
        {"E:, D:", {'E', 'D'}},  // stored order
        {"D:, d:, D", {'D'}},    // each once
        {"", {}},
        {" : , ", {}},
        {"D:\\, 1:, E:", {'D', 'E'}},
    };
    for (const Case& c : cases) EXPECT_EQ(driveLettersOf(c.stored), c.letters) << c.stored;
    EXPECT_EQ(driveListText({'D', 'E'}), "D:, E:");
    EXPECT_EQ(driveListText({'F'}), "F:");
    EXPECT_EQ(driveListText({}), "");
    EXPECT_EQ(driveLettersOf(driveListText({'D', 'K', 'Z'})), (Letters{'D', 'K', 'Z'}));
}

TEST(DriveDoors, AnOpenTrayClosesAndAClosedOneOpens) {
    struct Case {
        TrayState state;
        std::optional<bool> openedLast;  // what the program did last to this drive
        bool open;
    } cases[] = {
        {TrayState::Open, std::nullopt, false},   {TrayState::Open, true, false},
        {TrayState::Open, false, false},          {TrayState::Closed, std::nullopt, true},
        {TrayState::Closed, true, true},          {TrayState::Closed, false, true},
        {TrayState::Unknown, std::nullopt, true}, {TrayState::Unknown, true, false},
        {TrayState::Unknown, false, true},
    };
    for (const Case& c : cases) {
        DoorMemory memory;
        if (c.openedLast) memory.moved('D', *c.openedLast);
        memory.moved('E', !c.openedLast.value_or(false));  // another drive changes nothing
        EXPECT_EQ(memory.shouldOpen('D', c.state), c.open)
            << int(c.state) << " " << c.openedLast.has_value();
    }
}

TEST(DriveDoors, AMoveTheDriveRefusedIsNotRemembered) {
    fake::Log log;
    fake::FakeDrives drives(log);
    drives.drives = {'D'};
    drives.trays['D'] = TrayState::Unknown;
    DoorMemory memory;
    toggleDriveDoor(drives, memory, 'D');
    toggleDriveDoor(drives, memory, 'D');
    // A drive that is not there: nothing is moved, and nothing is remembered for it.
    toggleDriveDoor(drives, memory, 'E');
    EXPECT_TRUE(memory.shouldOpen('E', TrayState::Unknown));
    EXPECT_EQ(log, (fake::Log{"door D open", "door D closed"}));
}

}  // namespace
}  // namespace vorbix
