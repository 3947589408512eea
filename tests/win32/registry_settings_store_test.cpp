#include "registry_settings_store.h"
#include "win32_testing.h"

#include <gtest/gtest.h>
#include <variant>
#include <vector>

using Win32Testing::ScratchKey;

namespace {

struct Refused
{
    std::string message;
};
using Read = std::variant<std::optional<std::string>, Refused>;

struct ReadCase
{
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
    Read expected;
};

std::vector<BYTE> utf16(const std::wstring& text, bool terminated = true)
{
    const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
    return {bytes, bytes + (text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t)};
}

class RegistryRead : public testing::TestWithParam<ReadCase>
{
};

TEST_P(RegistryRead, GivesTheTextOfStringsAndRefusesOtherTypes)
{
    const ReadCase& row = GetParam();
    const ScratchKey scratch(L"Read");
    scratch.write(L"Valor", row.type, row.data.data(), static_cast<DWORD>(row.data.size()));
    RegistrySettingsStore store(scratch.path());
    const std::unique_ptr<ProgramKey> key = store.openProgramKey("TFPral");
    if (const auto* refused = std::get_if<Refused>(&row.expected)) {
        try {
            (void)key->readText("Valor");
            ADD_FAILURE() << "read without error";
        } catch (const ESettingsStoreError& error) {
            EXPECT_EQ(error.message(), refused->message);
        }
    } else {
        EXPECT_EQ(key->readText("Valor"), std::get<std::optional<std::string>>(row.expected));
    }
    key->close();
}

INSTANTIATE_TEST_SUITE_P(
    , RegistryRead,
    testing::Values(
        ReadCase {"PlainString", REG_SZ, utf16(L"450,170,756,593"), std::optional<std::string>("450,170,756,593")},
        ReadCase {"AccentsAsUtf8", REG_SZ, utf16(L"C:\\Año\\ñ.mdb"), std::optional<std::string>("C:\\Año\\ñ.mdb")},
        ReadCase {"ExpandableNotExpanded", REG_EXPAND_SZ, utf16(L"%TEMP%\\a.mdb"),
                  std::optional<std::string>("%TEMP%\\a.mdb")},
        ReadCase {"UpToTheFirstZero", REG_SZ, utf16(std::wstring(L"True\0xx", 7)), std::optional<std::string>("True")},
        ReadCase {"WithoutItsZero", REG_SZ, utf16(L"True", false), std::optional<std::string>("True")},
        ReadCase {"OddByteCount", REG_SZ, {'T', 0, 'r'}, std::optional<std::string>("T")},
        ReadCase {"EmptyOfAnyType", REG_DWORD, {}, std::optional<std::string>("")},
        ReadCase {"Number", REG_DWORD, {5, 0, 0, 0}, Refused {"Tipo de dato inválido para 'Valor'"}},
        ReadCase {"Binary", REG_BINARY, {'T', 0}, Refused {"Tipo de dato inválido para 'Valor'"}},
        ReadCase {"StringList", REG_MULTI_SZ, utf16(std::wstring(L"a\0", 2)),
                  Refused {"Tipo de dato inválido para 'Valor'"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegistryStore, AbsentValueOrSectionGivesNothing)
{
    const ScratchKey scratch(L"Absent");
    RegistrySettingsStore store(scratch.path());
    const std::unique_ptr<ProgramKey> key = store.openProgramKey("TFPral");
    EXPECT_EQ(key->readText("FormVersion"), std::nullopt);
    scratch.writeText(L"Otro", L"x");
    EXPECT_EQ(key->readText("FormVersion"), std::nullopt);
    key->close();
}

TEST(RegistryStore, WritesPlainStringsWithTheirZero)
{
    const ScratchKey scratch(L"Write");
    RegistrySettingsStore store(scratch.path());
    const std::unique_ptr<ProgramKey> key = store.openProgramKey("TFPral");
    key->writeText("FilenameEdit1_FileName", "C:\\Año\\ñ.mdb");
    key->writeText("FilenameEdit2_FileName", "");
    key->close();
    const auto written = scratch.read(L"FilenameEdit1_FileName");
    ASSERT_TRUE(written);
    EXPECT_EQ(written->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(written->text, L"C:\\Año\\ñ.mdb");
    HKEY section = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, scratch.section().c_str(), 0, KEY_READ, &section), ERROR_SUCCESS);
    DWORD size = 0;
    DWORD type = 0;
    RegQueryValueExW(section, L"FilenameEdit2_FileName", nullptr, &type, nullptr, &size);
    RegCloseKey(section);
    EXPECT_EQ(size, sizeof(wchar_t)) << "the empty text and its zero";
}

TEST(RegistryStore, ProgramKeyIsNamedAfterTheExecutable)
{
    EXPECT_EQ(RegistrySettingsStore::programKeyPath(), L"Software\\registry_settings_store_test");
}

} // namespace
