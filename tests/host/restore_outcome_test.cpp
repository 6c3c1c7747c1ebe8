// How a restore ends: the journal is emptied only when every entry was
// undone, and each end is said in a line of its own, the middle one (all
// undone, the journal not emptied, as on a full or failing disk) apart from
// both others.
#include <gtest/gtest.h>

#include <string.h>

#include <memory>
#include <set>
#include <string>

#include "journal_format.h"
#include "restore_outcome.h"

namespace {

// A journal on a disk that takes so many bytes of a write, as the journal's
// own writer meets a full or failing disk.
size_t g_room;
int g_emptyings;
std::unique_ptr<JournalText> g_journal;

size_t ShortDisk(void*, size_t, const void*, size_t size)
{
    return size < g_room ? size : g_room;
}

int Empty(void)
{
    ++g_emptyings;
    return JournalMakeEmpty(g_journal.get(), ShortDisk, nullptr);
}

} // namespace

TEST(RestoreOutcome, EachEndIsSaidApartAndTheJournalEmptiedOnlyWhenAllIsUndone)
{
    const struct {
        const char* what;
        int allUndone;
        size_t room;
        RestoreOutcome outcome;
        int emptyings;
        const char* endSays;
    } cases[] = {
        { "all undone, emptied", 1, JOURNAL_SIZE, RESTORE_AS_IT_WAS, 1, "The machine is as it was." },
        { "all undone, a disk that takes nothing", 1, 0, RESTORE_JOURNAL_LEFT, 1, "could not be emptied" },
        { "all undone, a disk that takes a part", 1, JOURNAL_SIZE / 2, RESTORE_JOURNAL_LEFT, 1,
            "could not be emptied" },
        { "an entry not undone: the journal kept whole", 0, JOURNAL_SIZE, RESTORE_NOT_AS_IT_WAS, 0, "NOT as it was" },
    };
    for (const auto& c : cases) {
        g_journal = std::make_unique<JournalText>();
        memset(g_journal.get(), 0, sizeof *g_journal);
        g_room = c.room;
        g_emptyings = 0;
        const RestoreOutcome outcome = RestoreEnded(c.allUndone, Empty);
        EXPECT_EQ(c.outcome, outcome) << c.what;
        EXPECT_EQ(c.emptyings, g_emptyings) << c.what;
        EXPECT_NE(std::string::npos, std::string(RestoreEndLine(outcome)).find(c.endSays)) << c.what;
    }
    g_journal.reset();
}

TEST(RestoreOutcome, EachOutcomeHasItsOwnOneLineAtTheEndAndAfterLeftovers)
{
    std::set<std::string> said;
    for (RestoreOutcome outcome : { RESTORE_AS_IT_WAS, RESTORE_JOURNAL_LEFT, RESTORE_NOT_AS_IT_WAS })
        for (const std::string line : { RestoreEndLine(outcome), LeftoversEndLine(outcome) }) {
            EXPECT_TRUE(said.insert(line).second) << line;
            EXPECT_EQ(std::string::npos, line.find('\n')) << line;
        }
    // Only the middle one says the machine is as it was and asks for a hand.
    const std::string left = RestoreEndLine(RESTORE_JOURNAL_LEFT);
    EXPECT_EQ(0u, left.find("The machine is as it was, but")) << left;
    EXPECT_NE(std::string::npos, left.find("zqcheck.journal")) << left;
}
