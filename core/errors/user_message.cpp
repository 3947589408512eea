#include "user_message.h"

#include "exception.h"

#include <new>

std::string userMessage(const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return OutOfMemoryMessage;
    } catch (const std::exception& error) {
        // Exception, the base of the errors the user must see, answers with its message.
        return error.what();
    } catch (...) {
        return UnexpectedFailureMessage;
    }
}
