// TControlBrowser: the editor of the browser control action (kind 13): back, forward, home page,
// favourites, reload or stop, for the browser that has the focus.
#pragma once

#include "editors/CommandListEditor.h"

namespace vorbix {

class TControlBrowser : public CommandListEditor {
    Q_OBJECT
public:
    TControlBrowser(QWidget* parent, EditorHost& host, const QIcon& icon);
};

}  // namespace vorbix
