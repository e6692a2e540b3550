#pragma once

#include <QTest>
#include <gtest/gtest.h>

// Runs the event loop until the condition holds, for up to five seconds, and fails the test
// when it never does. (Qt's QTRY_ macros report to QTestLib, which a GoogleTest run ignores.)
#define EXPECT_EVENTUALLY(condition) \
    EXPECT_TRUE(QTest::qWaitFor([&] { return bool(condition); })) << "never became true: " #condition
#define ASSERT_EVENTUALLY(condition) \
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(condition); })) << "never became true: " #condition
