// Designed geometry (96 pixels per inch) with anchors: each widget is placed once at its scaled
// design rectangle and keeps its distances to the anchored edges of its parent when the parent
// is resized.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace vorbix {

class AnchorLayout {
public:
    enum Anchor { L = 1, T = 2, R = 4, B = 8 };
    AnchorLayout(int ppi, QSize designSize) : ppi_(ppi), design_(designSize) {}
    int ppi() const { return ppi_; }
    QSize designSize() const { return design_; }
    int scale(int value) const;
    QRect scale(const QRect& r) const;
    QSize scale(const QSize& s) const;
    // Places `w` at the designed rectangle, scaled; anchors relative to its parent's size.
    void place(QWidget* w, QRect design, int anchors = L | T);
    // Moves a widget to a new designed rectangle (e.g. when a page switch moves a tab).
    void replace(QWidget* w, QRect design);
    // Re-applies every anchor for a parent of `size`.
    void relayout(QWidget* parent, QSize size);

private:
    struct Item {
        QWidget* widget;
        QRect design;
        int anchors;
    };
    int ppi_;
    QSize design_;
    std::vector<Item> items_;
};

}  // namespace vorbix
