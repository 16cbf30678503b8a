// Waiting for something a widget or a worker does later, with a generous bound. (Qt's QTRY_
// macros report to QTest's own log, which GoogleTest does not see.)
#pragma once

#include <QTest>

#include <gtest/gtest.h>

#define VELMORA_WAIT_FOR(cond, ms) QTest::qWaitFor([&]() -> bool { return static_cast<bool>(cond); }, ms)
#define EXPECT_EVENTUALLY(cond) EXPECT_TRUE(VELMORA_WAIT_FOR(cond, 10000)) << "never true: " #cond
#define ASSERT_EVENTUALLY(cond) ASSERT_TRUE(VELMORA_WAIT_FOR(cond, 10000)) << "never true: " #cond
#define EXPECT_EVENTUALLY_WITHIN(cond, ms) \
    EXPECT_TRUE(VELMORA_WAIT_FOR(cond, ms)) << "never true within " #ms " ms: " #cond
#define ASSERT_EVENTUALLY_WITHIN(cond, ms) \
    ASSERT_TRUE(VELMORA_WAIT_FOR(cond, ms)) << "never true within " #ms " ms: " #cond
