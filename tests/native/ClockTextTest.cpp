#include <string>

#include <gtest/gtest.h>

#include "app/ClockText.h"

namespace {

TEST(ClockTextTest, FormatsInstants) {
    const struct {
        DateTime time;
        const wchar_t* separator;
        const wchar_t* text;
    } cases[] = {
        {{2009, 12, 31, 23, 59, 59}, L":", L"2009-12-31 23:59:59"},
        {{2010, 1, 1, 0, 0, 0}, L":", L"2010-01-01 00:00:00"},
        {{2009, 12, 18, 8, 5, 3}, L":", L"2009-12-18 08:05:03"},
        {{2009, 12, 18, 8, 5, 3}, L".", L"2009-12-18 08.05.03"},
        {{2000, 2, 29, 12, 0, 0}, L":", L"2000-02-29 12:00:00"},
        {{2009, 12, 18, 13, 1, 2}, L":", L"2009-12-18 13:01:02"},
        {{2009, 12, 18, 17, 30, 45}, L":", L"2009-12-18 17:30:45"},
        {{2009, 12, 18, 23, 10, 0}, L":", L"2009-12-18 23:10:00"},
        {{2009, 12, 18, 9, 10, 11}, L" : ", L"2009-12-18 09 : 10 : 11"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.time.Hour << ":" << c.time.Minute << ":" << c.time.Second);
        EXPECT_EQ(c.text, FormatClock(c.time, c.separator));
    }
}

}  // namespace
