#include "user_message.h"

#include "exception.h"

#include <new>

std::string userMessage(const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return OutOfMemoryMessage;
    } catch (const Exception& error) {
        return error.message();
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return UnexpectedFailureMessage;
    }
}
