#include "restore_outcome.h"

static const struct {
    const char* end;
    const char* leftovers;
} kLines[] = {
    // RESTORE_AS_IT_WAS
    { "The machine is as it was.", "  the machine is as that run found it." },
    // RESTORE_JOURNAL_LEFT: the journal is named for the author to delete by
    // hand, as its entries are undone and undoing them again later could
    // remove what came since.
    { "The machine is as it was, but the journal could not be emptied: if zqcheck.journal is still in the Windows"
      " folder, delete it (all it lists is undone).",
        "zqcheck: the machine is as that run found it, but the journal could not be emptied: if zqcheck.journal is"
        " still in the Windows folder, delete it (all it lists is undone)" },
    // RESTORE_NOT_AS_IT_WAS
    { "The machine is NOT as it was: see the lines above; the journal is kept.",
        "zqcheck: the machine could not be put back as it was; the journal is kept" },
};
static_assert(sizeof kLines / sizeof kLines[0] == RESTORE_NOT_AS_IT_WAS + 1, "a line for each outcome");

RestoreOutcome RestoreEnded(int allUndone, int (*empty)(void))
{
    if (!allUndone)
        return RESTORE_NOT_AS_IT_WAS;
    return empty() ? RESTORE_AS_IT_WAS : RESTORE_JOURNAL_LEFT;
}

const char* RestoreEndLine(RestoreOutcome outcome)
{
    return kLines[outcome].end;
}

const char* LeftoversEndLine(RestoreOutcome outcome)
{
    return kLines[outcome].leftovers;
}
