#include "in_out_error.h"

EInOutError::EInOutError(std::int32_t code, std::string fileName)
    : Exception(messageFor(code))
    , m_code(code)
    , m_fileName(std::move(fileName))
{ }

std::string EInOutError::messageFor(std::int32_t code)
{
    switch (code) {
    case 2:
        return "No se encuentra el archivo";
    case 3:
        return "Nombre de archivo inválido";
    case 4:
        return "Demasiados archivos abiertos";
    case 5:
        return "Acceso al archivo denegado";
    case 100:
        return "Se intenta leer después del fin del archivo";
    case 101:
        return "Disco lleno";
    case 106:
        return "Valor numérico de entrada inválido";
    default:
        return "Error de E/S " + std::to_string(code);
    }
}
