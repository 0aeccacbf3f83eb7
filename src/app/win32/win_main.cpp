#include <windows.h>

#include <exception>
#include <string>

#include "app/win32/resource_ids.h"
#include "card/kel_setup_table.h"
#include "card/win32/escape_channel.h"
#include "forms/toolkit.h"
#include "forms/win32/debug_trace.h"
#include "forms/win32/message_loop.h"
#include "forms/win32/program_names.h"
#include "forms/win32/win32_platform.h"
#include "settings/win32/registry_store.h"
#include "tray/frm_pop_up.h"
#include "tray/residency.h"
#include "tray/win32/module1.h"
#include "tray/win32/notify_icon_shell.h"
#include "tray/win32/single_instance.h"
#include "ui/kel_setup.h"

namespace {

static_assert(card::kSetupWindowIcon == IDI_QUENDA && tray::kTrayIcon == IDI_QUENDA_TRAY,
              "the forms name the icons as the resource script numbers them");

// The resident program: loads the hidden start-up form, which restores the
// settings to the card and adds the tray icon, then serves messages until
// Exit ends the process. An error that any message lets out is reported and
// the program goes on: it must never go deaf.
int runResident(HINSTANCE instance) {
    tray::win32::SingleInstance residency;
    if (!tray::becomeResident(residency)) {
        return 0;
    }
    forms::win32::MessageBoxErrors errors;
    forms::win32::Win32Platform platform(instance);
    forms::Toolkit toolkit(errors, platform);
    card::win32::EscapeChannel channel;
    settings::win32::RegistryStore store;
    ui::KelSetup setup(toolkit, channel, store);
    tray::win32::NotifyIconShell shell(tray::kTrayIcon);
    tray::win32::Module1 module1;
    tray::frmPopUp popUp(toolkit, setup, module1, shell, channel, residency);

    popUp.Load();
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        forms::atEdge(
            toolkit.errors(), [&] { forms::win32::deliver(message); }, [] {});
    }
    return 0;
}

// Whatever failed while the program was being built: it ends, saying what,
// rather than sit half built where the user cannot reach it.
void reportFailedStart(const std::string& what) {
    forms::win32::trace("error at start-up: " + what);
    MessageBoxA(nullptr, ("Quenda could not start.\n\n" + what).c_str(), "Quenda",
                MB_OK | MB_ICONERROR);
}

}  // namespace

// Support and the end-to-end tests read these names: they never change.
forms::win32::ProgramNames forms::win32::programNames() {
    return {.debugPrefix = "Quenda: ",
            .messageTitle = "Quenda",
            .formClass = "QuendaForm",
            .ownerClass = "QuendaOwner",
            .shapeClass = "QuendaShape"};
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    try {
        return runResident(instance);
    } catch (const std::exception& error) {
        reportFailedStart(error.what());
    } catch (...) {
        reportFailedStart("Unknown error");
    }
    return 1;
}
