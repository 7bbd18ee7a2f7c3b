// TSearchInternetProperties: the editor of the internet search action (kind 14): the provider,
// chosen from a list that shows each provider's icon before its name.
#pragma once

#include "editors/EditorDialog.h"
#include "editors/SearchInternetPropertiesModel.h"

class QComboBox;
class QLabel;

namespace vorbix {

class TSearchInternetProperties : public EditorDialog {
    Q_OBJECT
public:
    TSearchInternetProperties(QWidget* parent, EditorHost& host, const QIcon& icon);

    QComboBox* providerBox() const { return ComboBoxProvider; }
    // The pictures of the providers, in list order (Images/Providers/).
    static const char* const kProviderImages[];

protected:
    void setLanguageTexts(const LanguageFile& file, std::string_view section) override;
    void FormShow(const HotKeyEntry& row) override;
    void encode(HotKeyEntry& row) override;
    bool okAvailable() const override;

private:
    SearchInternetPropertiesModel model_;
    QLabel* LabelProvider = nullptr;
    QComboBox* ComboBoxProvider = nullptr;
};

}  // namespace vorbix
