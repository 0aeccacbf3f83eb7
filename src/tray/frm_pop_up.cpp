#include "tray/frm_pop_up.h"

#include <array>
#include <string_view>

#include "forms/control_table.h"
#include "tray/residency.h"
#include "tray/tooltip.h"

namespace tray {

namespace {

forms::FormDesign popUpDesign() {
    forms::FormDesign design;
    design.name = "frmPopUp";
    design.windowClass = kPopUpWindowClass;
    design.clientWidth = 1560;
    design.clientHeight = 525;
    design.left = 3735;
    design.top = 2850;
    design.iconResource = kTrayIcon;
    return design;
}

constexpr const char* kDeafDriverTitle = "The card's driver was not found";
constexpr const char* kDeafDriverText = "Your choices are kept, but they do not reach the card.";

// The start-up form as designed, front-most first. Msghook1 lies below the
// client area and nothing refers to it.
constexpr auto kPopUpControls = std::to_array<forms::ControlRow>({
    forms::label("Label1", "Modify Setup...", {210, 45, 1170, 225}, 0),
    forms::label("Label2", "Exit", {225, 315, 1275, 225}, 1),
    forms::pictureBox("Msghook1", {0, 840, 1200, 480}, 2),
});

consteval const forms::ControlRow& popUpRow(std::string_view name) {
    return kPopUpControls.at(forms::stackingPosition(kPopUpControls, name));
}

}  // namespace

struct frmPopUp::Controls {
    explicit Controls(forms::Form& w)
        : Label1(forms::makeLabel(w, popUpRow("Label1"))),
          Label2(forms::makeLabel(w, popUpRow("Label2"))),
          Msghook1(forms::makePictureBox(w, popUpRow("Msghook1"))) {}

    forms::Label Label1;
    forms::Label Label2;  // has no handler: the form is never seen
    forms::PictureBox Msghook1;
};

frmPopUp::frmPopUp(forms::Toolkit& toolkit, ui::KelSetup& setup, TrayHook& hook, TrayShell& shell,
                   card::DriverProbe& probe, Residency& residency)
    : forms::Form(toolkit, popUpDesign()),
      setup_(setup),
      hook_(hook),
      shell_(shell),
      probe_(probe),
      residency_(residency),
      exitSubscription_(setup_.subscribeExit([this] { exitProgram(); })),
      settledSubscription_(toolkit.subscribeEventsSettled([this] { refreshTooltip(); })) {}

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
    hook_.setHookTarget(hWnd(), {TRAY_CALLBACK_MSG, shell_.taskbarCreatedMessage()}, *this);
    hook_.HookTray();
    setup_.Load();
    driverDeaf_ = !probe_.takesCommands(setup_.hWnd());
    addIcon();
    Hide();
}

// The lock goes while this window is still there: a start that finds the
// window hears that this copy is ending and waits for it, and one that comes
// after the window has gone finds the lock free, however long the process
// then takes to end. kept on purpose: after Exit this is the second delete of
// the icon and finds none; it is what takes the icon away on any other unload.
void frmPopUp::Form_Unload(std::int16_t& /*Cancel*/) {
    residency_.release();
    deleteIcon();
    toolkit().DoEvents();
    hook_.UnhookTray();
}

// A press queued before Exit began must not load the window again and replay
// every stored setting to the card while the program ends.
void frmPopUp::openSetupWindow() {
    if (ending_) {
        return;
    }
    toolkit().runEvent([this] { setup_.Show(); });
}

// The icon goes first so the user cannot open the window while it is being
// saved. A save that fails is reported, and the program still ends: with the
// icon gone it could never be reached again. A close that arrives while an
// error box of this very Exit is up finds it begun and does nothing.
void frmPopUp::exitProgram() {
    if (ending_) {
        return;
    }
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

TrayRecord frmPopUp::identityRecord() const {
    TrayRecord record;
    record.hWnd = hWnd();
    record.uID = TRAY_ICON_ID;
    return record;
}

// At log-on the task bar may not be there yet: a failed add is tried again a
// few times, and the task bar's own announcement brings the icon back later.
// A task bar that announces itself without having lost our icon refuses the
// add as a duplicate; the icon is there, and takes the tooltip as a change.
void frmPopUp::addIcon() {
    const std::string tooltip = composeTooltip(setup_.card());
    const TrayRecord record = addRecord(tooltip);
    iconShown_ =
        shell_.notify(NotifyMessage::Add, record) || shell_.notify(NotifyMessage::Modify, record);
    shownTooltip_ = tooltip;
    retryPending_ = !iconShown_ && --attemptsLeft_ > 0;
    retryTimerSet_ = retryPending_ && shell_.scheduleRetry(hWnd());
    if (iconShown_) {
        warnIfDriverIsDeaf();
    }
}

// Every choice looks as if it reached the card; where the driver says it
// cannot take them, the user hears so once per start.
void frmPopUp::warnIfDriverIsDeaf() {
    if (driverDeaf_ && !deafWarningShown_) {
        deafWarningShown_ = shell_.showBalloon(identityRecord(), kDeafDriverTitle, kDeafDriverText);
    }
}

void frmPopUp::deleteIcon() {
    shell_.notify(NotifyMessage::Delete, identityRecord());
    iconShown_ = false;
}

// The tooltip names the setup the card has now, not the one it started with.
// A retry whose timer the system would not set asks for one again.
void frmPopUp::refreshTooltip() {
    if (ending_ || !setup_.isLoaded()) {
        return;
    }
    if (retryPending_ && !retryTimerSet_) {
        retryTimerSet_ = shell_.scheduleRetry(hWnd());
    }
    if (!iconShown_) {
        return;
    }
    const std::string tooltip = composeTooltip(setup_.card());
    if (tooltip != shownTooltip_ && shell_.notify(NotifyMessage::Modify, addRecord(tooltip))) {
        shownTooltip_ = tooltip;
    }
}

// The task bar started (again): the icon goes back, with a fresh round of tries.
void frmPopUp::taskbarCreated() {
    if (ending_ || !setup_.isLoaded()) {
        return;
    }
    attemptsLeft_ = kAddAttempts;
    addIcon();
}

void frmPopUp::retryTimer() {
    if (ending_ || !setup_.isLoaded() || !retryPending_) {
        return;
    }
    shell_.cancelRetry(hWnd());
    addIcon();
}

}  // namespace tray
