// The zqlog program itself, through its command line: its options, the
// files it refuses (under --json one document with error, status 2), the
// one line on standard error, and standard input read once.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "zqlog/two_runs.h"

extern char** environ;

namespace {

using nlohmann::json;

const std::string kTwoRuns = kTwoRunsLog;
const char kTwoRunsSummary[]
    = "run 1  lines 1-16  failed  fax=failed printer=failed\n"
      "run 2  lines 17-26  ok\n"
      "2 runs of zqrunadd (1 ok, 1 failed, 0 incomplete) in 26 lines; 0 lines of other programs\n";

struct Ran {
    int status = -1;
    std::string out, err;
};

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Spit(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Where the program reads from: a file, or a pipe the test fills.
enum Feed { FEED_NULL, FEED_FILE, FEED_PIPE };

class Folder {
public:
    Folder()
    {
        char name[] = "/tmp/zqlog_cli_XXXXXX";
        path_ = mkdtemp(name) ? name : "";
    }
    ~Folder()
    {
        if (!path_.empty())
            system(("rm -rf '" + path_ + "'").c_str());
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Runs zqlog with args, standard input fed with input (a file's or a pipe's).
Ran RunZqlog(const std::string& dir, const std::vector<std::string>& args, Feed feed, const std::string& input)
{
    const std::string outPath = dir + "/stdout", errPath = dir + "/stderr", inPath = dir + "/stdin";
    int fds[2] = { -1, -1 };
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (feed == FEED_PIPE) {
        if (pipe(fds) != 0)
            return {};
        posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
        posix_spawn_file_actions_addclose(&actions, fds[1]);
    } else {
        Spit(inPath, input);
        posix_spawn_file_actions_addopen(&actions, 0, feed == FEED_FILE ? inPath.c_str() : "/dev/null", O_RDONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv { const_cast<char*>(ZQLOG_PROGRAM) };
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid;
    const int spawned = posix_spawn(&pid, ZQLOG_PROGRAM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (feed == FEED_PIPE) {
        close(fds[0]);
        // The logs here fit in the pipe's buffer, so this does not wait on the reader.
        if (spawned == 0 && write(fds[1], input.data(), input.size()) != (ssize_t)input.size())
            ADD_FAILURE() << "the pipe took less than the log";
        close(fds[1]);
    }
    Ran ran;
    int wstatus = 0;
    if (spawned != 0 || waitpid(pid, &wstatus, 0) != pid || !WIFEXITED(wstatus))
        return ran;
    ran.status = WEXITSTATUS(wstatus);
    ran.out = Slurp(outPath);
    ran.err = Slurp(errPath);
    return ran;
}

// What standard output holds.
enum Out { OUT_NONE, OUT_TEXT, OUT_JSON, OUT_JSON_LINES };

struct CliCase {
    const char* what;
    std::vector<std::string> args; // "@" stands for the test's folder
    Feed feed;
    std::string input;
    int status;
    Out out;
    const char* text; // OUT_TEXT: the whole of standard output
    // OUT_JSON(_LINES): a pointer and its value (the lines as an array; "#" their count)
    std::vector<std::pair<const char*, json>> fields;
    const char* err; // a part of the one line on standard error; nullptr for none
};

std::string Placed(const std::string& arg, const std::string& dir)
{
    return arg[0] == '@' ? dir + arg.substr(1) : arg;
}

// The whole of standard output as JSON: one document, or one per line.
json Parsed(const std::string& out, Out kind)
{
    if (kind == OUT_JSON)
        return json::parse(out); // throws on anything after the one document
    json lines = json::array();
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(json::parse(line));
    return lines;
}

void Check(const CliCase& c, const Ran& ran)
{
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.status, ran.status) << ran.err;
    if (c.err) {
        EXPECT_EQ(0u, ran.err.rfind("zqlog: ", 0)) << ran.err;
        EXPECT_NE(std::string::npos, ran.err.find(c.err)) << ran.err;
        EXPECT_EQ(ran.err.size() - 1, ran.err.find('\n')) << "one line: " << ran.err;
    } else
        EXPECT_EQ("", ran.err);
    switch (c.out) {
    case OUT_NONE:
        EXPECT_EQ("", ran.out);
        break;
    case OUT_TEXT:
        EXPECT_EQ(c.text, ran.out);
        break;
    case OUT_JSON:
    case OUT_JSON_LINES: {
        json doc;
        try {
            doc = Parsed(ran.out, c.out);
        } catch (const json::exception& e) {
            ADD_FAILURE() << e.what() << ": " << ran.out;
            return;
        }
        for (const auto& field : c.fields) {
            if (field.first == std::string("#")) { // how many lines
                EXPECT_EQ(field.second, doc.size());
                continue;
            }
            const json::json_pointer at(field.first);
            ASSERT_TRUE(doc.contains(at)) << field.first << " in " << doc.dump();
            EXPECT_EQ(field.second, doc[at]) << field.first;
        }
        // A refused file's document says that and no more.
        const json& last = doc.is_array() && !doc.empty() ? doc.back() : doc;
        if (last.contains("error")) {
            EXPECT_EQ(2, c.status);
            for (const char* key : { "zqlog_version", "format", "input", "error" })
                EXPECT_TRUE(last.contains(key)) << key;
            EXPECT_EQ(4u, last.size()) << last.dump();
            EXPECT_TRUE(last["error"]["text"].is_string());
        }
        break;
    }
    }
}

} // namespace

TEST(ZqlogCli, OptionsFilesAndRefusals)
{
    Folder dir;
    ASSERT_NE("", dir.Path());
    Spit(dir.Path() + "/two.log", kTwoRuns);
    Spit(dir.Path() + "/zeros.log", std::string(4096, '\0'));
    Spit(dir.Path() + "/empty.log", "");
    Spit(dir.Path() + "/other.log", "Setup of another product\r\ndone\r\n");
    Spit(dir.Path() + "/binary.log", std::string("MZ\x90\0\x03\0\0\0\r\n\x04\0", 12));
    ASSERT_EQ(0, mkdir((dir.Path() + "/folder").c_str(), 0700));
    const json size = kTwoRuns.size();
    const std::string zeros(4096, '\0');
    const CliCase cases[] = {
        // A log read.
        { "the account of a file", { "@/two.log" }, FEED_NULL, "", 0, OUT_TEXT, kTwoRunsAccount, {}, nullptr },
        { "--summary", { "--summary", "@/two.log" }, FEED_NULL, "", 0, OUT_TEXT, kTwoRunsSummary, {}, nullptr },
        { "--summary of standard input", { "--summary", "-" }, FEED_FILE, kTwoRuns, 0, OUT_TEXT, kTwoRunsSummary, {},
            nullptr },
        { "--last 1 --summary: the file's own run numbers and counts", { "--last", "1", "--summary", "@/two.log" },
            FEED_NULL, "", 0, OUT_TEXT,
            "run 2  lines 17-26  ok\n"
            "2 runs of zqrunadd (1 ok, 1 failed, 0 incomplete) in 26 lines; 0 lines of other programs\n",
            {}, nullptr },
        { "--json of a file: read twice, no read_once", { "--json", "@/two.log" }, FEED_NULL, "", 0, OUT_JSON, "",
            { { "/format", 2 }, { "/input/bytes", size }, { "/input/lines", 26 }, { "/code_page", 1252 },
                { "/runs/0/why", "fax_start_failed" }, { "/runs/0/stages/fax/error/code", 2 },
                { "/runs/1/verdict", "ok" }, { "/counts", { { "ok", 1 }, { "failed", 1 }, { "incomplete", 0 } } },
                { "/notes", json::array() } },
            nullptr },
        { "--json of standard input: read once, and said", { "--json", "-" }, FEED_FILE, kTwoRuns, 0, OUT_JSON, "",
            { { "/input/name", "-" }, { "/input/bytes", size }, { "/runs/0/verdict", "failed" },
                { "/notes/0/id", "read_once" } },
            nullptr },
        { "a pipe named as the file is read once, as standard input is", { "--json", "/dev/stdin" }, FEED_PIPE,
            kTwoRuns, 0, OUT_JSON, "",
            { { "/input/name", "/dev/stdin" }, { "/runs/0/why", "fax_start_failed" }, { "/notes/0/id", "read_once" } },
            nullptr },
        { "--json-lines: a run a line, then the file's", { "--json-lines", "@/two.log" }, FEED_NULL, "", 0,
            OUT_JSON_LINES, "",
            { { "/0/run", 1 }, { "/0/verdict", "failed" }, { "/1/run", 2 }, { "/2/format", 2 },
                { "/2/counts/failed", 1 }, { "#", 3 } },
            nullptr },
        { "--failed --last 1: the last run is ok, so none shown; counts of every run",
            { "--failed", "--last", "1", "--json", "@/two.log" }, FEED_NULL, "", 0, OUT_JSON, "",
            { { "/runs", json::array() }, { "/counts/ok", 1 }, { "/counts/failed", 1 } }, nullptr },
        { "--code-page", { "--code-page", "932", "--json", "@/two.log" }, FEED_NULL, "", 0, OUT_JSON, "",
            { { "/code_page", 932 } }, nullptr },
        // Refused files: one line on standard error, status 2, and under JSON one document.
        { "a file of only zero bytes", { "@/zeros.log" }, FEED_NULL, "", 2, OUT_NONE, "", {}, "only zero bytes" },
        { "a file of only zero bytes, --json", { "--json", "@/zeros.log" }, FEED_NULL, "", 2, OUT_JSON, "",
            { { "/error/id", "zero_bytes_only" }, { "/input/bytes", 4096 } }, "only zero bytes" },
        { "a file of only zero bytes, --json-lines", { "--json-lines", "@/zeros.log" }, FEED_NULL, "", 2,
            OUT_JSON_LINES, "", { { "/0/error/id", "zero_bytes_only" }, { "#", 1 } }, "only zero bytes" },
        { "only zero bytes on standard input", { "--json", "-" }, FEED_FILE, zeros, 2, OUT_JSON, "",
            { { "/error/id", "zero_bytes_only" }, { "/input/name", "-" } }, "only zero bytes" },
        { "no line of the program's: nothing of the file is shown", { "@/other.log" }, FEED_NULL, "", 2, OUT_NONE, "",
            {}, "no line of zqrunadd's in 2 lines" },
        { "an empty file", { "--json", "@/empty.log" }, FEED_NULL, "", 2, OUT_JSON, "",
            { { "/error/id", "empty" }, { "/input/bytes", 0 } }, "empty" },
        { "a binary file", { "--json", "@/binary.log" }, FEED_NULL, "", 2, OUT_JSON, "", { { "/error/id", "binary" } },
            "binary" },
        { "a folder", { "@/folder" }, FEED_NULL, "", 2, OUT_NONE, "", {}, "a folder" },
        { "a folder, --json: nothing to count", { "--json", "@/folder" }, FEED_NULL, "", 2, OUT_JSON, "",
            { { "/error/id", "folder" }, { "/input/bytes", nullptr }, { "/input/lines", nullptr } }, "a folder" },
        { "a missing file, --json", { "--json", "@/missing.log" }, FEED_NULL, "", 2, OUT_JSON, "",
            { { "/error/id", "cannot_open" }, { "/input/bytes", nullptr } }, "missing.log" },
        // Usage: the one line, no output.
        { "an unknown option", { "--bogus", "@/two.log" }, FEED_NULL, "", 2, OUT_NONE, "", {},
            "unknown option --bogus" },
        { "no file", {}, FEED_NULL, "", 2, OUT_NONE, "", {}, "no file named" },
        { "two files", { "@/two.log", "@/two.log" }, FEED_NULL, "", 2, OUT_NONE, "", {}, "one file at a time" },
        { "--last 0", { "--last", "0", "@/two.log" }, FEED_NULL, "", 2, OUT_NONE, "", {}, "--last wants a number" },
        { "--last with nothing after it", { "--last" }, FEED_NULL, "", 2, OUT_NONE, "", {}, "--last wants a number" },
        { "--last with a word", { "--last", "two", "@/two.log" }, FEED_NULL, "", 2, OUT_NONE, "", {},
            "--last wants a number" },
        { "an unknown code page", { "--code-page", "1", "@/two.log" }, FEED_NULL, "", 2, OUT_NONE, "", {},
            "--code-page takes one of" },
        { "--code-page with nothing after it", { "--code-page" }, FEED_NULL, "", 2, OUT_NONE, "", {},
            "--code-page takes one of" },
        { "--summary with --json", { "--summary", "--json", "@/two.log" }, FEED_NULL, "", 2, OUT_NONE, "", {},
            "--summary and --json do not go together" },
        { "--summary with --json-lines", { "--summary", "--json-lines", "@/two.log" }, FEED_NULL, "", 2, OUT_NONE, "",
            {}, "--summary and --json-lines do not go together" },
        { "--json with --json-lines", { "--json", "--json-lines", "@/two.log" }, FEED_NULL, "", 2, OUT_NONE, "", {},
            "--json and --json-lines do not go together" },
    };
    for (const CliCase& c : cases) {
        std::vector<std::string> args;
        for (const std::string& arg : c.args)
            args.push_back(Placed(arg, dir.Path()));
        Check(c, RunZqlog(dir.Path(), args, c.feed, c.input));
    }
}

TEST(ZqlogCli, HelpTellsTheUsage)
{
    Folder dir;
    const Ran ran = RunZqlog(dir.Path(), { "--help" }, FEED_NULL, "");
    EXPECT_EQ(0, ran.status);
    EXPECT_EQ(0u, ran.out.rfind("usage: zqlog ", 0)) << ran.out;
    EXPECT_NE(std::string::npos, ran.out.find("1252")) << "the default code page";
}
