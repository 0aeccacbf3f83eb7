#include <windows.h>

#include "card/win32/escape_channel.h"
#include "forms/toolkit.h"
#include "forms/win32/message_loop.h"
#include "forms/win32/win32_platform.h"
#include "settings/win32/registry_store.h"
#include "ui/kel_setup.h"

// Shows the setup window and runs until it is hidden or gone. The resident
// tray program takes this place once it exists.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    forms::win32::MessageBoxErrors errors;
    forms::win32::Win32Platform platform(instance);
    forms::Toolkit toolkit(errors, platform);
    card::win32::EscapeChannel channel;
    settings::win32::RegistryStore store;
    ui::KelSetup setup(toolkit, channel, store);
    setup.setExitHandler([&setup, &toolkit] {
        setup.SaveSettingsToFile();
        setup.Unload();
        toolkit.End();
    });

    setup.Load();
    setup.Show();
    // A click that hides the window may come as a sent message, which never
    // returns from GetMessage: the end is posted once the event is over.
    toolkit.setEventsSettledHandler([&setup] {
        if (!setup.isLoaded() || !setup.Visible()) {
            PostQuitMessage(0);
        }
    });
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        forms::win32::deliver(message);
    }
    return 0;
}
