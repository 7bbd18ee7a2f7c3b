// What the registry and table command tests share: the doubles, a German table with its
// registry and commands, a store that loads the rows a test gives it, and the helpers that say
// which combinations another program holds and how each row stands.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "core/TableCommands.h"
#include "platform/fake/FakeDesktop.h"
#include "tests/support/TestTexts.h"

namespace vorbix::testing {

// Saves nothing; loading appends the rows set in rowsToLoad.
class RowStore : public TableStore {
public:
    Result save(const std::string&) override { return {}; }
    Result load(const std::string&) override {
        for (const HotKeyEntry& row : rowsToLoad) (void)table->append(row);
        return {};
    }
    bool takePropertiesNotice() override { return false; }
    HotKeyTable* table = nullptr;
    std::vector<HotKeyEntry> rowsToLoad;
};

struct RegistryFixture : ::testing::Test {
    fake::FakePlatform p;
    BuiltinKeyNames names{BuiltinKeyNames::Group::German};
    LanguageTexts texts = germanTestTexts();
    HotKeyTable table;
    HotKeyRegistry registry{table, p.hotKeys, names};
    RowStore store;
    TableCommands commands{{table, registry, texts, names, p.prompter, store,
                            [](std::string_view key) { return std::string(key); }, Permissions{},
                            "/data/HotKeys.hkv", ""}};

    RegistryFixture() { store.table = &table; }
    // The combination another program holds, or no longer holds.
    void takenElsewhere(uint16_t shortCut) {
        const TWinHotKey c = ShortCutToHotKey(shortCut);
        p.hotKeys.refused.insert({c.Key, c.Modifiers});
    }
    void releasedElsewhere(uint16_t shortCut) {
        const TWinHotKey c = ShortCutToHotKey(shortCut);
        p.hotKeys.refused.erase({c.Key, c.Modifiers});
    }
    std::vector<RowRegistration> states() const {
        std::vector<RowRegistration> out;
        for (size_t i = 0; i < table.size(); ++i) out.push_back(registry.rowRegistration(i));
        return out;
    }
    std::vector<std::string> messages() { return p.takeMessages(); }
    // Adds Copy rows on these combinations (what adding told stays to be read).
    void addRows(std::initializer_list<uint16_t> shortCuts) {
        for (uint16_t w : shortCuts) ASSERT_TRUE(commands.add(w, ActionKind::Copy));
    }
};

}  // namespace vorbix::testing
