#include "in_out_error.h"
#include "user_message.h"

#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

namespace {

struct FailureCase
{
    const char* name;
    std::exception_ptr failure;
    const char* message;
};

class UserMessage : public testing::TestWithParam<FailureCase>
{
};

TEST_P(UserMessage, SaysWhatFailedInTheUsersWords)
{
    EXPECT_EQ(userMessage(GetParam().failure), GetParam().message);
}

// Out of memory is told in Spanish before what() of any std::exception could show "std::bad_alloc".
INSTANTIATE_TEST_SUITE_P(
    , UserMessage,
    testing::Values(
        FailureCase {"OutOfMemory", std::make_exception_ptr(std::bad_alloc()), "Memoria insuficiente"},
        FailureCase {"ArrayTooLong", std::make_exception_ptr(std::bad_array_new_length()), "Memoria insuficiente"},
        FailureCase {"FileFailure", std::make_exception_ptr(EInOutError(InOutCode::AccessDenied)),
                     "Acceso al archivo denegado"},
        FailureCase {"StandardException", std::make_exception_ptr(std::runtime_error("disco roto")), "disco roto"},
        FailureCase {"AnythingElse", std::make_exception_ptr(42), "Error inesperado"}),
    [](const auto& info) { return info.param.name; });

} // namespace
