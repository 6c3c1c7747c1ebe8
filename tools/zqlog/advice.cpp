// Each why's advice, as ids of words, on the stage it is about.
#include "advice.h"

namespace {

// Each why's advice, apart from its cause: the stage it is about, or
// STAGE_COUNT for the first of the later stages that failed or is unfinished.
const struct WhyAdvice {
    WhyId why;
    Stage stage;
    WordId advice;
} kWhyAdvice[] = {
    { WHY_NO_KEY_PATH, STAGE_SETTINGS, W_ADVICE_NO_KEY_PATH },
    { WHY_KEY_PATH_TOO_LONG, STAGE_SETTINGS, W_ADVICE_KEY_PATH_TOO_LONG },
    { WHY_PRINTER_NAME_UNREAD, STAGE_SETTINGS, W_ADVICE_PRINTER_NAME_UNREAD },
    { WHY_PROGRAM_DIR_UNREAD, STAGE_SETTINGS, W_ADVICE_PROGRAM_DIR_UNREAD },
    { WHY_SPOOLER_NOT_OPENED, STAGE_SPOOLER, W_ADVICE_SPOOLER_NOT_OPENED },
    { WHY_FAX_NAME_UNREAD, STAGE_FAX, W_ADVICE_FAX_NAME_UNREAD },
    { WHY_FAILURE_CAUSE_LOST, STAGE_COUNT, W_ADVICE_FAILURE_CAUSE_LOST },
    { WHY_FAILURE_CAUSE_AMBIGUOUS, STAGE_COUNT, W_ADVICE_FAILURE_CAUSE_AMBIGUOUS },
    { WHY_STOPPED, STAGE_COUNT, W_ADVICE_STOPPED },
    { WHY_LOG_END_LOST, STAGE_COUNT, W_ADVICE_LOG_END_LOST },
    { WHY_INTERLEAVED, STAGE_COUNT, W_ADVICE_INTERLEAVED },
};

// Where a run stopped (not for another run's lines, nor a lost end) names the tool to look at.
const struct StopAdvice {
    WordId stopped, advice;
} kStopAdvice[] = {
    { W_STOPPED_SPOOLER, W_ADVICE_STOPPED_SPOOLER },
    { W_STOPPED_FAX_FLAG, W_ADVICE_STOPPED_FAX_FLAG },
    { W_STOPPED_FAX_COMMAND, W_ADVICE_STOPPED_FAX_COMMAND },
};

} // namespace

void Advise(RunRecord* record, WordId stoppedAt)
{
    for (const WhyAdvice& row : kWhyAdvice) {
        if (row.why != record->whyId)
            continue;
        WordId advice = row.advice;
        for (const StopAdvice& stop : kStopAdvice)
            if (row.why == WHY_STOPPED && stop.stopped == stoppedAt)
                advice = stop.advice;
        for (int s = row.stage == STAGE_COUNT ? STAGE_FAX_DECISION : row.stage; s < STAGE_COUNT; ++s) {
            StageRecord& stage = record->stages[s];
            if (stage.state == STATE_FAILED || stage.state == STATE_UNFINISHED || s == row.stage) {
                if (stage.advice.empty())
                    stage.advice = Sentence(advice);
                return;
            }
        }
    }
}
