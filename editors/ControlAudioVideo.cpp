#include "editors/ControlAudioVideo.h"

#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

constexpr EditorDialog::Design kDesign{lang::kControlAudioVideo, {498, 287}, {498, 287}};

// The first two entries read the same in every language and have no key; the keys count from 0.
CommandListEditor::Texts mediaTexts() {
    return {CommandList::Media,
            "LabelControlAudioVideo1",
            {},
            {
                {{}, "Play/Pause", "media-playback-start", "Commands/play-pause.svg"},
                {{}, "Stop", "media-playback-stop", "Commands/stop.svg"},
                {"Combobox1Item2", {}, "media-skip-forward", "Commands/next.svg"},
                {"Combobox1Item3", {}, "media-skip-backward", "Commands/previous.svg"},
            }};
}

}  // namespace

TControlAudioVideo::TControlAudioVideo(QWidget* parent, EditorHost& host, const QIcon& icon)
    : CommandListEditor(parent, host, kDesign, icon, mediaTexts()) {}

}  // namespace vorbix
