#include "tray/frm_pop_up.h"

#include "tray/tooltip.h"

namespace tray {

namespace {

forms::FormDesign popUpDesign() {
    forms::FormDesign design;
    design.name = "frmPopUp";
    design.windowClass = "QuendaPopUp";
    design.clientWidth = 1560;
    design.clientHeight = 525;
    design.left = 3735;
    design.top = 2850;
    design.iconResource = 2;
    return design;
}

}  // namespace

struct frmPopUp::Controls {
    explicit Controls(forms::Form& w)
        : Label1(w, {"Label1", "Modify Setup...", {210, 45, 1170, 225}, 0, true}),
          Label2(w, {"Label2", "Exit", {225, 315, 1275, 225}, 1, true}),
          Msghook1(w, {"Msghook1", "", {0, 840, 1200, 480}, 2, true}) {}

    forms::Label Label1;
    forms::Label Label2;  // has no handler: the form is never seen
    forms::PictureBox Msghook1;
};

frmPopUp::frmPopUp(forms::Toolkit& toolkit, ui::KelSetup& setup, TrayHook& hook, TrayShell& shell)
    : forms::Form(toolkit, popUpDesign()), setup_(setup), hook_(hook), shell_(shell) {
    setup_.setExitHandler([this] { exitProgram(); });
    toolkit.setEventsSettledHandler([this] { refreshTooltip(); });
}

frmPopUp::~frmPopUp() = default;

void frmPopUp::createControls() {
    controls_ = std::make_unique<Controls>(*this);
    controls_->Label1.setClickHandler([this] { Label1_Click(); });
    setControls({&controls_->Label1, &controls_->Label2, &controls_->Msghook1});
}

void frmPopUp::destroyControls() {
    controls_.reset();
}

// The hook is in place before the setup window loads, and the icon is added
// only once the restored settings have reached the card.
void frmPopUp::Form_Load() {
    hook_.setHookTarget(hWnd(), TRAY_CALLBACK_MSG);
    hook_.HookTray();
    setup_.Load();
    addIcon();
    Hide();
}

void frmPopUp::Form_Unload(std::int16_t& /*Cancel*/) {
    deleteIcon();
    toolkit().DoEvents();
    hook_.UnhookTray();
}

void frmPopUp::openSetupWindow() {
    toolkit().runEvent([this] { setup_.Show(); });
}

// The icon goes first so the user cannot open the window while it is being
// saved. A save that fails is reported, and the program still ends: with the
// icon gone it could never be reached again.
void frmPopUp::exitProgram() {
    ending_ = true;
    deleteIcon();
    toolkit().runEvent([this] { setup_.SaveSettingsToFile(); });
    setup_.Unload();
    Unload();
    toolkit().End();
}

TrayRecord frmPopUp::addRecord(const std::string& tooltip) const {
    TrayRecord record;
    record.hWnd = hWnd();
    record.uID = TRAY_ICON_ID;
    record.uCallbackMessage = TRAY_CALLBACK_MSG;
    record.hIcon = shell_.trayIcon();
    record.uFlags = kAddFlags;
    record.szTip = tooltipField(tooltip);
    return record;
}

TrayRecord frmPopUp::deleteRecord() const {
    TrayRecord record;
    record.hWnd = hWnd();
    record.uID = TRAY_ICON_ID;
    return record;
}

// At log-on the task bar may not be there yet: a failed add is tried again a
// few times, and the task bar's own announcement brings the icon back later.
void frmPopUp::addIcon() {
    const std::string tooltip = composeTooltip(setup_.card());
    iconShown_ = shell_.notify(NotifyMessage::Add, addRecord(tooltip));
    shownTooltip_ = tooltip;
    retryPending_ = !iconShown_ && --attemptsLeft_ > 0;
    if (retryPending_) {
        shell_.scheduleRetry(hWnd());
    }
}

void frmPopUp::deleteIcon() {
    shell_.notify(NotifyMessage::Delete, deleteRecord());
    iconShown_ = false;
}

// The tooltip names the setup the card has now, not the one it started with.
void frmPopUp::refreshTooltip() {
    if (!iconShown_ || ending_ || !setup_.isLoaded()) {
        return;
    }
    const std::string tooltip = composeTooltip(setup_.card());
    if (tooltip != shownTooltip_ && shell_.notify(NotifyMessage::Modify, addRecord(tooltip))) {
        shownTooltip_ = tooltip;
    }
}

void frmPopUp::windowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t /*lParam*/) {
    if (ending_ || !setup_.isLoaded()) {
        return;
    }
    if (message == shell_.taskbarCreatedMessage()) {
        attemptsLeft_ = kAddAttempts;
        addIcon();
    } else if (message == kRetryMessage && wParam == kRetryTimerId && retryPending_) {
        shell_.cancelRetry(hWnd());
        addIcon();
    }
}

}  // namespace tray
