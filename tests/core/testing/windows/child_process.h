#pragma once

#include <string>
#include <vector>
#include <windows.h>

// Another program, started as Windows starts one, for the tests that need a second process.

// The program of that name in the folder of the running test program.
std::wstring besideThisProgram(const std::wstring& name);

// The program and its arguments as one command line, quoted so that the
// program's C run-time gives each argument back as it is.
std::wstring commandLine(const std::wstring& program, const std::vector<std::wstring>& arguments);

// Starts it with these standard handles (inherited; null for none) in the folder
// (empty: this process's); returns the process's handle, or null.
HANDLE startProgram(const std::wstring& commandLine, HANDLE input, HANDLE output, HANDLE error,
                    const std::wstring& folder = {});

// Waits for the process to end, closes its handle and returns its exit status.
DWORD waitForExit(HANDLE process);
