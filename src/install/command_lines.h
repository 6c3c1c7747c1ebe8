// The command lines of the two tools of the setup package.
#ifndef ZQ_COMMAND_LINES_H
#define ZQ_COMMAND_LINES_H

enum {
    ADD_PRINTER_LINE_SIZE = 260, // the add-printer tool's command line
    DRIVER_TOOL_LINE_SIZE = 520 // the driver-directory tool's file and command lines
};

// "<directory>\zqntadd.exe" <keyPath>: the tool's path quoted, the key path not.
int AddPrinterCommand(char out[ADD_PRINTER_LINE_SIZE], const char* directory, const char* keyPath);

// <directory>\zqdrvtl.exe: the driver-directory tool itself.
int DriverToolFile(char out[DRIVER_TOOL_LINE_SIZE], const char* directory);

// <directory>\zqdrvtl.exe /n:<driverName>: nothing is quoted.
int DriverToolCommand(char out[DRIVER_TOOL_LINE_SIZE], const char* directory, const char* driverName);

// Each returns 1 when the line fits its buffer with the terminator; otherwise
// 0 with out empty, so a line is never cut into a different command.

#endif
