#include "diagnostics.h"

#include "command_line.h"
#include "full_stop.h"

std::string diagnosticText(std::string_view text)
{
    std::string result;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        result.append(ProgramName).append(line.empty() ? "" : ": ").append(line).append("\n");
        start = end + 1;
    }
    return result;
}

std::string fileFailureText(std::string_view message, std::string_view fileName)
{
    std::string text;
    if (!fileName.empty())
        text.append("«").append(fileName).append("»: ");
    return diagnosticText(text + withFullStop(message));
}

std::string usageErrorText(std::string_view reason)
{
    return diagnosticText(std::string(reason) + "\n" + TryHelpLine);
}
