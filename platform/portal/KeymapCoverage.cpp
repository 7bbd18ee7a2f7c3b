#include "platform/portal/KeymapCoverage.h"

#include <xkbcommon/xkbcommon.h>

#include <memory>

#include "core/TextUtil.h"

namespace vorbix::portal {
namespace {

struct ContextDeleter {
    void operator()(xkb_context* c) const { xkb_context_unref(c); }
};
struct KeymapDeleter {
    void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
};
using Context = std::unique_ptr<xkb_context, ContextDeleter>;
using Keymap = std::unique_ptr<xkb_keymap, KeymapDeleter>;

std::set<uint32_t> keysymsOf(xkb_keymap* keymap) {
    std::set<uint32_t> keysyms;
    const xkb_keycode_t last = xkb_keymap_max_keycode(keymap);
    for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap); code <= last; ++code) {
        const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(keymap, code);
        for (xkb_layout_index_t layout = 0; layout < layouts; ++layout) {
            const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap, code, layout);
            for (xkb_level_index_t level = 0; level < levels; ++level) {
                const xkb_keysym_t* syms = nullptr;
                const int n = xkb_keymap_key_get_syms_by_level(keymap, code, layout, level, &syms);
                for (int i = 0; i < n; ++i) keysyms.insert(syms[i]);
            }
        }
    }
    return keysyms;
}

}  // namespace

uint32_t keysymForCharacter(char32_t c) {
    if (c == U'\n') return XKB_KEY_Return;
    if (c == U'\t') return XKB_KEY_Tab;
    if (c < 0x20 || c == 0x7F) return 0;
    const xkb_keysym_t sym = xkb_utf32_to_keysym(c);
    return sym == XKB_KEY_NoSymbol ? 0 : sym;
}

KeymapCoverage::KeymapCoverage(const std::string& keymapText) {
    if (keymapText.empty()) return;
    Context context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (!context) return;
    Keymap keymap(xkb_keymap_new_from_string(
        context.get(), keymapText.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap) return;
    keysyms_ = keysymsOf(keymap.get());
    known_ = true;
}

KeymapCoverage KeymapCoverage::fromLayout(const std::string& layout) {
    KeymapCoverage coverage;
    Context context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (!context) return coverage;
    const xkb_rule_names names{nullptr, nullptr, layout.c_str(), nullptr, nullptr};
    Keymap keymap(xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap) return coverage;
    coverage.keysyms_ = keysymsOf(keymap.get());
    coverage.known_ = true;
    return coverage;
}

bool KeymapCoverage::canType(char32_t c) const {
    const uint32_t sym = keysymForCharacter(c);
    if (sym == 0) return false;
    return !known_ || keysyms_.count(sym) > 0;
}

std::u32string KeymapCoverage::missing(const std::u32string& text) const {
    std::u32string out;
    for (char32_t c : text) {
        if (!canType(c) && out.find(c) == std::u32string::npos) out.push_back(c);
    }
    return out;
}

std::u32string charactersToType(const std::string& utf8) {
    const std::u32string all = toUtf32(utf8);
    std::u32string out;
    out.reserve(all.size());
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i] == U'\r') {
            out.push_back(U'\n');
            if (i + 1 < all.size() && all[i + 1] == U'\n') ++i;
        } else {
            out.push_back(all[i]);
        }
    }
    return out;
}

}  // namespace vorbix::portal
