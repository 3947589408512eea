#include "in_out_error.h"

#include <algorithm>

namespace {

struct CodeMessage
{
    std::int32_t code;
    const char* message;
};

// The codes with a message of their own; every other code reads "Error de E/S" and its number.
constexpr CodeMessage Messages[] = {
    {InOutCode::FileNotFound, "No se encuentra el archivo"},
    {InOutCode::PathNotFound, "Nombre de archivo inválido"},
    {InOutCode::TooManyOpenFiles, "Demasiados archivos abiertos"},
    {InOutCode::AccessDenied, "Acceso al archivo denegado"},
    {InOutCode::ReadBeyondEnd, "Se intenta leer después del fin del archivo"},
    {InOutCode::DiskWriteError, "Disco lleno"},
    {InOutCode::InvalidNumericInput, "Valor numérico de entrada inválido"},
};

} // namespace

EInOutError::EInOutError(std::int32_t code, std::string fileName)
    : Exception(messageFor(code))
    , m_code(code)
    , m_fileName(std::move(fileName))
{ }

std::string EInOutError::messageFor(std::int32_t code)
{
    const auto found = std::ranges::find(Messages, code, &CodeMessage::code);
    return found == std::end(Messages) ? "Error de E/S " + std::to_string(code) : found->message;
}
