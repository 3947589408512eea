#include "full_stop.h"

#include <gtest/gtest.h>

namespace {

struct StopCase
{
    const char* name;
    const char* message;
    const char* shown;
};

class FullStop : public testing::TestWithParam<StopCase>
{
};

TEST_P(FullStop, IsAddedAfterACharacterThatSortsAfterTheStop)
{
    EXPECT_EQ(withFullStop(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    , FullStop,
    testing::Values(StopCase {"Letter", "No se encuentra el archivo", "No se encuentra el archivo."},
                    StopCase {"Digit", "Error de E/S 32", "Error de E/S 32."},
                    StopCase {"AccentedLetter", "inválido", "inválido."}, StopCase {"Colon", "Error:", "Error:."},
                    StopCase {"Question", "¿Qué?", "¿Qué?."}, StopCase {"Slash", "a/", "a/."},
                    StopCase {"Stop", "Hecho.", "Hecho."},
                    StopCase {"Exclamation", "¡Fichero no válido!", "¡Fichero no válido!"},
                    StopCase {"Parenthesis", "(x)", "(x)"}, StopCase {"Comma", "a,", "a,"},
                    StopCase {"Hyphen", "a -", "a -"}, StopCase {"Space", "a ", "a "}, StopCase {"Empty", "", ""}),
    [](const auto& info) { return info.param.name; });

} // namespace
