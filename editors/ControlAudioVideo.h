// TControlAudioVideo: the editor of the media control action (kind 12): play/pause, stop, next
// or previous, for the media player that plays.
#pragma once

#include "editors/CommandListEditor.h"

namespace vorbix {

class TControlAudioVideo : public CommandListEditor {
    Q_OBJECT
public:
    TControlAudioVideo(QWidget* parent, EditorHost& host, const QIcon& icon);
};

}  // namespace vorbix
