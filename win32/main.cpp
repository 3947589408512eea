#include "registry_settings_store.h"
#include "tfpral.h"
#include "windows_api.h"

#include "windows_file_system.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const INITCOMMONCONTROLSEX controls {sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WindowsFileSystem files(WindowsCalls::system());
    RegistrySettingsStore settings(RegistrySettingsStore::programKeyPath());
    TFPral FPral(files, settings, {});
    FPral.show();
    MSG message {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!FPral.preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
