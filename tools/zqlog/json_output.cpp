// The JSON of an account, format 2 (docs/support-staff.md documents it field
// by field): one document, or one line per run and one for the file. All of
// it made with nlohmann's JSON; the log's text turned into UTF-8 from its code
// page.
#include <algorithm>
#include <deque>

#include <nlohmann/json.hpp>

#include "account.h"
#include "code_pages.h"
#include "wording.h"

#ifndef ZQLOG_VERSION
#define ZQLOG_VERSION "0"
#endif

using Json = nlohmann::ordered_json;

class JsonAccount {
public:
    explicit JsonAccount(const AccountOptions& options)
        : options(options)
    {
    }
    AccountOptions options;
    std::deque<std::pair<Verdict, Json>> runs; // for one document
};

namespace {

// Text from the log, as UTF-8: converted from the code page unless the log was UTF-8 or UTF-16 already.
struct Utf8 {
    bool already;
    unsigned codePage;
    Json operator()(const std::string& bytes) const { return already ? bytes : ToUtf8(bytes, codePage); }
    Json OrNull(const std::string& bytes) const { return bytes.empty() ? Json(nullptr) : (*this)(bytes); }
};

Utf8 TextOf(const FileFacts& file, unsigned codePage)
{
    const Conversion found = file.found;
    return { found == CONV_UTF8 || found == CONV_UTF8_BOM || found == CONV_UTF16LE || found == CONV_UTF16BE, codePage };
}

Json Notes(const std::vector<RunNote>& notes, const Utf8& text)
{
    Json out = Json::array();
    for (const RunNote& note : notes)
        out.push_back({ { "id", NoteIdText(note.id) }, { "text", text(Spoken(note.text)) } });
    return out;
}

Json StageJson(const StageRecord& stage, const Utf8& text)
{
    Json one;
    one["state"] = StateId(stage.state);
    one["line"] = stage.line ? Json(stage.line) : Json(nullptr);
    one["failure_line"] = text.OrNull(stage.failureLine);
    one["error"] = Json(nullptr);
    if (stage.error.present)
        one["error"] = { { "code", stage.error.hasCode ? Json(stage.error.code) : Json(nullptr) },
            { "text", text.OrNull(stage.error.text) }, { "known", stage.error.known } };
    one["command"] = Json(nullptr);
    if (stage.command)
        one["command"] = { { "program", text(stage.program) }, { "arguments", text(stage.arguments) } };
    one["cause"] = text.OrNull(Spoken(stage.cause));
    one["advice"] = text.OrNull(Spoken(stage.advice));
    return one;
}

Json Run(const RunRecord& record, const Utf8& text, const std::vector<RunNote>& fileNotes)
{
    Json run;
    run["run"] = record.run;
    // null: of two runs that cannot be told apart, which wrote the line is not known.
    run["first_line"] = record.firstLine ? Json(record.firstLine) : Json(nullptr);
    run["last_line"] = record.lastLine ? Json(record.lastLine) : Json(nullptr);
    run["verdict"] = VerdictId(record.verdict);
    run["why"] = record.whyId == WHY_NONE ? Json(nullptr) : Json(WhyIdText(record.whyId));
    run["why_text"] = record.whyId == WHY_NONE ? Json(nullptr) : Json(WhyText(record.whyId));
    Json stages = Json::object();
    for (int s = 0; s < STAGE_COUNT; ++s)
        stages[StageId((Stage)s)] = StageJson(record.stages[s], text);
    run["stages"] = stages;
    run["key_path"] = record.hasKeyPath ? text(record.keyPath) : Json(nullptr);
    run["program_dir"] = record.hasProgramDir ? text(record.programDir) : Json(nullptr);
    Json names = record.driverNamesKnown ? Json::array() : Json(nullptr);
    for (const std::string& name : record.driverNames)
        names.push_back(text(name));
    run["driver_names"] = names;
    run["system"] = SystemIdText(record.systemId);
    run["system_text"] = text(Spoken(record.system));
    std::vector<RunNote> notes = record.notes;
    notes.insert(notes.end(), fileNotes.begin(), fileNotes.end());
    run["notes"] = Notes(notes, text);
    return run;
}

Json Input(const AccountOptions& options, const FileFacts* file)
{
    // A folder, or a file that would not open, has no bytes to count.
    if (!file)
        return { { "name", options.inputName }, { "bytes", nullptr }, { "lines", nullptr } };
    return { { "name", options.inputName }, { "bytes", file->bytes }, { "lines", file->lines } };
}

// The file's fields, for the document and for the last of --json-lines.
Json File(const AccountOptions& options, const FileFacts& facts, const long counts[VERDICT_COUNT])
{
    Json file;
    file["zqlog_version"] = ZQLOG_VERSION;
    file["format"] = 2;
    file["input"] = Input(options, &facts);
    file["code_page"] = options.codePage;
    const char* conversion = ConversionId(facts.found);
    if (!conversion)
        conversion = ConversionId(facts.lineEnds);
    file["conversion"] = conversion ? Json(conversion) : Json(nullptr);
    file["counts"] = { { "ok", counts[VERDICT_OK] }, { "failed", counts[VERDICT_FAILED] },
        { "incomplete", counts[VERDICT_INCOMPLETE] } };
    file["other_lines"] = facts.otherLines;
    file["notes"] = Notes(FileNotes(facts, options), TextOf(facts, options.codePage));
    return file;
}

std::string Dump(const Json& json)
{
    // Bytes no code page could read are replaced, never thrown on.
    return json.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace

AccountWriter::~AccountWriter() = default;

void JsonAccountDelete::operator()(JsonAccount* json) const
{
    delete json;
}

JsonAccountPtr MakeJsonAccount(const AccountOptions& options)
{
    return JsonAccountPtr(new JsonAccount(options));
}

// A run: its line for --json-lines; kept for the document otherwise ("").
std::string JsonRun(JsonAccount& json, const RunRecord& record, const FileFacts& file)
{
    const Utf8 text = TextOf(file, json.options.codePage);
    std::vector<RunNote> fileNotes;
    if (file.found != CONV_NONE)
        fileNotes = { { NOTE_CONVERTED, ConversionSaid(file.found, file.lineEnds) } };
    else if (file.lineEnds != CONV_NONE)
        fileNotes = { { NOTE_CONVERTED, ConversionSaid(CONV_NONE, file.lineEnds) } };
    Json run = Run(record, text, fileNotes);
    if (json.options.jsonLines)
        return Dump(run);
    json.runs.emplace_back(record.verdict, std::move(run));
    if (json.options.last > 0 && (long)json.runs.size() > json.options.last)
        json.runs.pop_front();
    return "";
}

std::string JsonClose(JsonAccount& json, const FileFacts& facts, const long counts[VERDICT_COUNT])
{
    Json file = File(json.options, facts, counts);
    if (json.options.jsonLines)
        return Dump(file);
    // Two runs whose lines interleave end out of their order.
    std::stable_sort(
        json.runs.begin(), json.runs.end(), [](const std::pair<Verdict, Json>& a, const std::pair<Verdict, Json>& b) {
            return a.second["run"].get<int>() < b.second["run"].get<int>();
        });
    Json runs = Json::array();
    for (auto& run : json.runs) {
        if (json.options.failedOnly && run.first == VERDICT_OK)
            continue;
        if (const unsigned likely = facts.likelyCodePage)
            run.second["notes"].push_back(
                { { "id", NoteIdText(NOTE_CODE_PAGE_LIKELY) }, { "text", CodePageSaid(likely) } });
        runs.push_back(std::move(run.second));
    }
    Json doc;
    for (const char* key : { "zqlog_version", "format", "input", "code_page", "conversion" })
        doc[key] = file[key];
    doc["runs"] = runs;
    for (const char* key : { "counts", "other_lines", "notes" })
        doc[key] = file[key];
    return Dump(doc);
}

std::string RefusalJson(const AccountOptions& options, const FileFacts* file, const Refusal& refusal)
{
    Json doc;
    doc["zqlog_version"] = ZQLOG_VERSION;
    doc["format"] = 2;
    doc["input"] = Input(options, file);
    doc["error"] = { { "id", refusal.id }, { "text", refusal.text } };
    return Dump(doc);
}
