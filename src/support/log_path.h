// Where the installer log lives: "ZQsetup.log" in the Windows directory.
#ifndef ZQ_LOG_PATH_H
#define ZQ_LOG_PATH_H

#include "text_rules.h"

enum { LOG_PATH_SIZE = 260 };

// path holds what the Windows directory query wrote and reported is the
// length it returned (0 on failure, or the size it needs when the buffer was
// too small). Appends "\ZQsetup.log" in place, without doubling the backslash
// of a drive root. Returns 0, with path emptied, when the query failed or the
// file name does not fit: then there is no log path.
int ComposeLogPath(char path[LOG_PATH_SIZE], unsigned reported, LeadByteTest isLead);

#endif
