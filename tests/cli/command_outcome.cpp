#include "command_outcome.h"

#include "filter_command.h"
#include "platform_files.h"

#include <filesystem>

namespace {

// An output whose text stays in memory.
class CaughtOutput final : public TextOutput
{
public:
    void write(std::string_view text) override { m_text += text; }
    std::int32_t finish() override { return 0; }

    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

} // namespace

Outcome runInProcess(const Arguments& arguments, const TemporaryFolder& folder)
{
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(pathOf(folder.path("")));
    CaughtOutput out;
    CaughtOutput err;
    const int status = runFilterCommand(arguments, platformFiles(), out, err);
    std::filesystem::current_path(before);
    return {true, status, out.text(), err.text()};
}
