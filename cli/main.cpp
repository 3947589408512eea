#include "filter_command.h"
#include "posix_file_system.h"
#include "write_signals.h"

int main(int argc, char* argv[])
{
    ignoreWriteSignals();
    PosixFileSystem files(PosixCalls::system());
    return runFilterCommand({argv + 1, argv + argc}, files, stdout, stderr);
}
