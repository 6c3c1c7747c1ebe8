// A run's notes, in the order the account gives them.
#include <string>

#include "run_notes.h"

#include "evidence.h"
#include "indistinct.h"
#include "support/log_texts.h"
#include "wording.h"
#include "words.h"

std::vector<RunNote> RunNotes(const RunFacts& facts, Verdict verdict)
{
    const RunState& run = facts.run;
    std::vector<RunNote> notes;
    auto Note = [&notes](NoteId id, const Phrase& text) { notes.push_back({ id, text }); };
    const LaunchState* l = run.launches;
    if (run.headless)
        Note(NOTE_FIRST_LINES_MISSING, Sentence(kWords.headless));
    if (!run.gaps.empty())
        Note(NOTE_LINES_LOST, Phrase(Sentence(kWords.lost)) + ": " + run.gaps);
    if (run.interleaves)
        Note(NOTE_INTERLEAVED, Sentence(kWords.interleave));
    if (facts.tied)
        Note(NOTE_RUNS_INDISTINCT, TogetherSaid(run, *facts.tied));
    if (run.crashTail) // a whole run lost nothing of its own
        Note(NOTE_CRASH_TAIL, Sentence(verdict == VERDICT_OK ? W_CRASH_AFTER_WHOLE : kWords.crashTail));
    else if (run.crashBefore)
        Note(NOTE_CRASH_TAIL, Sentence(kWords.crashBefore));
    if (run.zeroLines)
        Note(NOTE_ZERO_BYTES, Sentence(kWords.zeros));
    if (run.gluedLines)
        Note(NOTE_GLUED, Sentence(kWords.glued));
    if (run.cutLines)
        Note(NOTE_CUT, Sentence(kWords.cut));
    if (run.number == 1 && facts.firstLineCut)
        Note(NOTE_FIRST_LINE_CUT, Sentence(kWords.firstLineCut));
    if (l[LAUNCH_FAX_TOOL].command && !l[LAUNCH_FAX_TOOL].cut && l[LAUNCH_FAX_TOOL].arg.empty()
        && l[LAUNCH_FAX].phase != PHASE_NONE && !run.faxNameLine)
        Note(NOTE_FAX_NAME_EMPTY, Sentence(kWords.emptyFaxName));
    if (KeyPathQuoted(run))
        Note(NOTE_KEY_PATH_QUOTED, Phrase(Sentence(kWords.quotedKeyCause)) + "; " + Sentence(kWords.quotedKeyAdvice));
    else if ((l[LAUNCH_PRINTER].command && l[LAUNCH_PRINTER].dir.empty())
        || (l[LAUNCH_FAX].command && l[LAUNCH_FAX].dir.empty()))
        Note(NOTE_PROGRAM_DIR_EMPTY, Sentence(kWords.emptyProgramDir));
    if (run.nullLine)
        Note(NOTE_NULL_TEXT, Phrase(Sentence(kWords.nullText)) + Sentence(W_AT_LINE, { std::to_string(run.nullLine) }));
    if (run.others)
        Note(NOTE_OTHER_LINES, Phrase(Sentence(kWords.others)) + ": " + std::to_string(run.others));
    return notes;
}
