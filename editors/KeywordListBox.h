// The keyword list of the hide/show editor: several entries selectable, and the selected entries
// reordered live while the user drags them within the list (the rules are those of
// HideShowModel; this widget only turns mouse movements into them). The Tab key skips it.
#pragma once

#include <QListWidget>

#include "editors/HideShowModel.h"

namespace vorbix {

class KeywordListBox : public QListWidget {
    Q_OBJECT
public:
    explicit KeywordListBox(QWidget* parent);

    // The entries with their selection and focus, and back.
    KeywordList keywords() const;
    void setKeywords(const KeywordList& list);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QPoint pressedAt_;
    bool pressedOnEntry_ = false;
    // Pressed on an entry that was selected already: the selection stays for a drag and turns
    // into that entry alone when the button is released without one.
    bool pressedOnSelected_ = false;
    bool dragging_ = false;
};

}  // namespace vorbix
