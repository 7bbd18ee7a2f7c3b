#include "shell/settings/SettingsPage.h"

#include <QCheckBox>
#include <QGroupBox>

#include "components/BoxCaption.h"
#include "storage/LanguageFile.h"

namespace vorbix {

namespace {
// The indicator of a check box and the gap to its caption.
constexpr int kIndicator = 22;
}  // namespace

SettingsPage::SettingsPage(QWidget* dialog, int ppi)
    : QWidget(dialog), layout_(ppi, kDesign.size()) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

QString SettingsPage::text(const LanguageFile& file, std::string_view section,
                           std::string_view key) {
    return QString::fromStdString(file.text(section, key));
}

QGroupBox* SettingsPage::group(const QRect& design) {
    return put<QGroupBox>(this, design);
}

QCheckBox* SettingsPage::wrappingCheck(QWidget* parent, const QRect& design, BoxCaption** caption) {
    auto* box = put<QCheckBox>(parent, {design.left(), design.top(), kIndicator - 2, 20});
    *caption = new BoxCaption(box, parent);
    layout_.place(*caption, {design.left() + kIndicator, design.top() + 2,
                             design.width() - kIndicator, design.height() - 2});
    return box;
}

}  // namespace vorbix
