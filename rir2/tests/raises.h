// Test helper: the message of the RIR exception a call raises.
#ifndef RIR2_TESTS_RAISES_H
#define RIR2_TESTS_RAISES_H

#include <string>

// Runs f and returns the message of the exception of type E it raises, or "<nothing raised>".
// Exceptions of other types pass through and fail the test.
template <class E, class F> std::string messageOf(F f)
{
    try
    {
        f();
    }
    catch (const E& e)
    {
        return e.getMessage();
    }
    return "<nothing raised>";
}

#endif
