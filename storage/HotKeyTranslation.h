// Rewriting a hot key file for another language: the words the program stores in the language
// that was current (action captions, placeholders, window-mode words, browser and media
// commands, the mute word) and the key names of the key texts ("Strg+Umsch+A" <-> "Ctrl+Shift+A")
// become those of the target language. Every other byte stays: user values (paths, texts,
// addresses, keywords, device ids), comments, line ends, key order and the file's encoding, so
// translating the result back gives the original file. A row that cannot be translated as a
// whole is kept as it is and named in the result.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/LanguageCatalogue.h"

namespace vorbix {

struct TranslationResult {
    // False when the file cannot be rewritten without loss (bytes its encoding cannot decode)
    // or the target language is unknown; `error` says why and `bytes` is empty.
    bool ok = true;
    std::string error;
    std::string bytes;
    // One line per row kept as it was: "Hot Key3: why".
    std::vector<std::string> keptRows;
};

// Translates the bytes of a hot key file into `targetLanguage`, a language of `languages` (its
// words recognise rows of any language it knows). Key names follow the German layout group for
// German and the English group for every other language.
TranslationResult translateHotKeyFile(std::string_view bytes, std::string_view targetLanguage,
                                      const LanguageCatalogue& languages);

}  // namespace vorbix
