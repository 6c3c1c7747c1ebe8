// The record of one run: what the command line and the registry gave.
#ifndef ZQ_RUN_VALUES_H
#define ZQ_RUN_VALUES_H

#include "key_paths.h"

enum {
    DRIVER_NAME_SIZE = 50, // "Driver Name", terminator included
    PROGRAM_DIR_SIZE = 260, // "ProgramDir", terminator included
};

// A value that was not read holds the empty text and its mark is 0, so a
// command line built from it carries an empty slot and never stray bytes.
struct RunValues {
    char keyPath[KEY_PATH_SIZE];
    char printerDriverName[DRIVER_NAME_SIZE];
    int printerDriverNameRead;
    char programDir[PROGRAM_DIR_SIZE];
    int programDirRead;
    char faxKeyPath[KEY_PATH_SIZE];
    int installFax;
    char faxDriverName[DRIVER_NAME_SIZE];
    int faxDriverNameRead;
};

#endif
