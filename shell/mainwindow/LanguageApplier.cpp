#include "shell/mainwindow/LanguageApplier.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <algorithm>

#include "core/TextUtil.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

LanguageApplier::LanguageApplier(std::string programFolder)
    : programFolder_(std::move(programFolder)), language_(kGerman) {}

LanguageApplier::~LanguageApplier() = default;

std::shared_ptr<const LanguageFile> LanguageApplier::current() const {
    if (!file_)
        file_ = std::make_shared<const LanguageFile>(LanguageFile::load(programFolder_, language_));
    return file_;
}

void LanguageApplier::setLanguage(std::string_view language) {
    language_ = language == kEnglish ? std::string(kEnglish) : std::string(kGerman);
    file_.reset();
    applyToQtTexts();
}

// Qt's own texts (the buttons of message boxes, the file dialogs, the edit menus of text fields)
// follow the program's language: German from Qt's translations when they are installed, else
// Qt's English.
void LanguageApplier::applyToQtTexts() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    const bool german = language_ == kGerman;
    if (german == (qtTexts_ != nullptr)) return;
    if (!german) {
        app->removeTranslator(qtTexts_.get());
        qtTexts_.reset();
        return;
    }
    auto texts = std::make_unique<QTranslator>();
    if (texts->load(QStringLiteral("qtbase_de"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        app->installTranslator(texts.get());
        qtTexts_ = std::move(texts);
    }
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
