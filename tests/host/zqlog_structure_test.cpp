// The shape of zqlog's code, which its tests cannot see by running it: no
// unit of tools/zqlog (a .cpp counted with its .h) includes one that includes
// it back, and no function is much longer than 60 lines.
#include <gtest/gtest.h>

#include <ctype.h>
#include <dirent.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "source_shape.h"

namespace {

const std::string kDir = ZQLOG_SOURCE_DIR;

std::vector<std::string> Sources()
{
    return SourceNames(kDir);
}

std::string Unit(const std::string& name)
{
    return name.substr(0, name.rfind('.'));
}

std::vector<std::string> Lines(const std::string& name)
{
    return FileLines(kDir + "/" + name);
}

} // namespace

TEST(ZqlogStructure, NoIncludeLoopAmongUnits)
{
    const std::vector<std::string> names = Sources();
    ASSERT_GT(names.size(), 10u);
    std::set<std::string> units;
    for (const std::string& name : names)
        units.insert(Unit(name));
    std::map<std::string, std::set<std::string>> edges;
    for (const std::string& name : names)
        for (const std::string& line : Lines(name)) {
            const std::string head = "#include \"";
            if (line.compare(0, head.size(), head) != 0)
                continue;
            const std::string included = Unit(line.substr(head.size(), line.find('"', head.size()) - head.size()));
            if (units.count(included) && included != Unit(name))
                edges[Unit(name)].insert(included);
        }
    std::map<std::string, int> state; // 1 on the path, 2 done
    std::vector<std::string> path;
    std::function<bool(const std::string&)> loops = [&](const std::string& unit) {
        state[unit] = 1;
        path.push_back(unit);
        for (const std::string& next : edges[unit]) {
            if (state[next] == 1)
                return path.push_back(next), true;
            if (state[next] == 0 && loops(next))
                return true;
        }
        path.pop_back();
        state[unit] = 2;
        return false;
    };
    for (const std::string& unit : units)
        if (state[unit] == 0 && loops(unit)) {
            std::ostringstream chain;
            for (const std::string& step : path)
                chain << step << " ";
            ADD_FAILURE() << "an include loop: " << chain.str();
            return;
        }
}

TEST(ZqlogStructure, NoFunctionMuchOverSixtyLines)
{
    for (const std::string& name : Sources())
        for (size_t open : LongFunctions(Lines(name), 62))
            ADD_FAILURE() << name << ": the function before line " << open << " is over 62 lines";
}

namespace {

// The string literals of a source, comments and character literals skipped;
// adjacent literals are kept apart, which only makes the check stricter.
std::vector<std::string> Literals(const std::string& name)
{
    std::ifstream in(kDir + "/" + name);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> found;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "//") == 0 || text.compare(i, 8, "#include") == 0)
            i = text.find('\n', i);
        else if (text.compare(i, 2, "/*") == 0)
            i = text.find("*/", i) + 1;
        else if (text[i] == '\'')
            i = text.find('\'', i + 1 + (text[i + 1] == '\\'));
        else if (text[i] == '"') {
            std::string literal;
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                if (text[i] == '\\')
                    literal += text[i++];
                literal += text[i];
            }
            found.push_back(literal);
        }
        if (i == std::string::npos)
            break;
    }
    return found;
}

// Two words with a blank between them: a sentence, or a piece of one.
bool IsSentence(const std::string& literal)
{
    for (size_t blank = literal.find(' '); blank != std::string::npos; blank = literal.find(' ', blank + 1)) {
        size_t before = blank, after = blank + 1;
        while (before > 0 && !isalpha((unsigned char)literal[before - 1]) && literal[before - 1] != ' ')
            --before;
        while (after < literal.size() && !isalpha((unsigned char)literal[after]) && literal[after] != ' ')
            ++after;
        if (before >= 2 && isalpha((unsigned char)literal[before - 1]) && isalpha((unsigned char)literal[before - 2])
            && after + 1 < literal.size() && isalpha((unsigned char)literal[after])
            && isalpha((unsigned char)literal[after + 1]))
            return true;
    }
    return false;
}

// A lower-case word standing alone in a literal with a blank: a piece of a
// sentence to be joined to others (" or ", "note: "). The program's name is
// no English.
bool IsPiece(const std::string& literal)
{
    if (literal.find(' ') == std::string::npos)
        return false;
    const std::string left = " (\"", right = " :),\"";
    for (size_t at = 0; at < literal.size();) {
        if (!islower((unsigned char)literal[at])) {
            ++at;
            continue;
        }
        size_t end = at;
        while (end < literal.size() && islower((unsigned char)literal[end]))
            ++end;
        const bool alone = (at == 0 || left.find(literal[at - 1]) != std::string::npos)
            && (end == literal.size() || right.find(literal[end]) != std::string::npos);
        if (alone && end - at >= 2 && literal.compare(at, 2, "zq") != 0)
            return true;
        at = end;
    }
    return false;
}

bool IsEnglish(const std::string& literal)
{
    return IsSentence(literal) || IsPiece(literal);
}

} // namespace

// Every English sentence of zqlog stands in words.cpp, so that its units hold
// ids only and the words are checked, changed or translated in one place.
// Only the system's own texts may stand elsewhere: start_errors.cpp keeps
// Windows' and Wine's error texts, which are matched byte for byte against a
// log's lines and never said by zqlog as its own. Ids, option names and
// JSON keys have no blank in them, so they pass.
TEST(ZqlogStructure, NoEnglishOutsideTheWordsTable)
{
    const std::set<std::string> allowed = { "words.cpp", "start_errors.cpp" };
    int checked = 0;
    for (const std::string& name : Sources()) {
        if (allowed.count(name))
            continue;
        ++checked;
        for (const std::string& literal : Literals(name))
            EXPECT_FALSE(IsEnglish(literal)) << name << ": \"" << literal << "\" belongs in words.cpp";
    }
    EXPECT_GT(checked, 10);
    // The check itself: it sees a sentence, and passes ids and options.
    const struct {
        const char* literal;
        bool english;
    } checks[] = {
        { "the run stops here", true }, { "not started: ", true }, { " (line ", true }, { "note: ", true },
        { " or \"", true }, { "run ", true }, { "--json-lines", false }, { "driver_tool_fax", false }, { "; ", false },
        { "   ", false }, { "\\zqntadd.exe\"", false }, { ".exe\" ", false }, { "%6ld | ", false },
        { " HKEY_LOCAL_MACHINE\\", false }, { "zqlog: %s: %s", false }, { "system", false }, // a JSON key
    };
    for (const auto& c : checks)
        EXPECT_EQ(c.english, IsEnglish(c.literal)) << c.literal;
}

// A run moves through the order, records what its texts say, begins, ends
// and gives way to the run kept aside only in engine.cpp, where Advance does
// it: nowhere else is a run's place, a launch's phase or cause, what a text
// recorded, or a run's lost, cut or glued lines assigned, nor the runs
// swapped. Only where each line stands (a run's last line, other programs'
// lines, zero bytes) is counted as the reader hands the line on.
TEST(ZqlogStructure, OnlyAdvanceMovesARun)
{
    const std::string field
        = "(step|firstStep|phase|cause|settingsEnd|settingsLine|spooler|spoolerLine|faxFlagLine|"
          "faxNameLine|nullLine|failedLine|systemText|code|dir|arg|command|cut|cutLines|gluedLines|"
          "gaps|named|lost|headless|interleaves|endedByRun|crashTail|number|first|last|zeroLines|others|"
          "othersPending|tieWith|tieLine|boundLast)";
    const std::string owner = "(run_|parkedRun_|run|launch|current|launches\\[\\w+\\]|l\\[\\w+\\])(\\.|->)";
    const std::regex moves(owner + field + "\\s*(=[^=]|\\+=|-=|\\+\\+)|\\+\\+" + owner + field
        + "\\b|swap\\(run_|^\\s*inRun_ = |\\blaunches\\[\\w+\\] = ");
    for (const std::string& name : Sources()) {
        if (name == "engine.cpp" || name == "interleave.cpp") // the engine, in two files
            continue;
        const std::vector<std::string> lines = Lines(name);
        for (size_t i = 0; i < lines.size(); ++i)
            EXPECT_FALSE(std::regex_search(lines[i], moves)) << name << ":" << i + 1 << ": " << lines[i];
    }
    // The check itself: it sees what the reader once did by hand.
    EXPECT_TRUE(std::regex_search("        run_.step = StepOf(launch, PHASE_WARNED);", moves));
    EXPECT_TRUE(std::regex_search("    launch.phase = PHASE_COMMAND;", moves));
    EXPECT_TRUE(std::regex_search("        std::swap(run_, parkedRun_);", moves));
    EXPECT_TRUE(std::regex_search("    ++run_.cutLines;", moves));
    EXPECT_TRUE(std::regex_search("        run_.last = line.number;", moves));
    EXPECT_TRUE(std::regex_search("        run_.othersPending += inRun_;", moves));
    EXPECT_FALSE(std::regex_search("    if (launch.phase == PHASE_WARNED) {", moves));
}

namespace {

// The units included by a file: its "#include" lines, by their names.
std::set<std::string> Includes(const std::string& name)
{
    std::set<std::string> included;
    const std::string head = "#include \"";
    for (const std::string& line : Lines(name))
        if (line.compare(0, head.size(), head) == 0)
            included.insert(line.substr(head.size(), line.find('"', head.size()) - head.size()));
    return included;
}

// The stages in their order. A stage hands the next only plain data, so a
// later stage includes no header of an earlier one but the data headers;
// the reader alone drives the stage right before it, the line source and
// the classifier, as it reads.
struct Stage {
    const char* name;
    std::vector<std::string> files;
    bool drivesTheOneBefore;
};
const Stage kStages[] = {
    { "lines", { "line_source.h", "line_source.cpp", "classify.h", "classify.cpp", "code_page_guess.h" }, false },
    { "reader",
        { "log_reader.h", "log_reader.cpp", "reader_lines.cpp", "commands.cpp", "engine.cpp", "interleave.cpp",
            "ties.cpp" },
        true },
    { "record",
        { "build_record.h", "build_record.cpp", "advice.h", "advice.cpp", "evidence.h", "evidence.cpp", "indistinct.h",
            "indistinct.cpp" },
        false },
    { "printers", { "account.h", "account.cpp", "json_output.cpp" }, false },
};
// What one stage hands on, which any later stage may include.
const std::set<std::string> kDataHeaders
    = { "file_facts.h", "run_facts.h", "line_notes.h", "run_record.h", "grammar.h" };

} // namespace

TEST(ZqlogStructure, EachStageTakesOnlyTheDataOfTheOnesBefore)
{
    const std::vector<std::string> sources = Sources();
    const std::set<std::string> present(sources.begin(), sources.end());
    for (size_t later = 0; later < std::size(kStages); ++later)
        for (const std::string& file : kStages[later].files) {
            ASSERT_TRUE(present.count(file)) << file << " is gone: mend the table of stages";
            const std::set<std::string> included = Includes(file);
            for (size_t earlier = 0; earlier < later; ++earlier) {
                if (earlier + 1 == later && kStages[later].drivesTheOneBefore)
                    continue;
                for (const std::string& header : kStages[earlier].files)
                    EXPECT_FALSE(included.count(header) && !kDataHeaders.count(header))
                        << file << " (" << kStages[later].name << ") includes " << header << " ("
                        << kStages[earlier].name << ")";
            }
        }
    // The data headers themselves name no stage's code.
    for (const std::string& data : kDataHeaders)
        for (const Stage& stage : kStages)
            for (const std::string& header : stage.files)
                EXPECT_FALSE(Includes(data).count(header) && !kDataHeaders.count(header))
                    << data << " includes " << header;
}

// A friend, or a later stage that keeps the reader, reaches back past the
// data; a record that says its causes in English leaves the printers nothing
// to put into words.
TEST(ZqlogStructure, NoStageReachesBackIntoTheReader)
{
    const struct {
        const char* file;
        const char* pattern;
    } kForbidden[] = {
        { nullptr, "\\bfriend\\b" }, // every file
        { "build_record.cpp", "\\bLogReader\\b" },
        { "evidence.cpp", "\\bLogReader\\b" },
        { "account.h", "\\bLogReader\\b" },
        { "account.cpp", "\\bLogReader\\b" },
        { "json_output.cpp", "\\bLogReader\\b" },
        // The record holds ids of words: it makes no English of its own.
        { "build_record.cpp", "\\b(Say|Word|Spoken)\\(" },
        { "evidence.cpp", "\\b(Say|Word|Spoken)\\(" },
        { "advice.cpp", "\\b(Say|Word|Spoken)\\(" },
        { "run_facts.h", "\\b(Say|Word|Spoken)\\(" },
        // Nor does the reader: each line's meaning is a Phrase, which the
        // printers put into words.
        { "log_reader.h", "\\b(Say|Word|Spoken)\\(" },
        { "log_reader.cpp", "\\b(Say|Word|Spoken)\\(" },
        { "reader_lines.cpp", "\\b(Say|Word|Spoken)\\(" },
        { "commands.cpp", "\\b(Say|Word|Spoken)\\(" },
        { "engine.cpp", "\\b(Say|Word|Spoken)\\(" },
        { "meanings.cpp", "\\b(Say|Word|Spoken)\\(" },
        { "line_notes.h", "\\b(Say|Word|Spoken)\\(" },
    };
    const std::vector<std::string> sources = Sources();
    const std::set<std::string> present(sources.begin(), sources.end());
    for (const auto& row : kForbidden)
        EXPECT_TRUE(!row.file || present.count(row.file)) << row.file << " is gone: mend the table";
    // The check itself: it sees the words the reader once made, and passes ids.
    const std::regex says(kForbidden[std::size(kForbidden) - 1].pattern);
    EXPECT_TRUE(std::regex_search("        why = Say(W_NEW_RUN_HERE, { Number(run_.last) });", says));
    EXPECT_TRUE(std::regex_search("    Emit(PopFront(), true, Word(W_FIRST_LINE_CUT));", says));
    EXPECT_FALSE(std::regex_search("    Emit(PopFront(), true, Sentence(W_FIRST_LINE_CUT));", says));
    EXPECT_FALSE(std::regex_search("    return Sentence(StageWord(at));", says));
    for (const auto& row : kForbidden)
        for (const std::string& name : sources) {
            if (row.file && name != row.file)
                continue;
            const std::regex pattern(row.pattern);
            const std::vector<std::string> lines = Lines(name);
            for (size_t i = 0; i < lines.size(); ++i) {
                const std::string code = lines[i].substr(0, lines[i].find("//"));
                EXPECT_FALSE(std::regex_search(code, pattern)) << name << ":" << i + 1 << ": " << lines[i];
            }
        }
}
