#pragma once

// Ignores SIGPIPE and SIGXFSZ, for a program's main: a write into a pipe that
// nobody reads, or past `ulimit -f`, then fails with its code and its message,
// as a full disk does, instead of ending the program.
void ignoreWriteSignals();
