#include "command_line.h"

#include <algorithm>
#include <array>

const char* const UsageText = "Uso: cribaxon-filter [--keep=LISTA] [--speed=LISTA] [--summary] ORIGEN DESTINO\n"
                              "     cribaxon-filter --count ORIGEN\n"
                              "Pruebe «cribaxon-filter --help» para más información.\n";

const char* const HelpText = "Uso: cribaxon-filter [--keep=LISTA] [--speed=LISTA] [--summary] ORIGEN DESTINO\n"
                             "     cribaxon-filter --count ORIGEN\n"
                             "Genera en DESTINO una copia filtrada del fichero de puntos ORIGEN\n"
                             "(Pitovan \".mdb\" o Rumbelo \".txt\", ambos de la misma familia).\n"
                             "Cómo es un fichero válido de cada familia: «man cribaxon-filter».\n"
                             "\n"
                             "  -k, --keep=LISTA   categorías que se conservan (por omisión, todas)\n"
                             "  -s, --speed=LISTA  categorías que conservan el aviso de límite de velocidad\n"
                             "                     (solo Pitovan; por omisión, todas)\n"
                             "      --summary      tras generar, cuenta por categoría los registros\n"
                             "                     conservados, descartados y sin velocidad\n"
                             "      --count        solo cuenta los registros de ORIGEN por categoría;\n"
                             "                     no escribe nada\n"
                             "      --help         muestra esta ayuda y termina\n"
                             "      --version      muestra la versión y termina\n"
                             "\n"
                             "LISTA: identificadores separados por comas, sin distinguir mayúsculas:\n"
                             "  RF radares fijos, RM radares móviles, TC tramos controlados,\n"
                             "  PP puntos peligrosos, PN puntos negros, ZE zonas de niños.\n"
                             "  Una LISTA vacía no selecciona ninguna.\n"
                             "\n"
                             "Estado de salida: 0 fichero generado, 1 nombre o cabecera rechazados,\n"
                             "2 uso incorrecto, 3 error de archivo.\n";

namespace {

using Flags = std::array<bool, PointCategoryCount>;

constexpr std::array<const char*, PointCategoryCount> Identifiers {"RF", "RM", "TC", "PP", "PN", "ZE"};

bool equalsIgnoringCase(const std::string& text, const char* identifier)
{
    return std::equal(text.begin(), text.end(), identifier, identifier + std::char_traits<char>::length(identifier),
                      [](char a, char b) { return (a >= 'a' && a <= 'z' ? a - 'a' + 'A' : a) == b; });
}

// Empty items are passed over, so "RF,PN," is as good as "RF,PN".
std::optional<Flags> parseList(const std::string& list)
{
    Flags flags {};
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string item = list.substr(start, comma - start);
        if (!item.empty()) {
            const auto found = std::find_if(Identifiers.begin(), Identifiers.end(),
                                            [&](const char* id) { return equalsIgnoringCase(item, id); });
            if (found == Identifiers.end())
                return std::nullopt;
            flags[static_cast<std::size_t>(found - Identifiers.begin())] = true;
        }
        start = comma + 1;
    }
    return flags;
}

// Recognises "--name=VALUE", "--name VALUE", "-xVALUE" and "-x VALUE"; false when
// the argument is another option. A missing value leaves value empty.
bool matchOption(const std::vector<std::string>& arguments, std::size_t& index, const std::string& name, char letter,
                 std::optional<std::string>& value)
{
    const std::string& argument = arguments[index];
    const std::string longForm = "--" + name;
    const std::string shortForm {'-', letter};
    if (argument.starts_with(longForm + "=")) {
        value = argument.substr(longForm.size() + 1);
    } else if (argument == longForm || argument == shortForm) {
        if (index + 1 < arguments.size())
            value = arguments[++index];
    } else if (argument.size() > 2 && argument.starts_with(shortForm)) {
        value = argument.substr(2);
    } else {
        return false;
    }
    return true;
}

} // namespace

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine commandLine;
    Flags keep, speed;
    keep.fill(true);
    speed.fill(true);
    std::vector<std::string> operands;
    bool optionsEnded = false;
    bool filterOptions = false;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument == "-" || !argument.starts_with("-")) {
            operands.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help") {
            commandLine.action = CommandLine::Action::Help;
        } else if (argument == "--version") {
            commandLine.action = CommandLine::Action::Version;
        } else if (argument == "--count") {
            commandLine.action = CommandLine::Action::Count;
        } else if (argument == "--summary") {
            commandLine.summary = filterOptions = true;
        } else {
            std::optional<std::string> value;
            Flags* target = matchOption(arguments, i, "keep", 'k', value) ? &keep
                : matchOption(arguments, i, "speed", 's', value)          ? &speed
                                                                          : nullptr;
            const auto flags = value ? parseList(*value) : std::nullopt;
            if (!target || !flags)
                return std::nullopt;
            *target = *flags;
            filterOptions = true;
        }
    }
    if (commandLine.action == CommandLine::Action::Help || commandLine.action == CommandLine::Action::Version)
        return commandLine;
    if (commandLine.action == CommandLine::Action::Count) {
        // Counting writes nothing, so the options of a filter make no sense with it.
        if (operands.size() != 1 || filterOptions)
            return std::nullopt;
        commandLine.source = operands[0];
        return commandLine;
    }
    if (operands.size() != 2)
        return std::nullopt;

    commandLine.source = operands[0];
    commandLine.destination = operands[1];
    RunOptions& o = commandLine.options;
    o.RF = keep[0], o.RM = keep[1], o.TC = keep[2], o.PP = keep[3], o.PN = keep[4], o.ZE = keep[5];
    o.RF1 = speed[0], o.RM1 = speed[1], o.TC1 = speed[2], o.PP1 = speed[3], o.PN1 = speed[4], o.ZE1 = speed[5];
    return commandLine;
}
