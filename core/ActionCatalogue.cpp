#include "core/ActionCatalogue.h"

namespace vorbix {

const std::array<ActionInfo, kActionKindCount>& actionCatalogue() {
    using K = ActionKind;
    using P = Placeholder;
    static const std::array<ActionInfo, kActionKindCount> catalogue = {{
        {K::MinimizeAll, "Action0", "Alles minimieren", {}, "", P::None},
        {K::CloseAllWindows, "Action1", "Alle Fenster schließen", {}, "", P::None},
        {K::HideWindows,
         "Action2",
         "Bestimmte Fenster verstecken",
         {"Window"},
         "THideShow",
         P::NewHide},
        {K::ShowWindows,
         "Action3",
         "Verstecke Fenster einblenden",
         {"Window"},
         "THideShow",
         P::NewShow},
        {K::OpenProgramDir,
         "Action4",
         "Benutzerdefiniertes Programm",
         {"Program", "Parameter", "HowToOpen"},
         "TOpenProgDir",
         P::NewProgramDir},
        {K::Copy, "Action5", "Kopieren", {}, "", P::None},
        {K::Paste, "Action6", "Einfügen", {}, "", P::None},
        {K::Cut, "Action7", "Ausschneiden", {}, "", P::None},
        {K::OpenCloseDrive,
         "Action8",
         "DVD-Laufwerk öffnen/schließen",
         {"OpenCloseDrives"},
         "TOpenCloseDrive",
         P::NewDrive},
        {K::SimulateKeyComb,
         "Action9",
         "Tastenkombination simulieren",
         {"KeyComb"},
         "TSimulateKeyComb",
         P::NewKeyComb},
        {K::InsertText, "Action10", "Text einfügen", {"Text", "Count"}, "TInsertText", P::NewText},
        {K::AdjustVolume,
         "Action11",
         "Lautstärke regeln",
         {"Volume", "Settings"},
         "TAdjustVolume",
         P::NewVolume},
        {K::ControlAudioVideo,
         "Action12",
         "Audio/Video-Wiedergabe steuern",
         {"AudioVideo"},
         "TControlAudioVideo",
         P::NewAudioVideo},
        {K::ControlBrowser,
         "Action13",
         "Browser steuern",
         {"BrowserControl"},
         "TControlBrowser",
         P::NewBrowserControl},
        {K::SearchInternet,
         "Action14",
         "Im Internet suchen",
         {"Provider"},
         "TSearchInternetProperties",
         P::NewProvider},
        {K::OpenMailProgram, "Action15", "E-Mail-Programm öffnen", {}, "", P::None},
        {K::OpenBrowser, "Action16", "Browser öffnen", {}, "", P::None},
        {K::InsertDateTime,
         "Action17",
         "Datum/Zeit einfügen",
         {"DateTime"},
         "TDateTime",
         P::NewDateTime},
        {K::CommandLine, "Action18", "Kommandozeile", {}, "", P::None},
        {K::CloseProgram, "Action19", "Programm schließen", {}, "", P::None},
        {K::NewFolder, "Action20", "Neuer Ordner", {}, "", P::None},
        {K::Website, "Action21", "Webseite", {"URL", "HowToOpen"}, "TWebsite", P::NewWebsite},
        {K::ShutDown, "Action22", "Windows herunterfahren", {}, "", P::None},
        {K::Restart, "Action23", "Windows neustarten", {}, "", P::None},
        {K::LogOff, "Action24", "Windows abmelden", {}, "", P::None},
        {K::Standby, "Action25", "Windows in Standby versetzen", {}, "", P::None},
        {K::ControlPanel, "Action26", "Systemsteuerung öffnen", {}, "", P::None},
        {K::DisplayDialog, "Action27", "Bildschirmeigenschaften (Dialog)", {}, "", P::None},
        {K::DateTimeDialog, "Action28", "Datum/Zeit (Dialog)", {}, "", P::None},
        {K::RegionDialog, "Action29", "Ländereinstellungen (Dialog)", {}, "", P::None},
        {K::MultimediaDialog, "Action30", "Multimediaoptionen (Dialog)", {}, "", P::None},
        {K::SoftwareDialog, "Action31", "Software (Dialog)", {}, "", P::None},
        {K::SystemDialog, "Action32", "Systemeigenschaften (Dialog)", {}, "", P::None},
    }};
    return catalogue;
}

const ActionInfo& actionInfo(ActionKind kind) {
    return actionCatalogue()[toIndex(kind)];
}

std::optional<ActionKind> actionKindFromIndex(int index) {
    if (index < 0 || index >= kActionKindCount) return std::nullopt;
    return static_cast<ActionKind>(index);
}

bool hasProperties(ActionKind kind) {
    return actionInfo(kind).placeholder != Placeholder::None;
}

}  // namespace vorbix
