#include "source_steps.h"

std::optional<PointFileKind> sourceKind(std::string_view sourceName, RunReporter& reporter)
{
    const auto kind = kindOfName(sourceName);
    if (!kind) {
        reporter.showMessage(RunMessage::SourceNameRejected);
        reporter.focusSourceField();
    }
    return kind;
}

bool headerAcceptedOrTold(PointFileKind kind, std::string_view firstLine, RunReporter& reporter)
{
    if (headerAccepted(kind, firstLine))
        return true;
    reporter.showMessage(kind == PointFileKind::Pitovan ? RunMessage::PitovanHeaderRejected
                                                        : RunMessage::RumbeloHeaderRejected);
    return false;
}

void closeAfter(std::exception_ptr failure, LineReader& source, LineWriter* destination)
{
    try {
        source.close();
    } catch (...) {
        if (!failure)
            failure = std::current_exception();
    }
    if (destination && destination->isOpen()) {
        try {
            destination->close();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    if (failure)
        std::rethrow_exception(failure);
}
