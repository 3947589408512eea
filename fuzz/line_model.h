#pragma once

#include <string>
#include <string_view>
#include <vector>

// The lines that a file's bytes hold, cut by the rules of the line files but
// written apart from LineReader, so that the fuzzers can hold one against the other.
std::vector<std::string> linesOf(std::string_view bytes);

// Stops the fuzzer with a finding when an invariant does not hold.
void require(bool condition, const char* invariant);
