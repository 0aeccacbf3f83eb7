#pragma once

#include <memory>
#include <string>

#include "card/driver_probe.h"
#include "forms/form.h"
#include "tray/residency.h"
#include "tray/tray_services.h"
#include "ui/kel_setup.h"

namespace tray {

// The tray's picture, which the start-up window shows too (the resource
// WinMain checks is that number).
inline constexpr int kTrayIcon = 2;

// The start-up form: never shown, it owns the tray icon and hears the tray
// through its hooked window procedure. Exit on the setup window ends the
// program through it.
class frmPopUp : public forms::Form, public ShellEvents {
  public:
    frmPopUp(forms::Toolkit& toolkit, ui::KelSetup& setup, TrayHook& hook, TrayShell& shell,
             card::DriverProbe& probe, Residency& residency);
    ~frmPopUp() override;

    // What the shell says, as the hooked window procedure hands it over.
    void openSetupWindow() override;
    void taskbarCreated() override;
    void retryTimer() override;
    void sessionEnding() override { exitProgram(); }
    bool ending() const override { return ending_; }

    void Label1_Click() { openSetupWindow(); }
    // The end of the program, run by the setup window's Exit button, by a
    // close request to this window and by the end of the user's session.
    // Once it has begun, nothing that arrives meanwhile acts.
    void exitProgram();
    void closeBox() override { exitProgram(); }

    // Tries an icon add gets before the program waits for the task bar to announce itself.
    static constexpr int kAddAttempts = 10;

  protected:
    void createControls() override;
    void destroyControls() override;
    void Form_Load() override;
    void Form_Unload(std::int16_t& Cancel) override;

  private:
    struct Controls;
    TrayRecord addRecord(const std::string& tooltip) const;
    // Names the icon and nothing else: enough for a delete or a balloon.
    TrayRecord identityRecord() const;
    void addIcon();
    void deleteIcon();
    void refreshTooltip();
    void warnIfDriverIsDeaf();

    ui::KelSetup& setup_;
    TrayHook& hook_;
    TrayShell& shell_;
    card::DriverProbe& probe_;
    Residency& residency_;
    forms::Subscription exitSubscription_;
    forms::Subscription settledSubscription_;
    std::unique_ptr<Controls> controls_;
    std::string shownTooltip_;
    bool iconShown_ = false;
    bool ending_ = false;
    bool retryPending_ = false;
    bool retryTimerSet_ = false;
    int attemptsLeft_ = kAddAttempts;
    bool driverDeaf_ = false;
    bool deafWarningShown_ = false;
};

}  // namespace tray
