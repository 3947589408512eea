#include "registry_settings_store.h"

#include "stored_text.h"
#include "unique_handle.h"
#include "wide_text.h"

#include <vector>

namespace {

std::string quotedName(std::string_view name)
{
    return "'" + std::string(name) + "'";
}

class RegistryProgramKey final : public ProgramKey
{
public:
    RegistryProgramKey(UniqueKey key, std::string_view section)
        : m_key(std::move(key))
        , m_sectionName(section)
        , m_section(toWide(section))
    { }

    std::optional<std::string> readText(std::string_view name) const override
    {
        UniqueKey section;
        if (!m_key || RegOpenKeyExW(m_key.get(), m_section.c_str(), 0, KEY_READ, section.put()) != ERROR_SUCCESS)
            return std::nullopt;
        const std::wstring valueName = toWide(name);
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(section.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        if (size == 0)
            return std::string();
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            throw ESettingsStoreError("Tipo de dato inválido para " + quotedName(name));
        // One unit more, for a value stored without its terminating zero or with an odd byte count.
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
        DWORD fetched = size;
        if (RegQueryValueExW(section.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                             &fetched)
                != ERROR_SUCCESS
            || (type != REG_SZ && type != REG_EXPAND_SZ))
            throw ESettingsStoreError("Error al leer " + quotedName(name));
        // Up to the first zero: an expandable string is not expanded.
        return toUtf8(std::wstring_view(data.data()).substr(0, fetched / sizeof(wchar_t)));
    }

    void writeText(std::string_view name, std::string_view text) override
    {
        UniqueKey section;
        if (!m_key
            || RegCreateKeyExW(m_key.get(), m_section.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, section.put(),
                               nullptr)
                != ERROR_SUCCESS)
            throw ESettingsStoreError("Error al crear la llave " + m_sectionName);
        const std::wstring data = toWide(text);
        const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
        if (RegSetValueExW(section.get(), toWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                           bytes)
            != ERROR_SUCCESS)
            throw ESettingsStoreError("Error al guardar " + quotedName(name));
    }

    // Without forcing the registry to the disk.
    void close() override { m_key.reset(); }

private:
    UniqueKey m_key;
    std::string m_sectionName;
    std::wstring m_section;
};

} // namespace

RegistrySettingsStore::RegistrySettingsStore(std::wstring keyPath, HKEY root)
    : m_keyPath(std::move(keyPath))
    , m_root(root)
{ }

std::wstring RegistrySettingsStore::programKeyPath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return L"Software\\" + toWide(StoredText::executableBaseName(toUtf8(path), "\\:"));
}

std::unique_ptr<ProgramKey> RegistrySettingsStore::openProgramKey(std::string_view section)
{
    UniqueKey key;
    if (RegCreateKeyExW(m_root, m_keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr)
        != ERROR_SUCCESS)
        key.reset();
    return std::make_unique<RegistryProgramKey>(std::move(key), section);
}
