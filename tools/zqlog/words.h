// The words of zqlog's own sentences, one table: each sentence has an id, and
// the other units hold ids only. A sentence's {} are filled in order.
#ifndef ZQLOG_WORDS_H
#define ZQLOG_WORDS_H

#include <initializer_list>
#include <string>

enum WordId {
    // A line's meaning.
    W_FIRST_LINE_CUT,
    W_OTHER_LINE,
    W_NOT_COUNTED_NO_CRLF,
    W_EMPTY_LINE,
    W_LINE_END_MISSING,
    W_CUT_AT_END,
    W_THE_COMMAND_LINE,
    W_SHOWN_CUT,
    W_BETWEEN_ANNOUNCE_AND_COMMAND,
    W_NO_TEXT_FOR_ERROR,
    W_UNKNOWN_ERROR_LINE,
    W_WARNING_OUT_OF_PLACE,
    W_CUT_THEN_LATER,
    W_GLUED_PART,
    W_GLUED_SPLIT,
    W_TOO_LONG_LAUNCH,
    W_COMMAND_AGAIN,
    W_COMMAND_END_MISSING,
    W_COMMAND_CUT_THEN_LATER,
    W_ITS_TOOLS_NAME,
    W_ANNOUNCE_CUT_THEN_COMMAND,
    W_BEFORE_LINE_ANNOUNCEMENT,
    W_UNANNOUNCED_COMMAND,
    W_TOOL_OUTPUT,
    W_NO_FAILED_START,
    W_SYSTEM_TEXT_FIRST,
    W_SYSTEM_TEXT_MORE,
    W_SYSTEM_TEXT_END,
    W_ZEROS_IN_LINE,
    W_NEW_RUN_HERE,
    W_MISSING_COMMAND_AFTER,
    W_MISSING_ERROR_AFTER,
    W_MISSING_FAX_CALLED_FOR,
    W_MISSING_FAX,
    W_MISSING_PRINTER,
    W_MISSING_FAX_TOOL,
    W_MISSING_ANNOUNCE_AND_COMMAND,
    W_MISSING_OWN_LINE,
    W_BEFORE_LINE_LIST,
    W_FIRST_LINES_MISSING,
    W_LINES_MISSING_BEFORE,
    // A launch's command line.
    W_ADD_PRINTER_COMMAND,
    W_PROGRAM_DIR_EMPTY,
    W_DRIVER_TOOL_COMMAND,
    W_FOR_THE_DRIVER,
    W_NO_NAME_KEY_OPENED,
    W_NO_NAME_KEY_UNOPENED,
    W_NO_NAME_HEADLESS,
    W_NO_NAME_AS_EXPECTED,
    W_NO_NAME_FAX_KEY_SHOWN,
    W_NO_NAME_FAX_UNREAD,
    W_NO_NAME_FAX_KEY_UNOPENED,
    // The system a run shows.
    W_SYSTEM_SPOOLER,
    W_SYSTEM_HEADLESS,
    W_SYSTEM_NOTHING_SETTINGS,
    W_SYSTEM_NOTHING,
    W_SYSTEM_DROPPED,
    W_SYSTEM_NT351,
    W_SYSTEM_9X,
    W_SYSTEM_9X_OR_NT351,
    // A failed start.
    W_INSTALL_ROOT_KEY,
    W_NO_PROGRAM_DIR_CAUSE,
    W_COULD_NOT_START_ROW,
    W_COULD_NOT_START_CODE,
    W_COULD_NOT_START_TEXT,
    W_NOT_STARTED,
    // A run's stages and verdict.
    W_LINE_SAID,
    W_DID_NOT_START,
    W_FAILED_AT,
    W_ANNOUNCED_AT,
    W_STARTED_AT_RAN,
    W_STARTED_AT_NOT_WAITED,
    W_FAX_NAME_UNREAD_AT,
    W_STOPS_AT,
    W_UNFINISHED,
    W_STAGE_FAILED,
    W_CRITICAL_AT,
    W_HEADLESS_UNKNOWN,
    // The account.
    W_OTHERS_NOT_SHOWN,
    W_RUN_NOT_SHOWN,
    W_SYSTEM_SAID_IN_STAGE,
    W_NO_PROGRAM_LINES_IN,
    WORD_COUNT
};

// The sentence, its {} filled in order with fills.
std::string Say(WordId id, std::initializer_list<std::string> fills = {});
const char* Word(WordId id); // the sentence as it stands, for one without {}

// For the tests: the table's rows stand in their ids' order, and how often
// each sentence was looked up in this process.
bool WordsInOrder();
unsigned long WordUses(WordId id);

#endif
