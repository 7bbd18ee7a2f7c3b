// The language file is read once per choice of language: windows created later (the search
// window a hot key opens) and messages of failed actions take their texts from memory.
#include "shell/mainwindow/LanguageApplier.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vorbix {
namespace {

namespace fs = std::filesystem;

class LanguageApplierTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::path(::testing::TempDir()) / "language-applier";
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "System" / "Localization");
    }
    void TearDown() override { fs::remove_all(folder_); }
    void write(const char* file, const char* caption) {
        std::ofstream(folder_ / "System" / "Localization" / file)
            << "[SearchInternet]\r\nFormCaption=" << caption << "\r\n";
    }
    std::string programFolder() const { return folder_.string() + "/"; }
    fs::path folder_;
};

TEST_F(LanguageApplierTest, FileIsReadOncePerChoiceOfLanguage) {
    write("German.lng", "Im Internet suchen");
    write("English.lng", "Search the Internet");
    LanguageApplier applier(programFolder());
    const std::shared_ptr<const LanguageFile> german = applier.current();
    EXPECT_EQ(german->text("SearchInternet", "FormCaption"), "Im Internet suchen");

    // Changed or gone on disk: the texts stay those read when the language was chosen.
    write("German.lng", "Suchen (neu)");
    EXPECT_EQ(applier.file().text("SearchInternet", "FormCaption"), "Im Internet suchen");
    fs::remove(folder_ / "System" / "Localization" / "German.lng");
    EXPECT_EQ(applier.file().text("SearchInternet", "FormCaption"), "Im Internet suchen");
    EXPECT_EQ(applier.current(), german);

    // Each choice reads the file anew, the language already current too; a holder of the
    // earlier file keeps its texts.
    applier.setLanguage("English");
    EXPECT_EQ(applier.file().text("SearchInternet", "FormCaption"), "Search the Internet");
    EXPECT_EQ(german->text("SearchInternet", "FormCaption"), "Im Internet suchen");
    write("English.lng", "Search (new)");
    applier.setLanguage("English");
    EXPECT_EQ(applier.file().text("SearchInternet", "FormCaption"), "Search (new)");
    applier.setLanguage("German");
    EXPECT_EQ(applier.file().text("SearchInternet", "FormCaption"), "");
}

}  // namespace
}  // namespace vorbix
