#include <gtest/gtest.h>

#include "support/command_status.h"
#include "support/wait_deadline.h"

TEST(CommandStatus, ExitCodesAndStartErrors)
{
    struct Case {
        uint32_t code;
        int32_t asExit, asStartError;
    };
    const Case cases[] = {
        { 0, 0, 0 },
        { 1, 1, (int32_t)0x80070001 },
        { 2, 2, (int32_t)0x80070002 },
        { 193, 193, (int32_t)0x800700C1 },
        { 259, 259, (int32_t)0x80070103 }, // STILL_ACTIVE counts as success
        { 0xC0000005, (int32_t)0xC0000005, (int32_t)0x80070005 },
        { 0x12345678, 0x12345678, (int32_t)0x80075678 }, // only the low 16 bits are kept
        { 0xFFFFFFFF, -1, (int32_t)0x8007FFFF },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.asExit, StatusOfExitCode(c.code)) << c.code;
        EXPECT_EQ(c.asStartError, StatusOfStartError(c.code)) << c.code;
        if (c.code != 0)
            EXPECT_LT(StatusOfStartError(c.code), 0) << "a failed start must read as failure";
    }
}

TEST(WaitDeadline, ElapsedTimeSurvivesTheTickCountWrap)
{
    struct Case {
        uint32_t start, timeout, now;
        int passed;
    };
    const Case cases[] = {
        { 1000, 10000, 1000, 0 },
        { 1000, 10000, 10999, 0 },
        { 1000, 10000, 11000, 1 },
        { 1000, 0, 1000, 1 }, // timeout 0: the first test ends the wait
        { 1000, 0, 2000, 1 },
        { 0xFFFFF000, 10000, 0xFFFFFFFF, 0 }, // deadline lies past the wrap
        { 0xFFFFF000, 10000, 0x00000100, 0 }, // the tick count wrapped: 4352 ms elapsed
        { 0xFFFFF000, 10000, 0x00001710, 1 }, // 10000 ms elapsed across the wrap
        { 0xFFFFFFFF, 1, 0x00000000, 1 },
        { 0, 0xFFFFFFFF, 0xFFFFFFFE, 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.passed, DeadlinePassed(c.start, c.timeout, c.now))
            << c.start << "+" << c.timeout << " at " << c.now;
}
