#pragma once

#include <string>
#include <string_view>

// The text of an error as the error box shows it: a "." is added when the
// message ends in a character that sorts after "." (a letter, a digit, ":" …).
std::string withFullStop(std::string_view message);
