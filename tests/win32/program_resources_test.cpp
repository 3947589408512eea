#include "resource_ids.h"
#include "windows_api.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The resources every program of the window carries, this test's too: the version the user reads in the
// file's properties, and the icon.
std::vector<BYTE> versionInfo()
{
    wchar_t path[MAX_PATH] {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::vector<BYTE> info(GetFileVersionInfoSizeW(path, nullptr));
    if (!info.empty())
        GetFileVersionInfoW(path, 0, static_cast<DWORD>(info.size()), info.data());
    return info;
}

struct StringCase
{
    const char* name;
    const wchar_t* value;
};

class VersionStrings : public testing::TestWithParam<StringCase>
{
};

TEST_P(VersionStrings, InSpanishOfSpain)
{
    std::vector<BYTE> info = versionInfo();
    ASSERT_FALSE(info.empty());
    const std::wstring key = std::wstring(L"\\StringFileInfo\\0C0A04B0\\")
        + std::wstring(GetParam().name, GetParam().name + std::char_traits<char>::length(GetParam().name));
    wchar_t* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length));
    EXPECT_EQ(std::wstring(value), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    , VersionStrings,
    testing::Values(StringCase {"FileDescription", L"Generardor de ficheros con filtro por tipos de puntos"},
                    StringCase {"FileVersion", L"1.0.0.0"}, StringCase {"ProductVersion", L"1.0.0.0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramResources, FixedVersionAndLanguage)
{
    std::vector<BYTE> info = versionInfo();
    ASSERT_FALSE(info.empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    WORD* translation = nullptr;
    ASSERT_TRUE(
        VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(translation[0], 0x0C0A);
}

TEST(ProgramResources, IconOf32PixelsIn16Colours)
{
    const auto icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(CRIBAXON_ICON), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO parts {};
    ASSERT_TRUE(GetIconInfo(icon, &parts));
    BITMAP colours {};
    GetObjectW(parts.hbmColor, sizeof(colours), &colours);
    EXPECT_EQ(colours.bmWidth, 32);
    EXPECT_EQ(colours.bmHeight, 32);
    DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    DestroyIcon(icon);
}

} // namespace
