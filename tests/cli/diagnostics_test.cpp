#include "diagnostics.h"

#include <gtest/gtest.h>

namespace {

TEST(FileFailureText, NamesTheFileBeforeTheMessage)
{
    EXPECT_EQ(fileFailureText("Acceso al archivo denegado", "rodir/zz.mdb"),
              "cribaxon-filter: «rodir/zz.mdb»: Acceso al archivo denegado.\n");
    EXPECT_EQ(fileFailureText("Error de E/S 109"), "cribaxon-filter: Error de E/S 109.\n");
}

} // namespace
