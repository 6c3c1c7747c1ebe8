#include "meanings.h"

#include <string.h>

#include <string>

#include "support/log_texts.h"
#include "words.h"

// One row per text, in the order a run writes them. A text changed in the
// program changes here with it, since both take it from log_texts.h.
static const TextMeaning kMeanings[] = {
    { LOG_NO_KEY_PATH, TEXT_SETTINGS_END, 0, W_MEANING_NO_KEY_PATH, W_SUMMARY_NO_KEY_PATH },
    { LOG_KEY_PATH_TOO_LONG, TEXT_SETTINGS_END, 0, W_MEANING_KEY_PATH_TOO_LONG, W_SUMMARY_KEY_PATH_TOO_LONG },
    { LOG_NO_PRINTER_NAME, TEXT_SETTINGS_END, 0, W_MEANING_NO_PRINTER_NAME, W_SUMMARY_NO_PRINTER_NAME },
    { LOG_NO_PROGRAM_DIR, TEXT_SETTINGS_END, 0, W_MEANING_NO_PROGRAM_DIR, W_SUMMARY_NO_PROGRAM_DIR },
    { LOG_SPOOLER_RUNNING, TEXT_SPOOLER, 0, W_MEANING_SPOOLER_RUNNING, W_SUMMARY_SPOOLER_RUNNING },
    { LOG_SPOOLER_NOT_RUNNING, TEXT_SPOOLER, 0, W_MEANING_SPOOLER_NOT_RUNNING, W_SUMMARY_SPOOLER_NOT_RUNNING },
    { LOG_NO_FAX_FLAG, TEXT_FAX_FLAG, 0, W_MEANING_NO_FAX_FLAG, WORD_COUNT },
    { LOG_FAX_ANNOUNCE, TEXT_ANNOUNCE, LAUNCH_FAX, W_MEANING_FAX_ANNOUNCE, WORD_COUNT },
    { LOG_FAX_FAILED, TEXT_FAILURE, LAUNCH_FAX, W_MEANING_FAX_FAILED, WORD_COUNT },
    { LOG_NO_FAX_NAME, TEXT_FAX_NAME, 0, W_MEANING_NO_FAX_NAME, WORD_COUNT },
    { LOG_PRINTER_ANNOUNCE, TEXT_ANNOUNCE, LAUNCH_PRINTER, W_MEANING_PRINTER_ANNOUNCE, WORD_COUNT },
    { LOG_PRINTER_FAILED, TEXT_FAILURE, LAUNCH_PRINTER, W_MEANING_PRINTER_FAILED, WORD_COUNT },
    { LOG_FAX_TOOL_ANNOUNCE, TEXT_ANNOUNCE, LAUNCH_FAX_TOOL, W_MEANING_FAX_TOOL_ANNOUNCE, WORD_COUNT },
    { LOG_FAX_TOOL_FAILED, TEXT_FAILURE, LAUNCH_FAX_TOOL, W_MEANING_FAX_TOOL_FAILED, WORD_COUNT },
    { LOG_PRINTER_TOOL_ANNOUNCE, TEXT_ANNOUNCE, LAUNCH_PRINTER_TOOL, W_MEANING_PRINTER_TOOL_ANNOUNCE, WORD_COUNT },
    { LOG_PRINTER_TOOL_FAILED, TEXT_FAILURE, LAUNCH_PRINTER_TOOL, W_MEANING_PRINTER_TOOL_FAILED, WORD_COUNT },
    { LOG_COMMAND_TOO_LONG, TEXT_TOO_LONG, 0, W_MEANING_COMMAND_TOO_LONG, WORD_COUNT },
    { LOG_NULL_TEXT, TEXT_NULL, 0, W_MEANING_NULL_TEXT, WORD_COUNT },
};

static const LaunchMeaning kLaunches[LAUNCH_COUNT] = {
    { W_STAGE_FAX, "fax", true, W_NEGATIVE_EXIT_FAX, W_NEGATIVE_EXIT_ADVICE_FAX, W_TOO_LONG_FAX, W_TOO_LONG_ADVICE_FAX,
        W_NOT_MADE_FAX },
    { W_STAGE_PRINTER, "printer", true, W_NEGATIVE_EXIT_PRINTER, W_NEGATIVE_EXIT_ADVICE_PRINTER, W_TOO_LONG_PRINTER,
        W_TOO_LONG_ADVICE_PRINTER, W_NOT_MADE_PRINTER },
    { W_STAGE_DRIVER_TOOL_FAX, "driver_tool_fax", false, W_NEGATIVE_EXIT_DRIVER_TOOL_FAX,
        W_NEGATIVE_EXIT_ADVICE_DRIVER_TOOL_FAX, W_TOO_LONG_DRIVER_TOOL_FAX, W_TOO_LONG_ADVICE_DRIVER_TOOL_FAX,
        W_NOT_MADE_DRIVER_TOOL_FAX },
    { W_STAGE_DRIVER_TOOL_PRINTER, "driver_tool_printer", false, W_NEGATIVE_EXIT_DRIVER_TOOL_PRINTER,
        W_NEGATIVE_EXIT_ADVICE_DRIVER_TOOL_PRINTER, W_TOO_LONG_DRIVER_TOOL_PRINTER,
        W_TOO_LONG_ADVICE_DRIVER_TOOL_PRINTER, W_NOT_MADE_DRIVER_TOOL_PRINTER },
};

const TextMeaning* FindMeaning(const char* text)
{
    for (const TextMeaning& row : kMeanings)
        if (strcmp(row.text, text) == 0)
            return &row;
    return nullptr;
}

const TextMeaning* AllMeanings(unsigned* count)
{
    *count = sizeof kMeanings / sizeof kMeanings[0];
    return kMeanings;
}

const LaunchMeaning& LaunchOf(int launch)
{
    return kLaunches[launch];
}

std::string StartedElsewhere(long line, int run)
{
    return Say(W_STARTED_ELSEWHERE, { std::to_string(line), std::to_string(run) });
}

bool HasVariable(const std::string& dir)
{
    const size_t first = dir.find('%');
    return first != std::string::npos && dir.find('%', first + 2) != std::string::npos;
}

std::string UnexpandedDir()
{
    return Word(W_UNEXPANDED_DIR);
}
