#include "shell/settings/SettingBindings.h"

#include <QCheckBox>

#include "components/HotkeyEx.h"
#include "shell/settings/SettingsRules.h"

namespace vorbix {

void SettingBindings::add(Load load, Store store) {
    bindings_.emplace_back(std::move(load), std::move(store));
}

void SettingBindings::check(QAbstractButton* box, bool SettingsConfig::*field, bool ticked) {
    add([=](const SettingsConfig& s) { box->setChecked(s.*field == ticked); },
        [=](SettingsConfig& s) { s.*field = box->isChecked() == ticked; });
}

void SettingBindings::combination(THotkeyEx* field, std::string SettingsConfig::*text,
                                  const KeyNameSource& names) {
    const KeyNameSource* n = &names;
    add([=](const SettingsConfig& s) { field->setHotKey(specialCombinationWord(s.*text, *n)); },
        [=](SettingsConfig& s) { s.*text = specialCombinationText(field->HotKey(), *n); });
}

void SettingBindings::load(const SettingsConfig& settings) const {
    for (const auto& [load, store] : bindings_) load(settings);
}

void SettingBindings::store(SettingsConfig& settings) const {
    for (const auto& [load, store] : bindings_) store(settings);
}

void followBox(QCheckBox* box, THotkeyEx* field) {
    auto follow = [box, field] {
        field->setEnabled(box->isChecked());
        if (!box->isChecked()) field->setHotKey(0);
    };
    QObject::connect(box, &QCheckBox::toggled, field, follow);
    follow();
}

}  // namespace vorbix
