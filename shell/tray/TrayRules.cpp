#include "shell/tray/TrayRules.h"

namespace vorbix {

const std::string& TrayRules::startCaption() const {
    return caption_ == Caption::Start1 ? texts_.popupStart1 : texts_.popupStart2;
}

const std::string& TrayRules::activationCaption(bool active) const {
    return active ? texts_.popupDeactivate : texts_.popupActivate;
}

void TrayRules::followVisibility(bool visible) {
    caption_ = visible ? Caption::Start2 : Caption::Start1;
}

TrayRules::Step TrayRules::popupStart(bool visible) {
    if (caption_ == Caption::Start2 && visible) {
        caption_ = Caption::Start1;
        return Step::HideApplication;
    }
    caption_ = Caption::Start2;
    return Step::ShowApplication;
}

TrayRules::Step TrayRules::toggle(bool visible) {
    followVisibility(visible);
    return popupStart(visible);
}

std::optional<TrayRules::Step> TrayRules::iconClicked(bool visible, int64_t nowMs,
                                                      int doubleClickMs) {
    if (lastClickToggle_ && nowMs >= *lastClickToggle_ &&
        nowMs - *lastClickToggle_ <= doubleClickMs)
        return std::nullopt;
    lastClickToggle_ = nowMs;
    return toggle(visible);
}

TrayRules::Step TrayRules::instanceCreated(bool visible) {
    if (visible) return Step::BringToFront;
    caption_ = Caption::Start1;
    return popupStart(visible);
}

void TrayRules::languageApplied(bool visible) {
    caption_ = (visible || !startedUp_) ? Caption::Start2 : Caption::Start1;
}

TrayRules::CloseDecision TrayRules::closeQuery() {
    if (HideByMinimize) return {true, false, false};
    caption_ = Caption::Start1;
    return {ExitRequested, true, !ExitRequested && !SessionEnding};
}

}  // namespace vorbix
