#include "report_lines.h"

#include "report_text.h"
#include "zqlog/words.h"

// A word of Breakable's: browsers break after a hyphen or a question mark
// ("-->" over two lines), so a word with one is kept whole.
static std::string Word(const std::string& word)
{
    if (word.find_first_of("-?") == std::string::npos)
        return Escaped(word);
    return "<span class=\"w\">" + Escaped(word) + "</span>";
}

// Escaped text that breaks only at blanks and after backslashes, never
// inside a word.
static std::string Breakable(const std::string& text)
{
    std::string out;
    size_t from = 0;
    for (size_t at; (at = text.find_first_of(" \\", from)) != std::string::npos; from = at + 1) {
        if (text[at] == ' ')
            out += Word(text.substr(from, at - from)) + " ";
        else
            out += Word(text.substr(from, at + 1 - from)) + "<wbr>";
    }
    return out + Word(text.substr(from));
}

static std::string Log(const ReportRun& run)
{
    if (run.log.empty())
        return "<p>The log is empty: the run wrote nothing.</p>\n";
    std::string html = "<table class=\"log\">\n<tr><th></th><th>line</th><th>what it says</th></tr>\n";
    for (size_t i = 0; i < run.log.size(); ++i) {
        const LineNote& note = run.log[i];
        html += std::string(note.own ? "<tr>" : "<tr class=\"other\">") + "<td class=\"n\">" + std::to_string(i + 1)
            + "</td><td><code>" + Breakable(note.text) + "</code></td><td>" + Escaped(Spoken(note.meaning))
            + "</td></tr>\n";
    }
    return html + "</table>\n";
}

std::string LinesSection(const Report& report)
{
    std::string html;
    for (const ReportRun& run : report.runs) {
        if (!run.notRun.empty())
            continue;
        html += "<h2>" + Escaped(run.version) + ": the log</h2>\n<p>The program's command line, with Wine reporting "
            + Escaped(run.version) + ":</p>\n<pre>" + Breakable(run.commandLine) + "</pre>\n" + Log(run);
    }
    return html;
}
