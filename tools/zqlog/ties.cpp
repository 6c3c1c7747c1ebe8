// Two runs at once that stood at the same place in the program's order when
// a line came that either could take (tied by the engine, engine.cpp): which
// of them took it was the reader's choice, not the log's, so from that line
// on the two cannot be told apart. Their records are made together, when the
// later of the two ends, so that each says what the two showed together.
#include "build_record.h"
#include "log_reader.h"

// The two runs' add-printer command lines of one launch name two folders or two keys.
bool LogReader::ShownApart() const
{
    for (int i : { LAUNCH_PRINTER, LAUNCH_FAX }) {
        const LaunchState &mine = run_.launches[i], &other = parkedRun_.launches[i];
        if (mine.command && other.command && !mine.cut && !other.cut
            && (mine.dir != other.dir || mine.arg != other.arg))
            return true;
    }
    return false;
}

// The run's record to the sink; of two tied runs that took turns, the first
// to end waits for the other, and the two records go in their runs' order.
// Two runs tied but never taking turns were read one after the other:
// nothing was chosen between them.
void LogReader::Record(const RunState& run)
{
    const bool partnerWaits = holding_ && waiting_.run.number == run.tieWith;
    if (run.tieWith && !partnerWaits && !run.interleaves)
        Untie(run.tieWith);
    if (!partnerWaits && !run.Tied()) {
        sink_.RunEnds(BuildRecord(RunFactsOf(run)));
        return;
    }
    if (!partnerWaits) {
        waiting_.run = run;
        waiting_.facts = facts_;
        waiting_.spoolerSeen = spoolerSeen_;
        waiting_.last = logEnded_ && run.number == runs_;
        holding_ = true;
        return;
    }
    holding_ = false;
    const RunFacts earlier = { waiting_.run, ahead_ ? *ahead_ : waiting_.facts, isLead_, waiting_.spoolerSeen,
        firstLineCut_, causes_, ahead_ || waiting_.last, &run };
    RunFacts later = RunFactsOf(run);
    later.tied = &waiting_.run;
    RunRecord one = BuildRecord(earlier), two = BuildRecord(later);
    if (one.run > two.run)
        std::swap(one, two);
    sink_.RunEnds(one);
    sink_.RunEnds(two);
}

// The log ends: a record still waiting for its partner goes alone.
void LogReader::FlushWaiting()
{
    if (!holding_)
        return;
    holding_ = false;
    sink_.RunEnds(BuildRecord({ waiting_.run, ahead_ ? *ahead_ : waiting_.facts, isLead_, waiting_.spoolerSeen,
        firstLineCut_, causes_, true }));
}
