// The caption of a check box or radio button that may run over several lines: a label beside
// the button (which has no text of its own) that wraps its words, clicks the button when it is
// clicked, and is enabled with it.
#pragma once

#include <QLabel>

class QAbstractButton;

namespace vorbix {

class BoxCaption : public QLabel {
    Q_OBJECT
public:
    BoxCaption(QAbstractButton* box, QWidget* parent);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QAbstractButton* box_;
};

}  // namespace vorbix
