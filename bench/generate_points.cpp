// Writes a synthetic point file for the benchmarks: a valid header, then
// records of mixed categories with realistic lengths, each line ended by CR LF.
//
//   generate_points pitovan|rumbelo RECORDS FILE [SEED]

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// xorshift64*: the same seed gives the same file on every machine.
class Random final
{
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed ? seed : 1)
    { }

    std::uint64_t next()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 0x2545F4914F6CDD1DULL;
    }
    unsigned below(unsigned bound) { return static_cast<unsigned>(next() % bound); }

private:
    std::uint64_t m_state;
};

void appendDigits(std::string& line, Random& random, int count)
{
    for (int i = 0; i < count; ++i)
        line += static_cast<char>('0' + random.below(10));
}

void appendHex(std::string& line, Random& random, int count)
{
    static constexpr std::string_view Hex = "0123456789ABCDEF";
    for (int i = 0; i < count; ++i)
        line += Hex[random.below(16)];
}

// Longitude and latitude in 14 characters, as both families start their records.
void appendPosition(std::string& line, Random& random)
{
    line += random.below(2) ? '-' : '+';
    appendDigits(line, random, 6);
    line += '+';
    appendDigits(line, random, 6);
}

// Every category, its two codes for controlled stretches included, and now and
// then a code of no category, which the filter drops.
char pitovanType(Random& random)
{
    static constexpr std::string_view Types = "11112223345556778";
    return Types[random.below(static_cast<unsigned>(Types.size()))];
}

std::string_view rumbeloCode(Random& random)
{
    static constexpr std::array<std::string_view, 12> Codes {"06", "06", "06", "07", "07", "08",
                                                             "0D", "09", "09", "0A", "0B", "0C"};
    return Codes[random.below(Codes.size())];
}

void pitovanRecord(std::string& line, Random& random)
{
    appendPosition(line, random);
    line += static_cast<char>('0' + random.below(10));
    line += pitovanType(random);
    // Heading, speed limit and a short tail: 14 to 24 characters more.
    appendDigits(line, random, 3);
    line += ' ';
    appendDigits(line, random, 3);
    line += ' ';
    appendHex(line, random, 6 + static_cast<int>(random.below(11)));
}

void rumbeloRecord(std::string& line, Random& random, std::uint64_t index)
{
    if (index % 40 == 39) {
        line += "FFFFFFFFFF";
        appendHex(line, random, 14);
        return;
    }
    appendPosition(line, random);
    line += rumbeloCode(random);
    appendHex(line, random, 8 + static_cast<int>(random.below(9)));
}

int usage()
{
    std::fputs("uso: generate_points pitovan|rumbelo REGISTROS FICHERO [SEMILLA]\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4 || argc > 5)
        return usage();
    const std::string_view family = argv[1];
    if (family != "pitovan" && family != "rumbelo")
        return usage();
    const bool pitovan = family == "pitovan";
    char* end = nullptr;
    const std::uint64_t records = std::strtoull(argv[2], &end, 10);
    if (*end != '\0')
        return usage();
    Random random(argc == 5 ? std::strtoull(argv[4], nullptr, 10) : 20240101);

    std::FILE* file = std::fopen(argv[3], "wb");
    if (!file) {
        std::perror(argv[3]);
        return 1;
    }
    static char buffer[1 << 20];
    std::setvbuf(file, buffer, _IOFBF, sizeof buffer);

    std::string line = pitovan ? "574C0003PITOVAN GENERADO" : "4348 RUMBELO GENERADO";
    line += "\r\n";
    if (!pitovan)
        line += "V2 20240101 0000\r\n";
    std::fwrite(line.data(), 1, line.size(), file);
    for (std::uint64_t i = 0; i < records; ++i) {
        line.clear();
        if (pitovan)
            pitovanRecord(line, random);
        else
            rumbeloRecord(line, random, i);
        line += "\r\n";
        std::fwrite(line.data(), 1, line.size(), file);
    }
    if (std::fclose(file) != 0) {
        std::perror(argv[3]);
        return 1;
    }
    return 0;
}
