#include "account.h"

#include <stdio.h>

#include "wording.h"

namespace {

const size_t kHeldLimit = 1 << 20; // bytes of a run's lines (or of what stands before the first run) kept for showing

std::string Padded(const std::string& text, size_t width)
{
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string Plural(long n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

AccountWriter::AccountWriter(std::function<void(const std::string&)> write, AccountOptions options)
    : write_(std::move(write))
    , options_(options)
{
    if (options_.json)
        options_.summary = false;
}

void AccountWriter::Top()
{
    if (topDone_)
        return;
    topDone_ = true;
    const Conversion found = reader_ ? reader_->Source().Found() : CONV_NONE;
    const Conversion ends = reader_ ? reader_->Source().LineEnds() : CONV_NONE;
    if (options_.json) {
        const char* id = ConversionId(found);
        write_(std::string("{\"format\":1,\"conversion\":") + (id ? "\"" + std::string(id) + "\"" : "null")
            + ",\"code_page\":" + std::to_string(options_.codePage) + ",\"runs\":[");
        return;
    }
    const std::string said = ConversionSaid(found, ends);
    if (!said.empty())
        write_(said + "\n\n");
}

void AccountWriter::Out(const std::string& text)
{
    Top();
    if (!text.empty())
        write_(text);
}

void AccountWriter::Put(const std::string& text)
{
    std::string& held = started_ ? run_ : before_;
    if (held.size() + text.size() <= kHeldLimit)
        held += text;
    else
        ++notShown_;
}

void AccountWriter::RunBegins(int, long)
{
    if (!started_) {
        started_ = true;
        if (notShown_)
            before_ += "(" + Plural(notShown_, "more line", "more lines") + " of other programs not shown)\n";
        notShown_ = 0;
        const bool all = !options_.failedOnly && options_.last == 0;
        if (!options_.summary && !options_.json && all)
            Out(before_);
        before_.clear();
        before_.shrink_to_fit();
    }
    run_.clear();
}

void AccountWriter::Note(long line, const LineNote& note, size_t)
{
    if (options_.summary || options_.json)
        return;
    char number[24];
    snprintf(number, sizeof number, "%6ld | ", line);
    Put(number + note.text + "\n       = " + note.meaning + "\n");
}

void AccountWriter::RunEnds(const RunRecord& record)
{
    ++counts_[record.verdict];
    // --last takes the file's last runs, then --failed filters them.
    if (options_.failedOnly && record.verdict == VERDICT_OK && options_.last == 0) {
        run_.clear();
        notShown_ = 0;
        return;
    }
    std::string text;
    if (options_.json)
        text = Json(record);
    else if (options_.summary) {
        text = "run " + std::to_string(record.run) + "  lines " + std::to_string(record.firstLine) + "-"
            + std::to_string(record.lastLine) + "  " + VerdictId(record.verdict);
        std::string stages;
        for (int s = 0; s < STAGE_COUNT; ++s)
            if (record.stages[s].state == STATE_FAILED || record.stages[s].state == STATE_UNFINISHED)
                stages += std::string(stages.empty() ? "  " : " ") + StageId((Stage)s) + "="
                    + StateId(record.stages[s].state);
        text += stages.empty() && !record.why.empty() ? "  (" + record.why + ")\n" : stages + "\n";
    } else {
        text = "== " + VerdictLine(record) + " ==\n";
        for (int s = 0; s < STAGE_COUNT; ++s)
            text += "   " + Padded(StateId(record.stages[s].state), 12) + Padded(StageName((Stage)s), 23)
                + record.stages[s].cause + "\n";
        text += "   " + Padded("", 12) + Padded("system", 23) + record.system + "\n";
        for (const std::string& note : record.notes)
            text += "   note: " + note + "\n";
        text += run_;
        if (notShown_)
            text += "(" + Plural(notShown_, "more line", "more lines") + " of this run not shown)\n";
        text += "\n";
    }
    run_.clear();
    notShown_ = 0;
    if (options_.last > 0) {
        last_.emplace_back(record.verdict, std::move(text));
        if ((long)last_.size() > options_.last)
            last_.pop_front();
        return;
    }
    if (options_.json && shown_ > 0)
        text = "," + text;
    ++shown_;
    Out(text);
}

void AccountWriter::Close(const LogReader& reader)
{
    if (!reader_)
        reader_ = &reader;
    for (auto& held : last_) {
        if (options_.failedOnly && held.first == VERDICT_OK)
            continue;
        std::string& text = held.second;
        if (options_.json && shown_ > 0)
            text = "," + text;
        ++shown_;
        Out(text);
    }
    last_.clear();
    if (options_.json) {
        Out("],\"counts\":{\"ok\":" + std::to_string(counts_[VERDICT_OK]) + ",\"failed\":"
            + std::to_string(counts_[VERDICT_FAILED]) + ",\"incomplete\":" + std::to_string(counts_[VERDICT_INCOMPLETE])
            + "},\"lines\":" + std::to_string(reader.Lines())
            + ",\"other_lines\":" + std::to_string(reader.OtherLines()) + "}\n");
        return;
    }
    Out(ClosingLine(counts_, reader.Lines(), reader.OtherLines()) + "\n");
}

std::string NotALog(const LogReader& reader)
{
    if (reader.Runs() > 0)
        return "";
    if (reader.Source().Binary() || (reader.SawZeroByte() && reader.Lines() <= 1))
        return "a binary file, not a log";
    if (reader.Lines() == 0)
        return "the file is empty";
    return "no line of zqrunadd's in " + Plural(reader.Lines(), "line", "lines");
}

std::string AccountOf(const std::string& logBytes, unsigned codePage, int* status, AccountOptions options)
{
    std::string out;
    options.codePage = codePage;
    AccountWriter writer([&out](const std::string& text) { out += text; }, options);
    LogReader reader(writer, codePage, ZQLOG_LINE_CAP, writer.Words(), writer.Causes());
    writer.Attach(reader);
    reader.Feed(logBytes.data(), logBytes.size());
    reader.Finish();
    std::string why = NotALog(reader);
    *status = why.empty() ? 0 : 2;
    if (!why.empty())
        return why + "\n";
    writer.Close(reader);
    return out;
}
