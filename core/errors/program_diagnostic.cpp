#include "program_diagnostic.h"

#include <algorithm>

std::string programDiagnostic(std::string_view program, std::string_view text)
{
    std::string result;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        result.append(program).append(line.empty() ? "" : ": ").append(line).append("\n");
        start = end + 1;
    }
    return result;
}
