// zqlog: tells support staff what a ZQsetup.log says, run by run.
//   zqlog [--summary | --json | --json-lines] [--failed] [--last N] [--code-page N] FILE   (FILE "-": standard input)
// Exit status 0 when it read a log, failures in it or not; 2 when nothing in
// the file reads as a log, or on a usage error.
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <string>

#include "account.h"
#include "code_pages.h"
#include "log_reader.h"
#include "words.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

void PrintUsage(FILE* to)
{
#ifdef _WIN32
    const WordId defaultPage = W_USAGE_DEFAULT_WINDOWS;
#else
    const WordId defaultPage = W_USAGE_DEFAULT_HOST;
#endif
    fputs(Say(W_USAGE, { KnownCodePages(), Word(defaultPage) }).c_str(), to);
}

unsigned DefaultCodePage()
{
#ifdef _WIN32
    return IsKnownCodePage(GetACP()) ? GetACP() : 1252;
#else
    return 1252;
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
        setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    }

    // JSON, and the text of a log re-saved as UTF-8 or UTF-16, are UTF-8.
    void Utf8()
    {
#ifdef _WIN32
        codePage_ = CP_UTF8;
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

int Usage(const std::string& problem)
{
    fputs(Say(W_USAGE_PROBLEM, { problem }).c_str(), stderr);
    return 2;
}

int Usage(WordId problem)
{
    return Usage(std::string(Word(problem)));
}

bool Number(const char* text, long* value)
{
    char* end = nullptr;
    errno = 0;
    *value = strtol(text, &end, 10);
    return end != text && *end == 0 && errno == 0;
}

// A refusal: the one line on standard error, and under JSON the document too.
int Refuse(const AccountOptions& options, const FileFacts* file, const char* id, const std::string& text)
{
    fprintf(stderr, "zqlog: %s: %s\n", options.inputName.c_str(), text.c_str());
    if (options.Json()) {
        const std::string doc = RefusalJson(options, file, { id, text });
        fwrite(doc.data(), 1, doc.size(), stdout);
    }
    return 2;
}

// Feeds the whole of in to reader; false when a read failed.
bool FeedAll(FILE* in, LogReader& reader)
{
    static char chunk[1 << 18];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, in)) > 0)
        reader.Feed(chunk, got);
    return ferror(in) == 0;
}

// A file is read twice where its causes are wanted: first for the facts of
// every run, so that evidence may come from later runs too. Standard input is
// read once.
bool FirstPass(FILE* in, const AccountOptions& options, LogFacts* facts)
{
    SilentSink none;
    LogReader reader(none, options.codePage, 256, false, false);
    if (!FeedAll(in, reader) || fseek(in, 0, SEEK_SET) != 0)
        return false;
    reader.Finish();
    *facts = reader.Facts();
    return true;
}

int Read(const char* path, AccountOptions options)
{
    FILE* in = stdin;
    // Only a file that can be read again gets the first pass; a pipe named
    // as a file (a shell's <(...)) is read once, as standard input is.
    bool again = false;
    if (strcmp(path, "-") == 0) {
#ifdef _WIN32
        _setmode(_fileno(stdin), _O_BINARY);
#endif
    } else {
        struct stat info;
        if (stat(path, &info) == 0 && S_ISDIR(info.st_mode))
            return Refuse(options, nullptr, "folder", Word(W_FOLDER_NOT_FILE));
        if (!(in = fopen(path, "rb")))
            return Refuse(options, nullptr, "cannot_open", strerror(errno));
        again = fstat(fileno(in), &info) == 0 && S_ISREG(info.st_mode);
    }
    options.readOnce = !again && !options.summary;
    LogFacts facts;
    const bool ahead = again && !options.summary;
    if (ahead && !FirstPass(in, options, &facts)) {
        fclose(in);
        return Refuse(options, nullptr, "read_failed", Word(W_READ_FAILED));
    }
    Output output(options.codePage);
    const LogReader* read = nullptr;
    bool first = true;
    AccountWriter writer(
        [&](const std::string& text) {
            const Conversion found = read->Source().Found();
            if (first
                && (options.Json() || found == CONV_UTF8 || found == CONV_UTF8_BOM || found == CONV_UTF16LE
                    || found == CONV_UTF16BE))
                output.Utf8();
            first = false;
            output.Write(text);
        },
        options);
    LogReader reader(writer, options.codePage, ZQLOG_LINE_CAP, writer.Words(), writer.Causes());
    read = &reader;
    if (ahead)
        reader.Foresee(facts);
    const bool failed = !FeedAll(in, reader);
    if (in != stdin)
        fclose(in);
    reader.Finish();
    const FileFacts file = reader.File();
    if (failed)
        return Refuse(options, &file, "read_failed", Word(W_READ_FAILED));
    const Refusal refusal = RefusalOf(file);
    if (refusal.id)
        return Refuse(options, &file, refusal.id, refusal.text);
    writer.Close(file);
    fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    AccountOptions options;
    options.codePage = DefaultCodePage();
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        long value = 0;
        if (strcmp(arg, "--help") == 0) {
            PrintUsage(stdout);
            return 0;
        } else if (strcmp(arg, "--summary") == 0)
            options.summary = true;
        else if (strcmp(arg, "--json") == 0)
            options.json = true;
        else if (strcmp(arg, "--json-lines") == 0)
            options.jsonLines = true;
        else if (strcmp(arg, "--failed") == 0)
            options.failedOnly = true;
        else if (strcmp(arg, "--last") == 0) {
            if (i + 1 == argc || !Number(argv[++i], &value) || value < 1)
                return Usage(W_LAST_WANTS_NUMBER);
            options.last = value;
        } else if (strcmp(arg, "--code-page") == 0) {
            if (i + 1 == argc || !Number(argv[++i], &value) || value < 0 || !IsKnownCodePage((unsigned)value)) {
                fputs(Say(W_CODE_PAGE_TAKES, { KnownCodePages() }).c_str(), stderr);
                return 2;
            }
            options.codePage = (unsigned)value;
        } else if (path || (arg[0] == '-' && arg[1] != 0))
            return path ? Usage(W_ONE_FILE_AT_A_TIME) : Usage(Say(W_UNKNOWN_OPTION, { arg }));
        else
            path = arg;
    }
    if (!path)
        return Usage(W_NO_FILE_NAMED);
    if (options.summary && options.Json())
        return Usage(Say(W_SUMMARY_AND_JSON, { options.json ? "--json" : "--json-lines" }));
    if (options.json && options.jsonLines)
        return Usage(W_JSON_AND_JSON_LINES);
    options.inputName = path;
    return Read(path, options);
}
