#include "shell/LanguageApplier.h"

#include <algorithm>

#include "core/TextUtil.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

LanguageApplier::LanguageApplier(std::string programFolder)
    : programFolder_(std::move(programFolder)), language_(kGerman) {}

std::shared_ptr<const LanguageFile> LanguageApplier::current() const {
    if (!file_)
        file_ = std::make_shared<const LanguageFile>(LanguageFile::load(programFolder_, language_));
    return file_;
}

void LanguageApplier::setLanguage(std::string_view language) {
    language_ = language == kEnglish ? std::string(kEnglish) : std::string(kGerman);
    file_.reset();
}

void LanguageApplier::add(std::string_view section, Translatable* window) {
    remove(window);
    std::erase_if(windows_, [&](const Entry& e) { return equalsIgnoreCase(e.section, section); });
    windows_.push_back({std::string(section), window});
}

void LanguageApplier::remove(Translatable* window) {
    std::erase_if(windows_, [&](const Entry& e) { return e.window == window; });
}

void LanguageApplier::applyAll() {
    for (const lang::SectionKeys& s : lang::languageSections()) {
        for (const Entry& e : windows_) {
            if (equalsIgnoreCase(e.section, s.section)) e.window->SetLanguage(e.section);
        }
    }
}

}  // namespace vorbix
