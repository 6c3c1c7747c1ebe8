// The ids of a run's record: the closed sets that --json writes.
#include "run_record.h"

#include "words.h"

const char* VerdictId(Verdict verdict)
{
    static const char* const kIds[] = { "ok", "failed", "incomplete" };
    return kIds[verdict];
}

const char* StageId(Stage stage)
{
    static const char* const kIds[]
        = { "settings", "spooler", "fax_decision", "fax", "printer", "driver_tool_fax", "driver_tool_printer" };
    return kIds[stage];
}

WordId StageWord(Stage stage)
{
    static const WordId kNames[] = { W_STAGE_NAME_SETTINGS, W_STAGE_NAME_SPOOLER, W_STAGE_NAME_FAX_DECISION,
        W_STAGE_NAME_FAX, W_STAGE_NAME_PRINTER, W_STAGE_NAME_DRIVER_TOOL_FAX, W_STAGE_NAME_DRIVER_TOOL_PRINTER };
    return kNames[stage];
}

const char* StageName(Stage stage)
{
    return Word(StageWord(stage));
}

const char* StateId(StageState state)
{
    static const char* const kIds[] = { "done", "failed", "not_made", "not_reached", "unfinished", "unknown" };
    return kIds[state];
}

const char* WhyIdText(WhyId why)
{
    static const char* const kIds[WHY_COUNT]
        = { nullptr, "no_key_path", "key_path_too_long", "printer_name_unread", "program_dir_unread", "key_path_quoted",
              "spooler_not_opened", "fax_start_failed", "printer_start_failed", "driver_tool_start_failed",
              "fax_tool_failed", "printer_tool_failed", "command_too_long", "fax_name_unread", "failure_cause_lost",
              "failure_cause_ambiguous", "null_text", "ends_after_printer", "stopped", "log_end_lost", "interleaved" };
    return kIds[why];
}

const char* NoteIdText(NoteId note)
{
    static const char* const kIds[NOTE_COUNT]
        = { "first_lines_missing", "lines_lost", "interleaved", "zero_bytes", "crash_tail", "glued_line", "cut_line",
              "first_line_cut", "fax_name_empty", "program_dir_empty", "key_path_quoted", "null_text", "other_lines",
              "ends_after_printer", "converted", "code_page_likely", "read_once", "runs_indistinct" };
    return kIds[note];
}

const char* SystemIdText(SystemId system)
{
    static const char* const kIds[] = { "nt4_or_later", "9x_or_nt351", "unknown" };
    return kIds[system];
}
