// Controls bound to the settings they stand for: each control is bound once, and loading the
// settings into the controls, storing the controls into the settings and the defaults are one
// loop each.
#pragma once

#include <functional>
#include <vector>

#include "storage/ConfigWindows.h"

class QAbstractButton;
class QCheckBox;

namespace vorbix {

class KeyNameSource;
class THotkeyEx;

class SettingBindings {
public:
    using Load = std::function<void(const SettingsConfig&)>;
    using Store = std::function<void(SettingsConfig&)>;

    void add(Load load, Store store);
    // A check box or radio button that is ticked exactly when `field` equals `ticked`.
    void check(QAbstractButton* box, bool SettingsConfig::*field, bool ticked = true);
    // A capture field holding the combination text `field` (stored in the fixed notation).
    void combination(THotkeyEx* field, std::string SettingsConfig::*text,
                     const KeyNameSource& names);

    void load(const SettingsConfig& settings) const;
    void store(SettingsConfig& settings) const;

private:
    std::vector<std::pair<Load, Store>> bindings_;
};

// The capture field is usable only while its box is ticked; unticking the box empties it.
void followBox(QCheckBox* box, THotkeyEx* field);

}  // namespace vorbix
