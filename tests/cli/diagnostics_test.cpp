#include "diagnostics.h"

#include <gtest/gtest.h>

namespace {

// The run's failures do not yet say which file failed; when one does, its name leads, as cp words it.
TEST(FileFailureText, NamesTheFileBeforeTheMessage)
{
    EXPECT_EQ(fileFailureText("Acceso al archivo denegado", "rodir/zz.mdb"),
              "cribaxon-filter: «rodir/zz.mdb»: Acceso al archivo denegado.\n");
}

} // namespace
