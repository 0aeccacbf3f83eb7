#include <windows.h>

#include "app/win32/empty_store.h"
#include "card/win32/escape_channel.h"
#include "forms/toolkit.h"
#include "forms/win32/message_loop.h"
#include "forms/win32/win32_platform.h"
#include "ui/kel_setup.h"

// Shows the setup window and runs until it is hidden or gone. The resident
// tray program takes this place once it exists.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    forms::win32::MessageBoxErrors errors;
    forms::win32::Win32Platform platform(instance);
    forms::Toolkit toolkit(errors, platform);
    card::win32::EscapeChannel channel;
    app::win32::EmptyStore store;
    ui::KelSetup setup(toolkit, channel, store);
    setup.setExitHandler([&setup, &toolkit] {
        setup.SaveSettingsToFile();
        setup.Unload();
        toolkit.End();
    });

    setup.Load();
    setup.Show();
    MSG message{};
    while (setup.isLoaded() && setup.Visible() && GetMessageA(&message, nullptr, 0, 0) > 0) {
        forms::win32::deliver(message);
    }
    return 0;
}
