#pragma once

#include <gtest/gtest.h>

#include "tv_assert.h"

// A failed assertion of the plug-in is a failure of the test that ran into it, even when the
// job's failure path catches and reports it as the product does. Each test executable that
// links the plug-in includes this from one source file; a test that provokes an assertion on
// purpose swaps the handler for its own while it runs.
namespace test_support {

inline void FailTheRunningTest(const tav::AssertionFailure& failure)
{
    ADD_FAILURE() << failure.what();
}

inline const bool bAssertionsFailTests = (tav::SetAssertionHandler(&FailTheRunningTest), true);

} // namespace test_support
