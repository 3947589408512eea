#include "in_out_error.h"

#include <gtest/gtest.h>

namespace {

struct MessageCase
{
    std::int32_t code;
    const char* message;
};

class InOutErrorMessage : public testing::TestWithParam<MessageCase>
{
};

TEST_P(InOutErrorMessage, ComesFromTheTableOrTheGenericForm)
{
    const EInOutError error(GetParam().code);
    EXPECT_EQ(error.code(), GetParam().code);
    EXPECT_EQ(error.message(), GetParam().message);
    EXPECT_STREQ(error.what(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    , InOutErrorMessage,
    testing::Values(MessageCase {2, "No se encuentra el archivo"}, MessageCase {3, "Nombre de archivo inválido"},
                    MessageCase {4, "Demasiados archivos abiertos"}, MessageCase {5, "Acceso al archivo denegado"},
                    MessageCase {100, "Se intenta leer después del fin del archivo"}, MessageCase {101, "Disco lleno"},
                    MessageCase {106, "Valor numérico de entrada inválido"}, MessageCase {32, "Error de E/S 32"},
                    MessageCase {103, "Error de E/S 103"}, MessageCase {112, "Error de E/S 112"},
                    MessageCase {0, "Error de E/S 0"}, MessageCase {-5, "Error de E/S -5"},
                    MessageCase {1117, "Error de E/S 1117"}));

TEST(InOutError, CarriesTheFileNameApartFromTheMessage)
{
    const EInOutError error(5, "rodir/zz.mdb");
    EXPECT_EQ(error.fileName(), "rodir/zz.mdb");
    EXPECT_EQ(error.message(), "Acceso al archivo denegado");
    EXPECT_EQ(EInOutError(103).fileName(), "");
}

} // namespace
