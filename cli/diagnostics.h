#pragma once

#include <optional>
#include <string>
#include <string_view>

// What cribaxon-filter writes on standard error. Every line begins with the
// program's name, so that a batch log tells which program spoke.

inline constexpr std::string_view ProgramName = "cribaxon-filter";

// Each line of the text (lines end in '\n'; the last may lack it), prefixed.
std::string diagnosticText(std::string_view text);

// A failed file operation as the window's error box words it, after the name
// of the file it concerns, as cp names it; an empty name concerns no file.
std::string fileFailureText(std::string_view message, std::string_view fileName = {});

// What was wrong with the arguments, then where to read how they go.
std::string usageErrorText(std::string_view reason);
