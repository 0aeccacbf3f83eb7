#include "ui/kel_setup.h"

namespace ui {

// Everything that exists only while the window is loaded.
struct KelSetup::Parts {
    Parts(KelSetup& window, card::CardDriver& driver)
        : card(window),
          preview(window),
          buttons(window),
          stepping(preview, window.vars, driver),
          handlers(card, window.vars, driver, stepping) {}

    card::CardControls card;
    card::PreviewControls preview;
    WindowButtons buttons;
    card::PositionStepping stepping;
    card::CardHandlers handlers;
};

KelSetup::KelSetup(forms::Toolkit& toolkit, card::DriverChannel& channel,
                   settings::SettingsStore& store)
    : forms::Form(toolkit, card::kelSetupWindow()), driver_(*this, channel), store_(store) {}

KelSetup::~KelSetup() = default;

void KelSetup::createControls() {
    parts_ = std::make_unique<Parts>(*this, driver_);
    parts_->stepping.connect();
    auto& b = parts_->buttons;
    b.cmdAdvanced.setClickHandler([this] { cmdAdvanced_Click(); });
    b.cmdOK.setClickHandler([this] { cmdOK_Click(); });
    b.cmdCancel.setClickHandler([this] { cmdCancel_Click(); });
    b.cmdExit.setClickHandler([this] { cmdExit_Click(); });
}

void KelSetup::destroyControls() {
    parts_.reset();
}

KelSetup::Parts& KelSetup::parts() const {
    if (!parts_) {
        throw forms::RuntimeError(forms::ErrorNumber::PropertyAccessFailed,
                                  "The setup window is not loaded");
    }
    return *parts_;
}

card::CardControls& KelSetup::card() const {
    return parts().card;
}
card::PreviewControls& KelSetup::preview() const {
    return parts().preview;
}
WindowButtons& KelSetup::buttons() const {
    return parts().buttons;
}

void KelSetup::SaveSettingsToFile() {
    settings::SaveSettingsToFile({*this, vars, parts().stepping, reportedSettings_}, store_);
}

void KelSetup::ReadSettingsFromFile() {
    settings::ReadSettingsFromFile({*this, vars, parts().stepping, reportedSettings_}, store_,
                                   toolkit());
}

void KelSetup::Form_Load() {
    setWidth(kCompactWidth);
    setTop(0);
    setLeft(0);
    vars.advancedShowing = forms::False;
    ReadSettingsFromFile();
}

// kept on purpose: the captions set here have no blank ("Advanced>>"), while
// the design caption a load gives reads "Advanced >>".
void KelSetup::cmdAdvanced_Click() {
    auto& advanced = parts().buttons.cmdAdvanced;
    if (vars.advancedShowing == forms::True) {
        advanced.setCaption("Advanced>>");
        setWidth(kCompactWidth);
        vars.advancedShowing = forms::False;
    } else {
        advanced.setCaption("<<Advanced");
        setWidth(kAdvancedWidth);
        vars.advancedShowing = forms::True;
    }
}

// The card has had every change as it was made, so OK only keeps them.
void KelSetup::cmdOK_Click() {
    SaveSettingsToFile();
    setVisible(false);
}

void KelSetup::cmdCancel_Click() {
    ReadSettingsFromFile();
    setVisible(false);
}

void KelSetup::cmdExit_Click() {
    exitListeners_.notify();
}

void KelSetup::closeBox() {
    toolkit().runEvent([this] { cmdCancel_Click(); });
}

}  // namespace ui
