// The base of the settings dialog's four pages: a white panel below the category box, laid out
// at the designed 96 pixels per inch and scaled, with its groups, buttons and captions. A page
// binds its controls to the settings they stand for and translates itself.
#pragma once

#include <QWidget>
#include <string_view>

#include "components/AnchorLayout.h"

class QAbstractButton;
class QCheckBox;
class QGroupBox;

namespace vorbix {

class BoxCaption;
class LanguageFile;
class SettingBindings;

class SettingsPage : public QWidget {
    Q_OBJECT
public:
    // Where the pages lie in the dialog's client area.
    static constexpr QRect kDesign{20, 112, 497, 375};

    SettingsPage(QWidget* dialog, int ppi);

    virtual void SetLanguage(const LanguageFile& file, std::string_view section) = 0;
    // Binds the page's controls that stand for keys of the configuration file.
    virtual void bind(SettingBindings& bindings) = 0;

protected:
    static QString text(const LanguageFile& file, std::string_view section, std::string_view key);
    // A group box of the page at its designed place.
    QGroupBox* group(const QRect& design);
    // A widget of `parent` (the page or one of its groups) at its designed place.
    template <typename W>
    W* put(QWidget* parent, const QRect& design) {
        W* w = new W(parent);
        layout_.place(w, design);
        return w;
    }
    // A check box whose caption wraps: the box at `design`'s top left, the caption beside it.
    QCheckBox* wrappingCheck(QWidget* parent, const QRect& design, BoxCaption** caption);
    int scale(int value) const { return layout_.scale(value); }
    QRect scaledRect(const QRect& design) const { return layout_.scale(design); }
    AnchorLayout& layout() { return layout_; }

private:
    AnchorLayout layout_;
};

}  // namespace vorbix
