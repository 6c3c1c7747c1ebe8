// How a restore ends, and the line that says so: pure, for the host tests.
#ifndef ZQ_RESTORE_OUTCOME_H
#define ZQ_RESTORE_OUTCOME_H

enum RestoreOutcome {
    RESTORE_AS_IT_WAS, // every entry undone, and the journal emptied
    // Every entry undone, but the journal could not be emptied: its file is
    // removed as zqcheck ends, or, if that fails too, stays with entries
    // already undone, which a later restore would undo again over what has
    // changed since (a new log, a folder a real install made).
    RESTORE_JOURNAL_LEFT,
    // An entry not undone, or no time left for all: the journal is kept
    // whole, and the next start undoes it again.
    RESTORE_NOT_AS_IT_WAS,
};

// The outcome once the entries were undone (or not): the journal is emptied
// only when every one was; empty says whether it could be.
RestoreOutcome RestoreEnded(int allUndone, int (*empty)(void));

// The lines that say an outcome: at the run's end (the screen's and the
// result file's last word on the machine), and after putting back what an
// earlier run left.
const char* RestoreEndLine(RestoreOutcome outcome);
const char* LeftoversEndLine(RestoreOutcome outcome);

#endif
