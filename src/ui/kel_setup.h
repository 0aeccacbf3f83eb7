#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "card/card_controls.h"
#include "card/card_handlers.h"
#include "card/driver_channel.h"
#include "card/position_stepping.h"
#include "card/setup_variables.h"
#include "forms/form.h"
#include "forms/listeners.h"
#include "settings/settings_store.h"
#include "settings/setup_settings.h"

namespace ui {

// The window's own buttons, in the left column.
struct WindowButtons : card::ControlGroup {
    using ControlGroup::ControlGroup;

    forms::CommandButton cmdExit = card::made<"cmdExit">(window);
    forms::CommandButton cmdCancel = card::made<"cmdCancel">(window);
    forms::CommandButton cmdOK = card::made<"cmdOK">(window);
    forms::CommandButton cmdAdvanced = card::made<"cmdAdvanced">(window);
};

inline constexpr float kCompactWidth = 1800;
inline constexpr float kAdvancedWidth = 3765;

// The setup window "Orvix": the card's controls, the position preview and
// the window's own buttons. Its controls exist while it is loaded; its form
// variables (vars) live as long as the program.
class KelSetup : public forms::Form {
  public:
    KelSetup(forms::Toolkit& toolkit, card::DriverChannel& channel, settings::SettingsStore& store);
    ~KelSetup() override;

    card::SetupVariables vars;

    // The parts of a loaded window; a failed property access when unloaded.
    card::CardControls& card() const;
    card::PreviewControls& preview() const;
    WindowButtons& buttons() const;

    void SaveSettingsToFile();
    void ReadSettingsFromFile();

    // What Exit does belongs to the resident program that owns the window.
    [[nodiscard]] forms::Subscription subscribeExit(std::function<void()> listener) {
        return exitListeners_.subscribe(std::move(listener));
    }

    // The close box acts as Cancel: the saved settings come back and the
    // window hides, so it never shows settings the card does not have.
    void closeBox() override;
    // A close from another program only hides the window, keeping what it
    // shows: the same request reaches the start-up window, whose Exit saves
    // it, and the saved settings must not be read back over it first.
    void closeRequested() override { Hide(); }

    void cmdAdvanced_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdExit_Click();

  protected:
    void createControls() override;
    void destroyControls() override;
    void Form_Load() override;

  private:
    struct Parts;
    Parts& parts() const;

    card::CardDriver driver_;
    settings::SettingsStore& store_;
    settings::ReportedSettings reportedSettings_;
    std::unique_ptr<Parts> parts_;
    forms::Listeners exitListeners_;
};

}  // namespace ui
