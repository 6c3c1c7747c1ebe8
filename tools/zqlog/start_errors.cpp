#include "start_errors.h"

#include <string.h>

namespace {

// Windows' texts as FormatMessage gives them in English; Wine's from its
// message table (kernelbase's winerror.mc), which has no text for 740, 1260
// and 14001, so under Wine those reach the log as the unknown-error line.
const StartErrorRow kRows[] = {
    { 2, "The system cannot find the file specified.", "File not found.",
        "the program named on the command line is not there",
        "check ProgramDir under the install root key, and that zqntadd.exe is in that folder",
        "check that the package put zqdrvtl.exe in that printer driver directory" },
    { 3, "The system cannot find the path specified.", "Path not found.",
        "a folder of the program's path on the command line is not there",
        "check ProgramDir under the install root key: its folder does not exist (a drive letter or folder of "
        "another machine, or one removed)",
        "check that the printer driver directory exists on this machine" },
    { 5, "Access is denied.", "Access denied.", "access to the program was denied",
        "check this user's rights to run zqntadd.exe and to read its folder, and a security product that blocks it",
        "check this user's rights to run zqdrvtl.exe in that printer driver directory, and a security product that "
        "blocks it" },
    { 8, "Not enough storage is available to process this command.", "Not enough memory.",
        "the system had too little memory to start the program",
        "run the setup again with fewer programs open, or after a restart; check the paging file",
        "run the setup again with fewer programs open, or after a restart; check the paging file" },
    { 32, "The process cannot access the file because it is being used by another process.", "Sharing violation.",
        "the program file was held open by another process (a sharing violation)",
        "close what holds zqntadd.exe open (an earlier setup still running, a virus scanner scanning it, a copy "
        "still being made) and run the setup again",
        "close what holds zqdrvtl.exe open (a virus scanner, a copy still being made) and run the setup again" },
    { 87, "The parameter is incorrect.", "Invalid parameter.", "the system refused the command line as given",
        "check ProgramDir and the key path for bytes a command line cannot hold (control characters)",
        "check the printer driver directory and the driver names for bytes a command line cannot hold" },
    { 123, "The filename, directory name, or volume label syntax is incorrect.", "Invalid name.",
        "the program's path on the command line is not a valid path",
        "check ProgramDir under the install root key for quotes, a wildcard, a colon or another byte a path "
        "cannot hold",
        "check the printer driver directory's path for bytes a path cannot hold" },
    { 161, "The specified path is invalid.", "Path is invalid.",
        "the program's path on the command line is not a valid path",
        "check ProgramDir under the install root key: it must be a full path such as C:\\Program Files\\Name",
        "check the printer driver directory's path" },
    { 193, "%1 is not a valid Win32 application.", "Bad EXE format for %1.",
        "the file is there but is no program this Windows can run",
        "replace zqntadd.exe from the package: it is damaged (a broken copy or download), or built for another "
        "processor",
        "replace zqdrvtl.exe from the package: it is damaged, or built for another processor" },
    { 206, "The filename or extension is too long.", "File name is too long.",
        "the program's path is longer than the system takes",
        "install to a shorter folder: ProgramDir under the install root key is too long",
        "check the printer driver directory's path length" },
    { 216,
        "This version of %1 is not compatible with the version of Windows you're running. Check your computer's "
        "system information and then contact the software publisher.",
        "Machine type mismatch.", "the program is built for another processor or Windows than this one",
        "use the package made for this Windows (32-bit x86); zqntadd.exe here is for another machine type",
        "use the driver package made for this Windows; zqdrvtl.exe here is for another machine type" },
    { 740, "The requested operation requires elevation.", nullptr,
        "the program asks to run as administrator, and the setup was not elevated",
        "run the whole setup as administrator (Run as administrator), so that zqrunadd.exe and the tools it "
        "starts are elevated",
        "run the whole setup as administrator (Run as administrator)" },
    { 1260, "This program is blocked by group policy. For more information, contact your system administrator.",
        nullptr, "group policy (software restriction or AppLocker) blocks the program",
        "ask the customer's administrator to allow zqntadd.exe in ProgramDir by group policy",
        "ask the customer's administrator to allow zqdrvtl.exe in the printer driver directory by group policy" },
    { 1392, "The file or directory is corrupted and unreadable.", "File or directory corrupt.",
        "the program file or its folder is damaged on disk",
        "run a disk check (chkdsk) on the drive of ProgramDir, then install the package again",
        "run a disk check (chkdsk) on the system drive, then install the driver again" },
    { 1450, "Insufficient system resources exist to complete the requested service.", "No system resources.",
        "the system ran out of resources (handles, pool memory) while starting the program",
        "restart the machine and run the setup again with no other setup running",
        "restart the machine and run the setup again with no other setup running" },
    { 14001,
        "The application has failed to start because its side-by-side configuration is incorrect. Please see the "
        "application event log or use the command-line sxstrace.exe tool for more detail.",
        nullptr, "the program's side-by-side configuration (its manifest or a run-time library it names) is wrong",
        "install the run-time library zqntadd.exe needs (the application event log names it), or replace "
        "zqntadd.exe from the package",
        "install the run-time library zqdrvtl.exe needs (the application event log names it)" },
};

// text, less blanks at its end, is row's text or begins with row's first sentence.
bool Matches(const std::string& text, const char* rowText)
{
    if (!rowText || strstr(rowText, "%1"))
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
