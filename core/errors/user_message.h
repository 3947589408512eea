#pragma once

#include <exception>
#include <string>

// What the user is told of a failure whose kind nobody foresaw.
inline constexpr const char* UnexpectedFailureMessage = "Error inesperado";

// The text the user is shown for a caught exception, whatever it is: the place
// every front end turns a failure into words.
std::string userMessage(const std::exception_ptr& failure);
