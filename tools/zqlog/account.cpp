#include "account.h"

#include <stdio.h>

namespace {

const size_t kHeldLimit = 1 << 20; // bytes of other programs' lines kept for showing before the first run

std::string Padded(const std::string& text, size_t width)
{
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string Plural(long n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

AccountWriter::AccountWriter(std::function<void(const std::string&)> write)
    : write_(std::move(write))
{
}

void AccountWriter::Put(const std::string& text)
{
    if (started_) {
        write_(text);
        return;
    }
    if (held_.size() + text.size() <= kHeldLimit)
        held_ += text;
    else
        ++notShown_;
}

void AccountWriter::RunBegins(int run, long line)
{
    if (!started_) {
        started_ = true;
        if (notShown_)
            held_ += "(" + Plural(notShown_, "more line", "more lines") + " of other programs not shown)\n";
        write_(held_);
        held_.clear();
    }
    Put("== run " + std::to_string(run) + ", from line " + std::to_string(line) + " ==\n");
}

void AccountWriter::Note(long line, const LineNote& note, size_t)
{
    char number[24];
    snprintf(number, sizeof number, "%6ld | ", line);
    Put(number + note.text + "\n       = " + note.meaning + "\n");
}

void AccountWriter::RunEnds(const RunAccount& account)
{
    std::string text = "-- run " + std::to_string(account.run) + ": lines " + std::to_string(account.firstLine) + " to "
        + std::to_string(account.lastLine) + " --\n";
    for (const StageState& stage : account.stages)
        text += "   " + Padded(stage.stage, 23) + stage.state + "\n";
    text += "   " + Padded("system", 23) + account.system + "\n\n";
    Put(text);
}

void AccountWriter::Close(const LogReader& reader)
{
    Put(Plural(reader.Runs(), "run", "runs") + " of zqrunadd in " + Plural(reader.Lines(), "line", "lines") + "; "
        + Plural(reader.OtherLines(), "line", "lines") + " of other programs\n");
}

std::string NotALog(const LogReader& reader)
{
    if (reader.Runs() > 0)
        return "";
    if (reader.Lines() == 0)
        return "the file is empty";
    if (reader.SawZeroByte())
        return "a binary file, not a log";
    return "no line of zqrunadd's in " + Plural(reader.Lines(), "line", "lines");
}

std::string AccountOf(const std::string& logBytes, unsigned codePage, int* status)
{
    std::string out;
    AccountWriter writer([&out](const std::string& text) { out += text; });
    LogReader reader(writer, codePage, ZQLOG_LINE_CAP);
    reader.Feed(logBytes.data(), logBytes.size());
    reader.Finish();
    std::string why = NotALog(reader);
    *status = why.empty() ? 0 : 2;
    if (!why.empty())
        return why + "\n";
    writer.Close(reader);
    return out;
}
