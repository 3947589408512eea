#include "filter_command.h"
#include "posix_file_system.h"
#include "standard_descriptors.h"
#include "stream_output.h"
#include "write_signals.h"

int main(int argc, char* argv[])
{
    openClosedStandardDescriptors(PosixCalls::system());
    ignoreWriteSignals();
    PosixFileSystem files(PosixCalls::system());
    StreamOutput out(stdout);
    StreamOutput err(stderr);
    return runFilterCommand({argv + 1, argv + argc}, files, out, err);
}
