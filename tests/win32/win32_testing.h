#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

// What the Windows tests share: waiting on the message loop, and the registry read and written by hand.
namespace Win32Testing {

// Runs the thread's messages until condition holds, for at most timeout; whether it held.
inline bool pumpUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::seconds(20))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// A program key of this test process alone, taken away with all below it when it goes.
class ScratchKey final
{
public:
    explicit ScratchKey(const std::wstring& name)
        : m_path(L"Software\\CribaxonTests\\" + name + L"-" + std::to_wstring(GetCurrentProcessId()))
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    }
    ~ScratchKey() { RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str()); }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    const std::wstring& path() const { return m_path; }
    std::wstring section() const { return m_path + L"\\TFPral"; }

    void write(const std::wstring& name, DWORD type, const void* data, DWORD size) const
    {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, section().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    void writeText(const std::wstring& name, const std::wstring& text, DWORD type = REG_SZ) const
    {
        write(name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    void writeNumber(const std::wstring& name, DWORD number) const { write(name, REG_DWORD, &number, sizeof(number)); }

    // The value's type and text, or nothing where it is absent.
    struct Value
    {
        DWORD type;
        std::wstring text;
    };
    std::optional<Value> read(const std::wstring& name) const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, section().c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return std::nullopt;
        wchar_t data[1024] {};
        DWORD size = sizeof(data) - sizeof(wchar_t);
        DWORD type = 0;
        const LSTATUS status
            = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS)
            return std::nullopt;
        return Value {type, data};
    }
    // The names of the section's values in the order the registry keeps them.
    std::vector<std::wstring> names() const
    {
        std::vector<std::wstring> names;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, section().c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return names;
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD length = 256;
            if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            names.emplace_back(name, length);
        }
        RegCloseKey(key);
        return names;
    }

private:
    std::wstring m_path;
};

} // namespace Win32Testing
