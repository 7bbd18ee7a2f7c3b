// The one place that applies a language to every open window: it holds the current language,
// gives each window the file of that language, and translates the windows in the fixed order of
// the language sections (main window, About box, settings, the property editors, the search
// window). Windows that are not created yet are skipped; they translate themselves when they
// are created.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "components/Translatable.h"

class QTranslator;

namespace vorbix {

class LanguageApplier : public LanguageSource {
public:
    explicit LanguageApplier(std::string programFolder);
    ~LanguageApplier();

    std::string language() const override { return language_; }
    // Read on the first call after a choice of language and kept.
    const LanguageFile& file() const override { return *current(); }
    // The same file, shared: a holder keeps the texts of the language it took even after the
    // next choice.
    std::shared_ptr<const LanguageFile> current() const;
    // Only "English" selects English; every other value gives German. The file is read anew,
    // even for the language already current.
    void setLanguage(std::string_view language);

    // A window of `section` (one of the language sections) now exists; a second window of the
    // same section replaces the first.
    void add(std::string_view section, Translatable* window);
    void remove(Translatable* window);
    // SetLanguage of every window, in the order of the sections.
    void applyAll();

private:
    void applyToQtTexts();

    struct Entry {
        std::string section;
        Translatable* window;
    };
    std::string programFolder_;
    std::string language_;
    mutable std::shared_ptr<const LanguageFile> file_;
    std::vector<Entry> windows_;
    std::unique_ptr<QTranslator> qtTexts_;
};

}  // namespace vorbix
