#pragma once

#include "settings_store.h"

#include <string>
#include <windows.h>

// The stored settings in the registry: the program key HKEY_CURRENT_USER\<keyPath>,
// one sub-key per section, every value a plain string (REG_SZ) in UTF-16.
class RegistrySettingsStore final : public SettingsStore
{
public:
    explicit RegistrySettingsStore(std::wstring keyPath, HKEY root = HKEY_CURRENT_USER);

    // Software\ and the base name of the running program's executable.
    static std::wstring programKeyPath();

    // Where the program key can be neither opened nor made, reads find nothing
    // and the first write raises its error.
    std::unique_ptr<ProgramKey> openProgramKey(std::string_view section) override;

private:
    std::wstring m_keyPath;
    HKEY m_root;
};
