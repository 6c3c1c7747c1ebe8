// zqlog's grammar table against the program's texts: every text the program
// logs (src/support/log_texts.h) has its one row, and the places the rows
// give make one order a run can go through.
#include <gtest/gtest.h>

#include <string.h>

#include <fstream>
#include <string>
#include <vector>

#include "grammar.h"

namespace {

struct LogText {
    std::string name, text;
};

// The #define LOG_... "text" lines of log_texts.h, their literals unescaped.
std::vector<LogText> ProgramTexts()
{
    std::ifstream in(std::string(ZQLOG_SOURCE_DIR) + "/../../src/support/log_texts.h");
    std::vector<LogText> texts;
    const std::string define = "#define LOG_";
    for (std::string line; std::getline(in, line);) {
        if (line.compare(0, define.size(), define) != 0 || line.find('"') == std::string::npos)
            continue;
        LogText text { line.substr(8, line.find(' ', 8) - 8), "" };
        for (size_t i = line.find('"') + 1; i < line.size() && line[i] != '"'; ++i)
            text.text += line[i] == '\\' ? line[++i] : line[i];
        texts.push_back(text);
    }
    return texts;
}

bool Same(const char* row, const std::string& text)
{
    return row && text == row;
}

} // namespace

TEST(ZqlogGrammar, EveryTextOfTheProgramHasExactlyOneRow)
{
    const std::vector<LogText> texts = ProgramTexts();
    ASSERT_GE(texts.size(), 20u) << "log_texts.h was not read";
    unsigned count;
    const GrammarRow* rows = GrammarRows(&count);
    for (const LogText& text : texts) {
        int found = 0;
        for (unsigned i = 0; i < count; ++i)
            found += Same(rows[i].text, text.text) + Same(rows[i].then, text.text);
        EXPECT_EQ(1, found) << text.name << " \"" << text.text << "\"";
    }
    // And no row holds a text the program does not log.
    for (unsigned i = 0; i < count; ++i)
        for (const char* part : { rows[i].text, rows[i].then }) {
            bool known = !part;
            for (const LogText& text : texts)
                known = known || Same(part, text.text);
            EXPECT_TRUE(known) << "row " << i << ": \"" << part << "\"";
        }
}

TEST(ZqlogGrammar, TheFixedTextsStandTogetherInTheTable)
{
    unsigned count, fixed, whole = 0;
    const GrammarRow* rows = GrammarRows(&count);
    const GrammarRow* texts = FixedTexts(&fixed);
    for (unsigned i = 0; i < count; ++i)
        whole += rows[i].token == TOKEN_TEXT;
    EXPECT_EQ(whole, fixed) << "a fixed text outside the run of them is never looked up";
    for (unsigned i = 0; i < fixed; ++i)
        EXPECT_EQ(TOKEN_TEXT, texts[i].token) << texts[i].text;
    // A settings line ends the run for a reason of its own: a why id of its own.
    std::vector<WhyId> whys;
    for (unsigned i = 0; i < count; ++i)
        if (rows[i].record == REC_SETTINGS_END) {
            EXPECT_NE(WHY_NONE, rows[i].why) << rows[i].text;
            for (WhyId other : whys)
                EXPECT_NE(other, rows[i].why) << rows[i].text;
            whys.push_back(rows[i].why);
        }
}

// Each place is taken, rows that share one agree, and a run can always go
// on or end there.
TEST(ZqlogGrammar, EveryPlaceIsTakenByRowsThatAgree)
{
    unsigned count;
    const GrammarRow* rows = GrammarRows(&count);
    std::vector<int> takers(STEP_COUNT, 0);
    for (unsigned i = 0; i < count; ++i)
        for (int launch = -1; launch < LAUNCH_COUNT; ++launch) {
            const int place = PlaceOf(rows[i], launch);
            if (place == STEP_NONE || (launch < 0) != (rows[i].launches == 0))
                continue;
            ++takers[place];
            EXPECT_EQ(launch, RowOf(place).launch) << "row " << i;
            EXPECT_EQ(rows[i].phase, RowOf(place).phase) << "row " << i;
            EXPECT_EQ(rows[i].stopped, RowOf(place).stopped) << "row " << i << " and another take " << place;
        }
    for (int place = 0; place < STEP_COUNT; ++place) {
        EXPECT_GT(takers[place], 0) << "no row takes place " << place;
        const StepRow& row = RowOf(place);
        EXPECT_TRUE(row.mayEnd || row.follows) << "a run is stuck at place " << place;
        EXPECT_TRUE(row.mayEnd || row.stopped != WORD_COUNT) << "no words for a run stopping at place " << place;
        for (int next = 0; next <= place; ++next)
            EXPECT_FALSE(MayFollow(place, next)) << "the order goes back from " << place << " to " << next;
    }
}

// The program's order in a few steps that matter: what waits, what may end a run.
TEST(ZqlogGrammar, TheOrderOfARun)
{
    const int faxCommand = StepOf(LAUNCH_FAX, PHASE_COMMAND), printerCommand = StepOf(LAUNCH_PRINTER, PHASE_COMMAND);
    const struct {
        int from, to;
        bool follows;
    } cases[] = {
        { STEP_START, STEP_SPOOLER, true },
        { STEP_START, StepOf(LAUNCH_PRINTER, PHASE_ANNOUNCED), true }, // 9x: no spooler line, no fax
        { STEP_START, StepOf(LAUNCH_FAX_TOOL, PHASE_ANNOUNCED), false },
        { STEP_SPOOLER, STEP_FAX_FLAG, true },
        { STEP_FAX_FLAG, StepOf(LAUNCH_PRINTER, PHASE_ANNOUNCED), false }, // the fax flag calls for the fax
        { faxCommand, STEP_FAX_NAME, true },
        { printerCommand, STEP_FAX_NAME, false },
        { faxCommand, StepOf(LAUNCH_FAX, PHASE_SYSTEM_TEXT), true },
        { StepOf(LAUNCH_FAX, PHASE_WARNED), StepOf(LAUNCH_FAX, PHASE_WARNED_COMMAND), true },
        { StepOf(LAUNCH_FAX, PHASE_WARNED), StepOf(LAUNCH_FAX, PHASE_FAILED), false },
        { StepOf(LAUNCH_PRINTER, PHASE_TOO_LONG), StepOf(LAUNCH_PRINTER, PHASE_FAILED), true },
        { StepOf(LAUNCH_PRINTER, PHASE_FAILED), StepOf(LAUNCH_FAX_TOOL, PHASE_TOO_LONG), true },
        { StepOf(LAUNCH_FAX_TOOL, PHASE_COMMAND), StepOf(LAUNCH_PRINTER_TOOL, PHASE_ANNOUNCED), true },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.follows, MayFollow(c.from, c.to)) << c.from << " to " << c.to;
    const struct {
        int place;
        bool mayEnd;
    } ends[] = {
        { STEP_START, true },
        { STEP_SETTINGS_END, true },
        { STEP_SPOOLER, false },
        { faxCommand, false }, // the fax's add-printer tool is waited for
        { printerCommand, true }, // an empty driver directory ends the run here
        { StepOf(LAUNCH_PRINTER, PHASE_FAILED), true },
        { StepOf(LAUNCH_FAX_TOOL, PHASE_COMMAND), false }, // the 1 s pause before the printer driver's tool
        { StepOf(LAUNCH_PRINTER_TOOL, PHASE_COMMAND), true },
        { StepOf(LAUNCH_PRINTER_TOOL, PHASE_SYSTEM_TEXT), false },
    };
    for (const auto& e : ends)
        EXPECT_EQ(e.mayEnd, RowOf(e.place).mayEnd) << e.place;
}
