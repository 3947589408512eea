#include "filter_command.h"
#include "write_signals.h"

int main(int argc, char* argv[])
{
    ignoreWriteSignals();
    return runFilterCommand({argv + 1, argv + argc}, stdout, stderr);
}
