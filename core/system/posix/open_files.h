#pragma once

#include <algorithm>
#include <vector>

// The files one file system holds open, by descriptor, each known from its
// opening to its release.
class OpenFiles final
{
public:
    enum class Access
    {
        Read,
        Write,
    };

    struct Held
    {
        int fd;
        Access access;
    };

    // One file known as held while this lives, or until release().
    class Registration final
    {
    public:
        Registration(OpenFiles& files, Held held)
            : m_files(&files)
            , m_fd(held.fd)
        {
            files.m_held.push_back(held);
        }
        Registration(const Registration&) = delete;
        Registration& operator=(const Registration&) = delete;
        ~Registration() { release(); }

        void release() noexcept
        {
            if (m_files)
                std::erase_if(m_files->m_held, [this](const Held& held) { return held.fd == m_fd; });
            m_files = nullptr;
        }

    private:
        OpenFiles* m_files;
        int m_fd;
    };

    const std::vector<Held>& held() const noexcept { return m_held; }

private:
    std::vector<Held> m_held;
};
