#include "diagnostics.h"

#include "command_line.h"
#include "full_stop.h"
#include "program_diagnostic.h"

std::string diagnosticText(std::string_view text)
{
    return programDiagnostic(ProgramName, text);
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
