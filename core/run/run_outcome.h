#pragma once

#include <string_view>

// How a run ended, short of a file failure, and what it told the user.
enum class RunOutcome
{
    Completed,
    SourceNameRejected,
    DestinationNameRejected,
    HeaderRejected,
};

namespace RunMessage {
inline constexpr std::string_view SourceNameRejected = "No ha seleccionado un fichero origen de datos válido!";
inline constexpr std::string_view DestinationNameRejected = "No ha seleccionado un fichero final de datos válido!";
inline constexpr std::string_view PitovanHeaderRejected = "¡Fichero de Pitovan no válido!";
inline constexpr std::string_view RumbeloHeaderRejected = "¡Fichero de Rumbelo no válido!";
inline constexpr std::string_view Completed = "¡¡Fichero finalizado!!\r\rEste nuevo fichero de datos le servirá\r"
                                              "para cargar su Rumbelo o Pitovan con\rlos datos que Vd. desea.";
} // namespace RunMessage
