// zqlog: tells support staff what a ZQsetup.log says, run by run.
//   zqlog [--code-page N] FILE     (FILE "-": standard input)
// Exit status 0 when it read a log, failures in it or not; 2 when nothing in
// the file reads as a log, or on a usage error.
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "account.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

const char kUsage[] = "usage: zqlog [--code-page N] FILE   (FILE - reads standard input)\n"
                      "Tells what each run of zqrunadd in a ZQsetup.log did, line by line and stage by stage.\n"
                      "--code-page N  the code page the log was written in (default: this machine's ANSI code "
                      "page)\n";

unsigned DefaultCodePage()
{
#ifdef _WIN32
    return GetACP();
#else
    return 0; // byte by byte
#endif
}

// The account goes out as the log's bytes. Only a console gets it converted,
// from the log's code page, so that it shows right there.
class Output {
public:
    explicit Output(unsigned codePage)
    {
#ifdef _WIN32
        codePage_ = codePage;
        handle_ = GetStdHandle(STD_OUTPUT_HANDLE);
        DWORD mode;
        console_ = GetConsoleMode(handle_, &mode) != 0;
        _setmode(_fileno(stdout), _O_BINARY);
#else
        (void)codePage; // the host passes the bytes through
#endif
    }

    void Write(const std::string& text)
    {
        if (text.empty())
            return;
#ifdef _WIN32
        if (console_) {
            int n = MultiByteToWideChar(codePage_, 0, text.data(), (int)text.size(), NULL, 0);
            std::wstring wide(n, L'\0');
            MultiByteToWideChar(codePage_, 0, text.data(), (int)text.size(), &wide[0], n);
            DWORD written;
            WriteConsoleW(handle_, wide.data(), (DWORD)wide.size(), &written, NULL);
            return;
        }
#endif
        fwrite(text.data(), 1, text.size(), stdout);
    }

private:
#ifdef _WIN32
    unsigned codePage_;
    HANDLE handle_;
    bool console_;
#endif
};

int Usage(const char* problem)
{
    fprintf(stderr, "zqlog: %s\n%s", problem, kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    unsigned codePage = DefaultCodePage();
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--help") == 0) {
            fputs(kUsage, stdout);
            return 0;
        }
        if (strcmp(argv[i], "--code-page") == 0) {
            char* end = nullptr;
            if (i + 1 == argc || (codePage = (unsigned)strtoul(argv[++i], &end, 10), *end != 0 || end == argv[i]))
                return Usage("--code-page wants a number");
#ifdef _WIN32
            if (!IsValidCodePage(codePage))
                return Usage("that code page is not installed on this machine");
#endif
        } else if (path || (argv[i][0] == '-' && argv[i][1] != 0)) {
            return Usage(path ? "one file at a time" : "unknown option");
        } else {
            path = argv[i];
        }
    }
    if (!path)
        return Usage("no file named");

    FILE* in = stdin;
    if (strcmp(path, "-") == 0) {
#ifdef _WIN32
        _setmode(_fileno(stdin), _O_BINARY);
#endif
    } else if (!(in = fopen(path, "rb"))) {
        fprintf(stderr, "zqlog: %s: %s\n", path, strerror(errno));
        return 2;
    }

    Output output(codePage);
    AccountWriter writer([&output](const std::string& text) { output.Write(text); });
    LogReader reader(writer, codePage, ZQLOG_LINE_CAP);
    static char chunk[1 << 16];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, in)) > 0)
        reader.Feed(chunk, got);
    const bool failed = ferror(in) != 0;
    if (in != stdin)
        fclose(in);
    reader.Finish();
    if (failed) {
        fprintf(stderr, "zqlog: %s: a read failed part way\n", path);
        return 2;
    }
    std::string why = NotALog(reader);
    if (!why.empty()) {
        fprintf(stderr, "zqlog: %s: %s\n", path, why.c_str());
        return 2;
    }
    writer.Close(reader);
    fflush(stdout);
    return 0;
}
