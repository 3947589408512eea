#pragma once

#include <string>
#include <string_view>

// What a program writes on standard error: each line of the text (lines end
// in '\n'; the last may lack it) after the program's name, so that a log
// tells which program spoke.
std::string programDiagnostic(std::string_view program, std::string_view text);
