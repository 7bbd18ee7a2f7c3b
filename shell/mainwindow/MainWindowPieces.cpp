// TMain's pieces made late: a start hidden in the tray makes the pages, strips and menu bar
// only when the window is first shown (or a caller asks for one of them), and gives them then
// what was set meanwhile; the logo, likewise, is read only when a window of the program shows.
#include <QChildEvent>
#include <QTreeView>
#include <utility>

#include "shell/common/Artwork.h"
#include "shell/common/ShellCore.h"
#include "shell/mainwindow/EditorHub.h"
#include "shell/mainwindow/HotKeyPage.h"
#include "shell/mainwindow/HotKeyTableModel.h"
#include "shell/mainwindow/MainWindow.h"
#include "shell/mainwindow/NavigationTabs.h"
#include "shell/mainwindow/StatusStrip.h"
#include "shell/mainwindow/TableActions.h"
#include "shell/mainwindow/TopStrip.h"
#include "shell/mainwindow/WelcomePage.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {
using A = AnchorLayout;
}  // namespace

void TMain::buildWidgets() {
    if (hotKeyPage_) return;
    // The marks are seen only in the list.
    model_->setProblemMarks(art_->icon("", "Warning.svg"),
                            [this](size_t row) { return registrationProblem(row); });
    giveWindowIcon();
    topStrip_ = new TopStrip(this, *art_, env_.ppi);
    layout_.place(topStrip_, TopStrip::kDesign, A::L | A::T | A::R);
    menus_->fillMenuBar(topStrip_->menuBar());
    model_->setFinishingInBackground(true);
    hotKeyPage_ = new HotKeyPage(this, *art_, env_.ppi, env_.keyNames, model_);
    layout_.place(hotKeyPage_, HotKeyPage::kDesign, A::L | A::T | A::R | A::B);
    // Above the hot key page, whose top edge the joining bar covers; under the welcome page.
    tabs_ = new NavigationTabs(this, *art_, env_.ppi);
    layout_.place(tabs_, NavigationTabs::kDesign);
    status_ = new StatusStrip(this, *art_, env_.ppi);
    layout_.place(status_, StatusStrip::kDesign, A::L | A::R | A::B);
    welcomePage_ = new WelcomePage(this, *art_, env_.ppi);
    layout_.place(welcomePage_, WelcomePage::kDesign, A::L | A::T | A::R | A::B);
    welcomePage_->raise();
    table_ = std::make_unique<TableActions>(core_->commands, *hotKeyPage_, *menus_);
    table_->setEditorOpener([this](const EditRequest& r) { editors_->openEditor(r); });
    connectPieces();
    // What was set while the pieces did not exist.
    for (int i = 0; i < int(columnWidths_.size()); ++i) {
        if (columnWidths_[size_t(i)] >= 0)
            hotKeyPage_->list()->setColumnWidth(i, columnWidths_[size_t(i)]);
        else
            hotKeyPage_->list()->resizeColumnToContents(i);
    }
    hotKeyPage_->setImprovementVisible(improvementVisible_);
    welcomePage_->setChoiceTicked(welcomeTicked_);
    welcomePage_->setChoiceEnabled(welcomeEnabled_);
    if (welcomeOnTop_)
        ShowWelcome();
    else
        ShowMyHotKeys();
    if (mainTexts_) translateWidgets(*mainTexts_, std::string(lang::kMain));
    ApplyMainColors();
    applyActivePresentation();
    refreshCount();
    UpdateMenuState();
    layout_.relayout(this, size());
    welcomePage_->placeClosingLine();
    emit widgetsCreated();
}

HotKeyPage& TMain::page() const {
    const_cast<TMain*>(this)->buildWidgets();
    return *hotKeyPage_;
}

StatusStrip& TMain::statusStrip() const {
    const_cast<TMain*>(this)->buildWidgets();
    return *status_;
}

TableActions& TMain::tableActions() {
    buildWidgets();
    return *table_;
}

void TMain::giveWindowIcon() {
    if (std::exchange(iconGiven_, true)) return;
    // The program's own logo (the icon theme's "vorbix" is made from it; looking it up in the
    // theme would read the whole theme). The window's dialogs take it from the window.
    setWindowIcon(QIcon(QString::fromStdString(env_.programFolder + "Images/Logo.svg")));
}

void TMain::childEvent(QChildEvent* e) {
    QWidget::childEvent(e);
    // A dialog (a message box, an editor) about to show before the window was made.
    // Menus (the tray's among them) are windows too, but show no icon.
    if (e->type() != QEvent::ChildPolished || !e->child()->isWidgetType()) return;
    const auto* child = static_cast<const QWidget*>(e->child());
    if (child->isWindow() && child->windowType() != Qt::Popup) giveWindowIcon();
}

void TMain::setVisible(bool visible) {
    if (visible) buildWidgets();
    QWidget::setVisible(visible);
}

void TMain::UpdateMenuState() {
    if (table_) return table_->UpdateMenuState();
    // Without the list nothing is selected.
    core_->commands.updateMenuState();
    menus_->setMenuState(core_->commands.menuState());
}

}  // namespace vorbix
