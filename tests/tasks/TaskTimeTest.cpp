#include "tasks/TaskTime.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(TaskTime, ElapsedTexts) {
    constexpr double hour = 1.0 / 24, sec = 1.0 / 86400;
    struct Case {
        double span;
        const char* text;
    } cases[] = {
        {0, "0:00:00"},
        {59 * 60 * sec + 59 * sec, "0:59:59"},
        {90 * sec, "0:01:30"},
        {1 + 2 * hour, "1 день 2:00:00"},
        {5, "5 дней 0:00:00"},
        {22, "22 дня 0:00:00"},
        {10, "10 дней 0:00:00"},
        {11, "11 день 0:00:00"},
        {2 + 3 * hour + 4 * 60 * sec + 5 * sec, "2 дня 3:04:05"},
        {-(90 * sec), "0:01:30"}, // a clock set back: the length is what is shown
        {NAN, "0:00:00"},
        {INFINITY, "0:00:00"},
        {1e300, "104166666 дней 16:00:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatElapsed(c.span), c.text) << c.span;
}

TEST(TaskTime, DaysWordByLastDigitOnly) {
    const char* expected[] = {"дней", "день", "дня", "дня", "дня", "дней", "дней", "дней", "дней", "дней"};
    for (long long n : {0LL, 1LL, 2LL, 3LL, 4LL, 5LL, 6LL, 7LL, 8LL, 9LL, 10LL, 11LL, 12LL, 14LL, 110LL, 121LL})
        EXPECT_STREQ(DaysWord(n), expected[n % 10]) << n;
}
