#include <windows.h>

#include "app/win32/resource_ids.h"
#include "card/win32/escape_channel.h"
#include "forms/toolkit.h"
#include "forms/win32/message_loop.h"
#include "forms/win32/win32_platform.h"
#include "settings/win32/registry_store.h"
#include "tray/frm_pop_up.h"
#include "tray/residency.h"
#include "tray/win32/module1.h"
#include "tray/win32/notify_icon_shell.h"
#include "tray/win32/single_instance.h"
#include "ui/kel_setup.h"

// The resident program: loads the hidden start-up form, which restores the
// settings to the card and adds the tray icon, then serves messages until
// Exit ends the process.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
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
    tray::win32::NotifyIconShell shell(IDI_QUENDA_TRAY);
    tray::win32::Module1 module1;
    tray::frmPopUp popUp(toolkit, setup, module1, shell);
    module1.setOpenHandler([&popUp] { popUp.openSetupWindow(); });

    popUp.Load();
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        forms::win32::deliver(message);
    }
    return 0;
}
