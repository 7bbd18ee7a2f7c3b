// vorbix-hkv: lists, checks and converts hot key files (.hkv) with the program's own storage
// layer, for people who deploy or exchange hot key tables.
//
// Exit status: 0 success (and nothing to report for "check"), 1 "check" found problems,
// 2 bad arguments or a file that cannot be read or written.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "VorbixVersion.h"
#include "core/KeyNotation.h"
#include "core/LanguageTexts.h"
#include "storage/AtomicFile.h"
#include "storage/FileKind.h"
#include "storage/HotKeyFile.h"
#include "storage/HotKeyTranslation.h"
#include "storage/HtmlExport.h"
#include "storage/LanguageFile.h"
#include "storage/StorageLocations.h"

namespace {

using namespace vorbix;

constexpr int kExitOk = 0;
constexpr int kExitFindings = 1;
constexpr int kExitError = 2;

constexpr const char* kUsage =
    "Usage: vorbix-hkv [OPTIONS] COMMAND FILE [-o OUT]\n"
    "\n"
    "Reads a Vorbix hot key file (.hkv) the way the program reads it at start.\n"
    "\n"
    "Commands:\n"
    "  list FILE            print one line per row: key text, TAB, action, TAB, properties\n"
    "                       (UTF-8); the file is not changed\n"
    "  resave FILE -o OUT   load FILE and write the table to OUT as the program saves it\n"
    "  normalize FILE -o OUT\n"
    "                       write to OUT what loading FILE writes back into it: the same\n"
    "                       sections and keys, trimmed, without comments or stray lines, in\n"
    "                       FILE's encoding\n"
    "  html FILE -o OUT     write the table to OUT as an HTML page\n"
    "  check FILE           report on standard error rows whose key text does not parse,\n"
    "                       combinations used twice, actions that name no action of any\n"
    "                       language, and rows beyond the 256 the table holds; exit status 1\n"
    "                       when anything is reported, 0 otherwise\n"
    "  translate FILE --to English|German -o OUT\n"
    "                       write to OUT the table for the other language: action captions,\n"
    "                       placeholders, window-mode words, browser and media commands, the\n"
    "                       mute word and key names (Strg+Shift+A <-> Ctrl+Shift+A; a key\n"
    "                       text both languages read, such as Strg+Umsch+A, stays); every\n"
    "                       value of the user and every other byte stay as they are, so\n"
    "                       translating back gives the original file. Rows that cannot be\n"
    "                       translated are reported on standard error and kept; exit\n"
    "                       status 1 when any was kept, 0 otherwise\n"
    "\n"
    "A row's action is recognised in every language file of the program folder; a row whose\n"
    "action no language knows keeps its keys as they are.\n"
    "\n"
    "Options:\n"
    "  --language German|English  language of the placeholders written for properties not\n"
    "                             set yet (default German)\n"
    "  --layout german|english    the layout group whose key names count first where the\n"
    "                             two groups name different keys alike (default: the group\n"
    "                             of the language); key texts of both groups are read\n"
    "                             either way (Strg+Umsch+Pos1 and Ctrl+Shift+Home)\n"
    "  --program-folder DIR       folder holding System/Localization/ (default: the folder\n"
    "                             of this executable, or share/vorbix/ beside the bin/\n"
    "                             folder it is installed in)\n"
    "  --default-device ID        audio endpoint written for volume rows without one\n"
    "                             (default empty: the default endpoint)\n"
    "  --to German|English        the language translate writes\n"
    "  -o OUT                     output file of resave, normalize, html and translate\n"
    "  --help                     show this text\n"
    "  --version                  print the version\n"
    "\n"
    "A FILE that is no hot key table (binary bytes, text in no encoding the program reads,\n"
    "no section of a table, or larger than 16 MB) is refused before anything is written:\n"
    "check reports it with exit status 1, every other command fails with exit status 2.\n"
    "\n"
    "Exit status: 0 success, 1 check or translate found something, 2 error.\n";

struct Arguments {
    std::string command;
    std::string file;
    std::optional<std::string> out;
    std::string language = std::string(kGerman);
    std::optional<BuiltinKeyNames::Group> layout;
    std::optional<std::string> programFolder;
    std::string defaultDevice;
    std::optional<std::string> to;
    bool help = false;
    bool version = false;
};

struct UsageError {
    std::string message;
};

int fail(const std::string& message) {
    std::cerr << "vorbix-hkv: " << message << "\n";
    return kExitError;
}

Arguments parseArguments(int argc, char** argv) {
    Arguments args;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw UsageError{arg + " needs a value"};
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            args.help = true;
        } else if (arg == "--version") {
            args.version = true;
        } else if (arg == "-o" || arg == "--output") {
            args.out = value();
        } else if (arg == "--language") {
            args.language = value();
            if (args.language != kGerman && args.language != kEnglish) {
                throw UsageError{"--language takes German or English, not \"" + args.language +
                                 "\""};
            }
        } else if (arg == "--layout") {
            const std::string layout = value();
            if (layout == "german") {
                args.layout = BuiltinKeyNames::Group::German;
            } else if (layout == "english") {
                args.layout = BuiltinKeyNames::Group::English;
            } else {
                throw UsageError{"--layout takes german or english, not \"" + layout + "\""};
            }
        } else if (arg == "--to") {
            args.to = value();
            if (*args.to != kGerman && *args.to != kEnglish) {
                throw UsageError{"--to takes German or English, not \"" + *args.to + "\""};
            }
        } else if (arg == "--program-folder") {
            args.programFolder = value();
        } else if (arg == "--default-device") {
            args.defaultDevice = value();
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option " + arg + " (see --help)"};
        } else {
            positional.push_back(arg);
        }
    }
    if (args.help || args.version) return args;
    if (positional.empty()) throw UsageError{"no command given (see --help)"};
    args.command = positional[0];
    static const std::vector<std::string> commands = {"list", "resave", "normalize",
                                                      "html", "check",  "translate"};
    if (std::find(commands.begin(), commands.end(), args.command) == commands.end()) {
        throw UsageError{"unknown command \"" + args.command + "\" (see --help)"};
    }
    if (positional.size() < 2) throw UsageError{args.command + " needs a FILE"};
    if (positional.size() > 2) throw UsageError{"unexpected argument \"" + positional[2] + "\""};
    args.file = positional[1];
    const bool writes = args.command == "resave" || args.command == "normalize" ||
                        args.command == "html" || args.command == "translate";
    if (writes && !args.out) throw UsageError{args.command + " needs -o OUT"};
    if (!writes && args.out) throw UsageError{args.command + " writes no file; drop -o"};
    const bool translates = args.command == "translate";
    if (translates && !args.to) throw UsageError{"translate needs --to English or --to German"};
    if (!translates && args.to) throw UsageError{"--to belongs to translate"};
    return args;
}

// Loads the file without writing it back; nullopt (after the message) when it cannot be read.
std::optional<LoadResult> loadTable(const Arguments& args, HotKeyTable& table,
                                    const LanguageTexts& texts,
                                    const LanguageCatalogue& languages) {
    LoadResult result = LoadHotKeys(args.file, table, texts, args.defaultDevice,
                                    LoadOptions{.writeBack = false, .languages = &languages});
    if (result.missing) {
        fail(args.file + ": No such file or directory");
        return std::nullopt;
    }
    if (!result.ok) {
        fail(result.error);
        return std::nullopt;
    }
    return result;
}

std::string rowName(size_t index) {
    return "Hot Key" + std::to_string(index + 1);
}

int check(const HotKeyTable& table, const LoadResult& loaded, const LanguageTexts& texts,
          const LanguageCatalogue& languages, const KeyNameSource& names) {
    int findings = 0;
    auto report = [&](const std::string& line) {
        std::cerr << line << "\n";
        ++findings;
    };
    std::map<uint16_t, size_t> firstRowOf;
    for (size_t i = 0; i < table.size(); ++i) {
        const HotKeyEntry& row = table.at(i);
        const uint16_t shortCut =
            KeyTextToShortCut(KeyTextFromDisplay(row.HotKeyText, names), names);
        if (shortCut == 0) {
            report(rowName(i) + ": key text \"" + row.HotKeyText + "\" does not parse");
        } else if (const auto [it, fresh] = firstRowOf.try_emplace(shortCut, i); !fresh) {
            report(rowName(i) + ": \"" + row.HotKeyText + "\" is the same combination as " +
                   rowName(it->second) + " (\"" + table.at(it->second).HotKeyText + "\")");
        }
        if (!languages.kindOf(row.ActionText, &texts)) {
            report(rowName(i) + ": action \"" + row.ActionText +
                   "\" names no action of any language");
        }
    }
    if (loaded.rowsLeftOut > 0) {
        report(std::to_string(loaded.rowsLeftOut) + " rows beyond " +
               std::to_string(HotKeyTable::kCapacity) + " are left out");
    }
    return findings == 0 ? kExitOk : kExitFindings;
}

// Writes a hot key file as the program saves its table: atomically, and a new file readable by
// the user alone, since tables hold personal texts.
FileResult writeTable(const std::string& path, std::string_view bytes) {
    return writeFileAtomically(path, bytes, WriteOptions{.mode = kPrivateFileMode});
}

// Writes the file for the other language; rows kept as they were are findings.
int translate(const Arguments& args, const LanguageCatalogue& languages) {
    std::string error;
    const std::optional<std::string> bytes = readWholeFile(args.file, &error);
    if (!bytes) return fail(error);
    const TranslationResult translated = translateHotKeyFile(*bytes, *args.to, languages);
    if (!translated.ok) return fail(args.file + ": " + translated.error);
    const FileResult written = writeTable(*args.out, translated.bytes);
    if (!written) return fail(written.error);
    for (const std::string& kept : translated.keptRows) {
        std::cerr << "vorbix-hkv: " << kept << "; kept as it is\n";
    }
    return translated.keptRows.empty() ? kExitOk : kExitFindings;
}

int run(const Arguments& args) {
    // The program refuses such a file before it changes anything, and so does every command.
    const KindCheckedFile file = readFileOfKind(args.file, FileKind::HotKeys);
    if (file.missing) return fail(args.file + ": No such file or directory");
    if (!file.error.empty()) return fail(file.error);
    if (file.refusal != FileRefusal::None) {
        const std::string text = args.file + ": not a hot key table (" +
                                 std::string(fileRefusalReason(file.refusal)) + ")";
        if (args.command != "check") return fail(text);
        std::cerr << text << "\n";
        return kExitFindings;
    }
    if (args.command == "normalize") {
        std::string error;
        const std::optional<std::string> bytes = readWholeFile(args.file, &error);
        if (!bytes) return fail(error);
        const FileResult written = writeTable(*args.out, normalizedHotKeyFile(*bytes));
        return written ? kExitOk : fail(written.error);
    }

    const std::string folder =
        args.programFolder ? withTrailingSlash(*args.programFolder) : ProgramFolder();
    const std::string languagePath = LanguageFile::pathFor(folder, args.language);
    if (!fileExists(languagePath)) {
        return fail("language file " + languagePath +
                    " not found (use --program-folder to point at its folder)");
    }
    const LanguageFile languageFile = LanguageFile::load(languagePath);
    if (!languageFile.error().empty()) return fail(languageFile.error());
    const LanguageTexts texts = languageFile.mainTexts(args.language);
    const LanguageCatalogue languages = LanguageFile::loadCatalogue(folder);

    if (args.command == "translate") return translate(args, languages);

    HotKeyTable table;
    const std::optional<LoadResult> loaded = loadTable(args, table, texts, languages);
    if (!loaded) return kExitError;

    if (args.command == "list") {
        for (const HotKeyEntry& row : table.rows()) {
            std::cout << row.HotKeyText << '\t' << row.ActionText << '\t' << row.PropertiesText
                      << '\n';
        }
        std::cout.flush();
        if (!std::cout) return fail("cannot write to standard output");
        if (loaded->rowsLeftOut > 0) {
            std::cerr << "vorbix-hkv: " << loaded->rowsLeftOut << " rows beyond "
                      << HotKeyTable::kCapacity << " left out\n";
        }
        return kExitOk;
    }
    if (args.command == "resave") {
        const FileResult written =
            SaveHotKeys(*args.out, table, texts, args.defaultDevice,
                        SaveOptions{.languages = &languages, .encoding = loaded->encoding});
        return written ? kExitOk : fail(written.error);
    }
    if (args.command == "html") {
        const FileResult written = ExportHtml(*args.out, table, args.language);
        return written ? kExitOk : fail(written.error);
    }
    const BuiltinKeyNames names(args.layout.value_or(args.language == kEnglish
                                                         ? BuiltinKeyNames::Group::English
                                                         : BuiltinKeyNames::Group::German));
    return check(table, *loaded, texts, languages, names);
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    try {
        args = parseArguments(argc, argv);
    } catch (const UsageError& e) {
        return fail(e.message);
    }
    if (args.help) {
        std::cout << kUsage;
        return kExitOk;
    }
    if (args.version) {
        std::cout << "vorbix-hkv " << kVersionText << "\n";
        return kExitOk;
    }
    try {
        return run(args);
    } catch (const std::exception& e) {
        return fail(e.what());
    }
}
