// What the Windows build's programs rely on from the toolchain and from Wine: wide file names, share modes, the
// posix thread model's std::thread.
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include <windows.h>

namespace {

class ScratchFolder : public testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH + 1];
        ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
        folder_ = std::wstring(temp) + L"toolchain_probe_" + std::to_wstring(GetCurrentProcessId()) + L"_"
            + std::to_wstring(GetTickCount64());
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr)) << GetLastError();
    }

    void TearDown() override
    {
        for (const HANDLE handle : handles_)
            CloseHandle(handle);
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileW((folder_ + L"\\" + found.cFileName).c_str());
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder_.c_str());
    }

    // The handle, closed at the end of the test, or INVALID_HANDLE_VALUE with GetLastError's code in error.
    HANDLE open(const std::wstring& name, DWORD access, DWORD share, DWORD disposition, DWORD& error)
    {
        SetLastError(0);
        const HANDLE handle = CreateFileW((folder_ + L"\\" + name).c_str(), access, share, nullptr, disposition,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        error = GetLastError();
        if (handle != INVALID_HANDLE_VALUE)
            handles_.push_back(handle);
        return handle;
    }

    std::wstring folder_;
    std::vector<HANDLE> handles_;
};

using WideNames = ScratchFolder;

TEST_F(WideNames, NameOutsideTheCodePageIsStoredAsGiven)
{
    // Neither 1252 nor 437 has these letters: an ANSI call anywhere on the way would turn them into '?'.
    const std::wstring name = L"\u00f1and\u00fa \u03a3 \u65e5\u672c.mdb";
    DWORD error = 0;
    ASSERT_NE(open(name, GENERIC_WRITE, 0, CREATE_NEW, error), INVALID_HANDLE_VALUE) << error;

    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder_ + L"\\*.mdb").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << GetLastError();
    FindClose(search);
    EXPECT_EQ(std::wstring(found.cFileName), name);
}

using ShareModes = ScratchFolder;

TEST_F(ShareModes, SecondOpenIsRefusedWhatTheFirstDoesNotShare)
{
    struct Case
    {
        DWORD share;
        DWORD access;
        DWORD error;
    };
    const Case cases[] = {
        {FILE_SHARE_READ, GENERIC_WRITE, ERROR_SHARING_VIOLATION},
        {FILE_SHARE_READ, GENERIC_READ, ERROR_SUCCESS},
        {0, GENERIC_READ, ERROR_SHARING_VIOLATION},
        {FILE_SHARE_READ | FILE_SHARE_WRITE, GENERIC_WRITE, ERROR_SUCCESS},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(index);
        const std::wstring name = L"shared" + std::to_wstring(index++);
        DWORD error = 0;
        ASSERT_NE(open(name, GENERIC_READ | GENERIC_WRITE, c.share, CREATE_NEW, error), INVALID_HANDLE_VALUE) << error;
        const HANDLE second = open(name, c.access, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, error);
        EXPECT_EQ(second == INVALID_HANDLE_VALUE, c.error != ERROR_SUCCESS);
        if (c.error != ERROR_SUCCESS) {
            EXPECT_EQ(error, c.error);
        }
    }
}

TEST(Threads, WorkersShareAMutex)
{
    // The win32 thread model's libstdc++ has neither std::thread nor std::mutex: this would not compile with it.
    std::mutex mutex;
    long total = 0;
    std::atomic<int> started {0};
    std::vector<std::thread> workers;
    for (int i = 0; i < 4; ++i)
        workers.emplace_back([&] {
            ++started;
            for (int n = 0; n < 10000; ++n) {
                const std::lock_guard<std::mutex> lock(mutex);
                ++total;
            }
        });
    for (std::thread& worker : workers)
        worker.join();
    EXPECT_EQ(started.load(), 4);
    EXPECT_EQ(total, 40000);
}

} // namespace
