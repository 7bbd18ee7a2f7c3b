// The tool bar of the insert-text editor over its text box: bold, italic, underline, text
// colour, the three alignments, bullets, link, and the font and size boxes. Each command works
// on the current attributes (those of the selection, or those new text gets) or on the selected
// paragraphs; the buttons and boxes follow the selection, and a box shows no entry when the
// selection mixes fonts or sizes.
#pragma once

#include <QWidget>
#include <array>

#include "components/AnchorLayout.h"

class QButtonGroup;
class QComboBox;
class QTextCharFormat;
class QTextEdit;
class QToolButton;

namespace vorbix {

class RichTextToolBar : public QWidget {
    Q_OBJECT
public:
    // Left to right.
    enum Button { Bold, Italic, Underlined, Color, Left, Center, Right, List, Hyperlink };
    static constexpr int kButtonCount = 9;
    // Where the bar lies in the editor, at 96 pixels per inch.
    static constexpr QRect kDesign{20, 88, 538, 33};

    RichTextToolBar(QWidget* parent, int ppi, QTextEdit* edit);

    QToolButton* button(Button b) const { return buttons_[b]; }
    QComboBox* fontBox() const { return ComboBox1; }
    QComboBox* sizeBox() const { return ComboBox2; }
    // Buttons and boxes after the selection's attributes.
    void RichEdit1SelectionChange();

signals:
    void linkRequested();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void mergeFormat(const QTextCharFormat& format);
    void setAlignment(Qt::Alignment alignment);
    void setBullets(bool on);
    void ToolButton1Click();
    void selectFont(const QString& family);

    AnchorLayout layout_;
    QTextEdit* edit_;
    std::array<QToolButton*, kButtonCount> buttons_{};
    QButtonGroup* alignments_ = nullptr;
    QComboBox* ComboBox1 = nullptr;  // font name
    QComboBox* ComboBox2 = nullptr;  // font size
};

}  // namespace vorbix
