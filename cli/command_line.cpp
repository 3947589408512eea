#include "command_line.h"

#include "category_table.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

const char* const HelpText = "Uso: cribaxon-filter [OPCIÓN]... ORIGEN DESTINO\n"
                             "     cribaxon-filter --count ORIGEN\n"
                             "Genera en DESTINO una copia filtrada del fichero de puntos ORIGEN\n"
                             "(Pitovan \".mdb\" o Rumbelo \".txt\", ambos de la misma familia).\n"
                             "Los nombres se usan tal como se dan, comillas dobles incluidas.\n"
                             "Cómo es un fichero válido de cada familia: «man cribaxon-filter».\n"
                             "\n"
                             "  -k, --keep=LISTA   categorías que se conservan (por omisión, todas)\n"
                             "  -s, --speed=LISTA  categorías que conservan el aviso de límite de velocidad\n"
                             "                     (solo Pitovan; por omisión, todas)\n"
                             "      --summary      tras generar, una línea por categoría con los registros\n"
                             "                     conservados, descartados y sin velocidad\n"
                             "      --count        solo cuenta los registros de ORIGEN por categoría;\n"
                             "                     no escribe nada\n"
                             "  -q, --quiet        no escribe el mensaje de fin\n"
                             "  -h, --help         muestra esta ayuda y termina\n"
                             "      --version      muestra la versión y termina\n"
                             "\n"
                             "LISTA: identificadores separados por comas, sin distinguir mayúsculas:\n"
                             "  RF radares fijos, RM radares móviles, TC tramos controlados,\n"
                             "  PP puntos peligrosos, PN puntos negros, ZE zonas de niños.\n"
                             "  Una LISTA vacía no selecciona ninguna.\n"
                             "\n"
                             "Estado de salida:\n"
                             "  0  fichero generado (con --count, origen contado)\n"
                             "  1  nombre de fichero o cabecera de ORIGEN rechazados\n"
                             "  2  uso incorrecto: opción o categoría desconocida, opción sin su valor,\n"
                             "     falta o sobra un fichero, o --count con opciones de filtro\n"
                             "  3  error al abrir, crear, leer, escribir o cerrar un fichero,\n"
                             "     o al escribir en la salida estándar\n";

const char* const TryHelpLine = "Pruebe «cribaxon-filter --help» para más información.";

namespace {

using Flags = std::array<bool, PointCategoryCount>;

enum class Option
{
    Keep,
    Speed,
    Summary,
    Count,
    Quiet,
    Help,
    Version,
};

struct OptionName
{
    Option option;
    const char* name;
    char letter; // '\0': no short form
    bool takesValue;
};

constexpr std::array<OptionName, 7> Options {{
    {Option::Keep, "keep", 'k', true},
    {Option::Speed, "speed", 's', true},
    {Option::Summary, "summary", '\0', false},
    {Option::Count, "count", '\0', false},
    {Option::Quiet, "quiet", 'q', false},
    {Option::Help, "help", 'h', false},
    {Option::Version, "version", '\0', false},
}};

std::string quoted(std::string_view text)
{
    return "«" + std::string(text) + "»";
}

std::string longName(const OptionName& option)
{
    return std::string("--") + option.name;
}

bool equalsIgnoringCase(std::string_view text, std::string_view identifier)
{
    return std::equal(text.begin(), text.end(), identifier.begin(), identifier.end(),
                      [](char a, char b) { return (a >= 'a' && a <= 'z' ? a - 'a' + 'A' : a) == b; });
}

// Empty items are passed over, so "RF,PN," is as good as "RF,PN".
std::variant<Flags, CommandLineError> parseList(std::string_view list)
{
    Flags flags {};
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string_view item = list.substr(start, comma - start);
        if (!item.empty()) {
            const auto found = std::ranges::find_if(
                CategoryTable, [&](const CategoryFacts& facts) { return equalsIgnoringCase(item, facts.identifier); });
            if (found == CategoryTable.end())
                return CommandLineError {"categoría desconocida " + quoted(item)};
            flags[static_cast<std::size_t>(found->category)] = true;
        }
        start = comma + 1;
    }
    return flags;
}

class Parser
{
public:
    explicit Parser(const std::vector<std::string>& arguments)
        : m_arguments(arguments)
    {
        for (const PointCategory category : PointCategories) {
            m_commandLine.options.setKeeps(category, true);
            m_commandLine.options.setKeepsSpeedWarning(category, true);
        }
    }

    std::variant<CommandLine, CommandLineError> parse();

private:
    using Step = std::optional<CommandLineError>;

    Step longOption(std::string_view text);
    Step shortOptions(std::string_view argument);
    Step valueFromNextArgument(const OptionName& option, const std::string& spelled);
    Step apply(const OptionName& option, std::string_view value);
    std::variant<CommandLine, CommandLineError> withOperands();

    const std::vector<std::string>& m_arguments;
    std::size_t m_index = 0;
    CommandLine m_commandLine;
    std::vector<std::string> m_operands;
    std::string m_filterOption; // the first one given, for --count to refuse
    bool m_optionsEnded = false;
    bool m_stopped = false; // --help or --version met
};

std::variant<CommandLine, CommandLineError> Parser::parse()
{
    for (; m_index < m_arguments.size() && !m_stopped; ++m_index) {
        const std::string& argument = m_arguments[m_index];
        Step step;
        if (m_optionsEnded || argument == "-" || !argument.starts_with('-'))
            m_operands.push_back(argument);
        else if (argument == "--")
            m_optionsEnded = true;
        else if (argument.starts_with("--"))
            step = longOption(std::string_view(argument).substr(2));
        else
            step = shortOptions(argument);
        if (step)
            return *step;
    }
    if (m_stopped)
        return m_commandLine;
    return withOperands();
}

// A long option may be shortened to any beginning that no other option shares.
Parser::Step Parser::longOption(std::string_view text)
{
    const std::size_t equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    std::vector<const OptionName*> matches;
    for (const OptionName& option : Options) {
        if (!name.empty() && std::string_view(option.name).starts_with(name))
            matches.push_back(&option);
    }
    const std::string argument = "--" + std::string(text);
    if (matches.empty())
        return CommandLineError {"opción no reconocida " + quoted(argument)};
    if (matches.size() > 1) {
        std::string reason = "la opción " + quoted(argument) + " es ambigua; posibilidades:";
        // Appended, not `" " + quoted(…)`: that trips GCC 12's -Wrestrict at -O3.
        for (const OptionName* option : matches)
            reason.append(" ").append(quoted(longName(*option)));
        return CommandLineError {reason};
    }
    const OptionName& option = *matches.front();
    if (equals == std::string_view::npos)
        return option.takesValue ? valueFromNextArgument(option, longName(option)) : apply(option, {});
    if (!option.takesValue)
        return CommandLineError {"la opción " + quoted(longName(option)) + " no admite argumentos"};
    return apply(option, text.substr(equals + 1));
}

// Letters may share one argument (-qkRF): the value of -k or -s is the rest of
// the argument, or the next argument when nothing follows the letter.
Parser::Step Parser::shortOptions(std::string_view argument)
{
    for (std::size_t i = 1; i < argument.size() && !m_stopped; ++i) {
        const std::string spelled {'-', argument[i]};
        const auto option = std::find_if(Options.begin(), Options.end(),
                                         [&](const OptionName& o) { return o.letter == argument[i]; });
        if (option == Options.end())
            return CommandLineError {"opción no reconocida " + quoted(spelled)};
        if (!option->takesValue) {
            if (Step step = apply(*option, {}))
                return step;
        } else if (i + 1 < argument.size()) {
            return apply(*option, argument.substr(i + 1));
        } else {
            return valueFromNextArgument(*option, spelled);
        }
    }
    return std::nullopt;
}

Parser::Step Parser::valueFromNextArgument(const OptionName& option, const std::string& spelled)
{
    if (m_index + 1 == m_arguments.size())
        return CommandLineError {"la opción " + quoted(spelled) + " requiere un argumento"};
    return apply(option, m_arguments[++m_index]);
}

Parser::Step Parser::apply(const OptionName& option, std::string_view value)
{
    const bool filterOption
        = option.option == Option::Keep || option.option == Option::Speed || option.option == Option::Summary;
    if (filterOption && m_filterOption.empty())
        m_filterOption = longName(option);
    switch (option.option) {
    case Option::Keep:
    case Option::Speed: {
        auto flags = parseList(value);
        if (auto* error = std::get_if<CommandLineError>(&flags))
            return *error;
        const auto set = option.option == Option::Keep ? &RunOptions::setKeeps : &RunOptions::setKeepsSpeedWarning;
        for (const PointCategory category : PointCategories)
            (m_commandLine.options.*set)(category, std::get<Flags>(flags)[static_cast<std::size_t>(category)]);
        m_commandLine.speedGiven = m_commandLine.speedGiven || option.option == Option::Speed;
        break;
    }
    case Option::Summary:
        m_commandLine.summary = true;
        break;
    case Option::Quiet:
        m_commandLine.quiet = true;
        break;
    case Option::Count:
        m_commandLine.action = CommandLine::Action::Count;
        break;
    case Option::Help:
    case Option::Version:
        m_commandLine.action = option.option == Option::Help ? CommandLine::Action::Help : CommandLine::Action::Version;
        m_stopped = true;
        break;
    }
    return std::nullopt;
}

std::variant<CommandLine, CommandLineError> Parser::withOperands()
{
    if (m_commandLine.action == CommandLine::Action::Count) {
        // Counting writes nothing, so the options of a filter make no sense with it.
        if (!m_filterOption.empty())
            return CommandLineError {quoted("--count") + " no se combina con " + quoted(m_filterOption)};
        if (m_operands.empty())
            return CommandLineError {"falta ORIGEN"};
        if (m_operands.size() > 1)
            return CommandLineError {"sobra el operando " + quoted(m_operands[1])};
        m_commandLine.source = m_operands[0];
        return m_commandLine;
    }
    if (m_operands.empty())
        return CommandLineError {"faltan ORIGEN y DESTINO"};
    if (m_operands.size() == 1)
        return CommandLineError {"falta DESTINO después de " + quoted(m_operands[0])};
    if (m_operands.size() > 2)
        return CommandLineError {"sobra el operando " + quoted(m_operands[2])};

    m_commandLine.source = m_operands[0];
    m_commandLine.destination = m_operands[1];
    return m_commandLine;
}

} // namespace

std::variant<CommandLine, CommandLineError> parseCommandLine(const std::vector<std::string>& arguments)
{
    return Parser(arguments).parse();
}
