#include "start_errors.h"

#include <string.h>

namespace {

// Windows' texts as FormatMessage gives them in English; Wine's from its
// message table (kernelbase's winerror.mc), which has no text for 740, 1260
// and 14001, so under Wine those reach the log as the unknown-error line.
const StartErrorRow kRows[] = {
    { 2, "The system cannot find the file specified.", "File not found.", W_ERROR_2, W_ERROR_2_ADD_PRINTER,
        W_ERROR_2_DRIVER_TOOL },
    { 3, "The system cannot find the path specified.", "Path not found.", W_ERROR_3, W_ERROR_3_ADD_PRINTER,
        W_ERROR_3_DRIVER_TOOL },
    { 5, "Access is denied.", "Access denied.", W_ERROR_5, W_ERROR_5_ADD_PRINTER, W_ERROR_5_DRIVER_TOOL },
    { 8, "Not enough storage is available to process this command.", "Not enough memory.", W_ERROR_8,
        W_ERROR_8_ADD_PRINTER, W_ERROR_8_DRIVER_TOOL },
    { 32, "The process cannot access the file because it is being used by another process.", "Sharing violation.",
        W_ERROR_32, W_ERROR_32_ADD_PRINTER, W_ERROR_32_DRIVER_TOOL },
    { 87, "The parameter is incorrect.", "Invalid parameter.", W_ERROR_87, W_ERROR_87_ADD_PRINTER,
        W_ERROR_87_DRIVER_TOOL },
    { 123, "The filename, directory name, or volume label syntax is incorrect.", "Invalid name.", W_ERROR_123,
        W_ERROR_123_ADD_PRINTER, W_ERROR_123_DRIVER_TOOL },
    { 161, "The specified path is invalid.", "Path is invalid.", W_ERROR_161, W_ERROR_161_ADD_PRINTER,
        W_ERROR_161_DRIVER_TOOL },
    { 193, "%1 is not a valid Win32 application.", "Bad EXE format for %1.", W_ERROR_193, W_ERROR_193_ADD_PRINTER,
        W_ERROR_193_DRIVER_TOOL },
    { 206, "The filename or extension is too long.", "File name is too long.", W_ERROR_206, W_ERROR_206_ADD_PRINTER,
        W_ERROR_206_DRIVER_TOOL },
    { 216,
        "This version of %1 is not compatible with the version of Windows you're running. Check your computer's "
        "system information and then contact the software publisher.",
        "Machine type mismatch.", W_ERROR_216, W_ERROR_216_ADD_PRINTER, W_ERROR_216_DRIVER_TOOL },
    { 740, "The requested operation requires elevation.", nullptr, W_ERROR_740, W_ERROR_740_ADD_PRINTER,
        W_ERROR_740_DRIVER_TOOL },
    { 1260, "This program is blocked by group policy. For more information, contact your system administrator.",
        nullptr, W_ERROR_1260, W_ERROR_1260_ADD_PRINTER, W_ERROR_1260_DRIVER_TOOL },
    { 1392, "The file or directory is corrupted and unreadable.", "File or directory corrupt.", W_ERROR_1392,
        W_ERROR_1392_ADD_PRINTER, W_ERROR_1392_DRIVER_TOOL },
    { 1450, "Insufficient system resources exist to complete the requested service.", "No system resources.",
        W_ERROR_1450, W_ERROR_1450_ADD_PRINTER, W_ERROR_1450_DRIVER_TOOL },
    { 14001,
        "The application has failed to start because its side-by-side configuration is incorrect. Please see the "
        "application event log or use the command-line sxstrace.exe tool for more detail.",
        nullptr, W_ERROR_14001, W_ERROR_14001_ADD_PRINTER, W_ERROR_14001_DRIVER_TOOL },
};

// text, less blanks at its end, is row's text or begins with row's first
// sentence. A text with an insert is matched with the insert left standing,
// as the program logs it (it asks for the text with no argument to fill it).
bool Matches(const std::string& text, const char* rowText)
{
    if (!rowText)
        return false;
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    const char* period = strchr(rowText, '.');
    const size_t first = period ? (size_t)(period - rowText) + 1 : strlen(rowText);
    return end >= first && text.compare(0, first, rowText, first) == 0;
}

} // namespace

const StartErrorRow* StartErrorByCode(long code)
{
    for (const StartErrorRow& row : kRows)
        if (row.code == code)
            return &row;
    return nullptr;
}

const StartErrorRow* StartErrorByText(const std::string& systemText)
{
    for (const StartErrorRow& row : kRows)
        if (Matches(systemText, row.windows) || Matches(systemText, row.wine))
            return &row;
    return nullptr;
}

const StartErrorRow* AllStartErrors(unsigned* count)
{
    *count = sizeof kRows / sizeof kRows[0];
    return kRows;
}
