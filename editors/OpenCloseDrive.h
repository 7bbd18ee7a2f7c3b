// TOpenCloseDrive: the editor of the drive-door action (kind 8): a check list of the optical
// drives whose doors the hot key opens or closes. Drives the row names that are not present
// now are listed as unavailable, ticked, so that OK keeps them unless the user unticks them.
#pragma once

#include "editors/EditorDialog.h"
#include "editors/OpenCloseDriveModel.h"

class QLabel;
class QListWidget;

namespace vorbix {

class TOpenCloseDrive : public EditorDialog {
    Q_OBJECT
public:
    TOpenCloseDrive(QWidget* parent, EditorHost& host, const QIcon& icon);

    QListWidget* driveList() const { return CheckListBox1; }

protected:
    void setLanguageTexts(const LanguageFile& file, std::string_view section) override;
    void FormShow(const HotKeyEntry& row) override;
    void encode(HotKeyEntry& row) override;

private:
    void fillList();
    // The ticks of the list into the model.
    void takeTicks();

    OpenCloseDriveModel model_;
    QString unavailable_;
    QLabel* LabelOpenCloseDrive1 = nullptr;
    QLabel* LabelOpenCloseDrive2 = nullptr;
    QListWidget* CheckListBox1 = nullptr;
};

}  // namespace vorbix
