#pragma once

#include "exception.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// A failure of the settings store, with the message the user sees.
class ESettingsStoreError final : public Exception
{
public:
    using Exception::Exception;
};

// The program key of the per-user settings store, open for one restore or one
// save. Texts are UTF-8.
class ProgramKey
{
public:
    virtual ~ProgramKey() = default;

    // The text of a value of the section, or nothing when the section or the
    // value is absent. Raises "Tipo de dato inválido para '%s'" for a value
    // that is not text, "Error al leer '%s'" for one that cannot be fetched.
    virtual std::optional<std::string> readText(std::string_view name) const = 0;
    // Stores the text as a value of the section. Raises "Error al crear la llave
    // %s" when the section cannot be made, "Error al guardar '%s'" when the
    // value cannot be stored; a store may tell either only at close().
    virtual void writeText(std::string_view name, std::string_view text) = 0;
    // Closes the key; a store that keeps its writes until then makes them now,
    // all or none, and raises as writeText() does, naming the first value.
    virtual void close() = 0;
};

// The per-user settings store of the program.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // Opens the program key, creating it where it is missing: a failure shows
    // only at the first write.
    virtual std::unique_ptr<ProgramKey> openProgramKey(std::string_view section) = 0;
};
