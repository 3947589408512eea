#include "console_reporter.h"

#include <algorithm>

std::string ConsoleReporter::consoleText() const
{
    std::string text = m_message;
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text + '\n';
}
