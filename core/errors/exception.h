#pragma once

#include <exception>
#include <string>

// What the user is told when a line or a message does not fit in memory.
inline constexpr const char* OutOfMemoryMessage = "Memoria insuficiente";

// Base of every error the user must see: it carries the text shown to them.
class Exception : public std::exception
{
public:
    explicit Exception(std::string message)
        : m_message(std::move(message))
    { }

    const std::string& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};
