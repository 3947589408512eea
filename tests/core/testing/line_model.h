#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The lines that a file's bytes hold, cut by the rules of the line files but
// written apart from LineReader, so that a test can hold one against the other.
std::vector<std::string> linesOf(std::string_view bytes);

// An invariant that did not hold; a fuzzer ends with it as a finding.
class BrokenInvariant : public std::logic_error
{
public:
    using std::logic_error::logic_error;
};

// Throws BrokenInvariant naming the invariant when the condition is false.
void require(bool condition, const char* invariant);
