#include "registry_settings_store.h"
#include "tfpral.h"
#include "windows_api.h"

#if __has_include("windows_file_system.h")
#include "windows_file_system.h"
#else
#include "pending_file_system.h"
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const INITCOMMONCONTROLSEX controls {sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
#if __has_include("windows_file_system.h")
    WindowsFileSystem files(WindowsCalls::system());
#else
    PendingFileSystem files;
#endif
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
