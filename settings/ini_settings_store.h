#pragma once

#include "posix_calls.h"
#include "settings_store.h"

#include <QString>

// The per-user settings store as an INI file a person can read and edit: the
// program key is the file, in the user's configuration folder, and each section
// one of its sections. A key takes its writes together when it closes: one
// lock, one read, one replacement of the file (StoreFile), and the file stays
// as it was where any of that fails.
class IniSettingsStore final : public SettingsStore
{
public:
    IniSettingsStore(QString filePath, const PosixCalls& calls);

    // "<configuration folder>/Software/<executable base name>.conf" of the running program.
    static QString programFilePath();

    const QString& filePath() const { return m_filePath; }
    const PosixCalls& calls() const { return m_calls; }

    std::unique_ptr<ProgramKey> openProgramKey(std::string_view section) override;

private:
    QString m_filePath;
    const PosixCalls& m_calls;
};
