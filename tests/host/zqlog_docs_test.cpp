// The support staff's page and zqlog's JSON agree: every field written is
// documented and every documented field is written, and the closed sets of
// ids (why, notes, states, systems, conversions) are the code's, no more.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "account.h"
#include "file_facts.h"
#include "run_record.h"
#include "zqlog/two_runs.h"

namespace {

using nlohmann::json;
using Ids = std::set<std::string>;

std::string Page()
{
    std::ifstream in(ZQLOG_SOURCE_DIR "/../../docs/support-staff.md");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// What stands between backticks, or between double quotes, in text.
Ids Quoted(const std::string& text, char mark)
{
    Ids ids;
    for (size_t at = text.find(mark); at != std::string::npos;) {
        const size_t end = text.find(mark, at + 1);
        if (end == std::string::npos)
            break;
        ids.insert(text.substr(at + 1, end - at - 1));
        at = text.find(mark, end + 1);
    }
    return ids;
}

struct Row {
    Ids ids; // the first cell's `ids`
    std::string text; // the whole row
};

// The rows of the first table after the line that holds lead.
std::vector<Row> Table(const std::string& page, const std::string& lead)
{
    std::vector<Row> rows;
    size_t at = page.find(lead);
    if (at == std::string::npos)
        return rows;
    at = page.find("\n|", at);
    bool header = true;
    for (std::istringstream in(page.substr(at + 1)); true;) {
        std::string line;
        if (!std::getline(in, line) || line.empty() || line[0] != '|')
            break;
        if (line.compare(0, 4, "|---") == 0 || std::exchange(header, false))
            continue;
        rows.push_back({ Quoted(line.substr(0, line.find('|', 1)), '`'), line });
    }
    return rows;
}

Ids FirstCells(const std::vector<Row>& rows)
{
    Ids ids;
    for (const Row& row : rows)
        ids.insert(row.ids.begin(), row.ids.end());
    return ids;
}

template <typename Id> Ids CodeIds(int from, int count, const char* (*text)(Id))
{
    Ids ids;
    for (int id = from; id < count; ++id)
        ids.insert(text((Id)id));
    return ids;
}

json Doc(const std::string& log)
{
    AccountOptions options;
    options.json = true;
    int status;
    return json::parse(AccountOf(log, 1252, &status, options));
}

// The page's name of a field: runs[].stages.fax.error is "...stages.ID.error".
std::string Documented(const std::string& path)
{
    const std::string stages = "runs[].stages.";
    if (path.compare(0, stages.size(), stages) != 0)
        return path;
    const size_t id = path.find('.', stages.size());
    return "...stages.ID" + (id == std::string::npos ? "" : path.substr(id));
}

// Walks a document: each field must be a row of the page; an object or an
// array of objects with no rows of its own must name its keys in its row.
void Walk(const json& value, const std::string& path, const std::vector<Row>& rows, Ids* seen)
{
    const json* object = value.is_object() ? &value : nullptr;
    std::string inner = path;
    if (value.is_array() && !value.empty() && value[0].is_object()) {
        object = &value[0];
        inner += "[]";
    }
    if (!object)
        return;
    for (const auto& item : object->items()) {
        const std::string field = inner.empty() ? item.key() : inner + "." + item.key();
        const std::string name = Documented(field);
        const Row* row = nullptr;
        bool parent = false; // a row documents a field inside it
        for (const Row& r : rows) {
            if (r.ids.count(name))
                row = &r;
            for (const std::string& id : r.ids)
                parent = parent || id.compare(0, name.size() + 1, name + ".") == 0
                    || id.compare(0, name.size() + 3, name + "[].") == 0;
        }
        if (!row && !parent) {
            ADD_FAILURE() << "written, not documented: " << name;
            continue;
        }
        if (row)
            seen->insert(name);
        if (parent || item.key() == "stages")
            Walk(item.value(), field, rows, seen);
        else if (row) {
            const json* inside = item.value().is_array() && !item.value().empty() ? &item.value()[0] : &item.value();
            if (inside->is_object())
                for (const auto& key : inside->items())
                    EXPECT_TRUE(Quoted(row->text, '"').count(key.key())) << name << "'s row names " << key.key();
        }
    }
}

} // namespace

TEST(ZqlogDocs, EveryJsonFieldIsDocumentedAndWritten)
{
    const std::string page = Page();
    const std::vector<Row> rows = Table(page, "## The JSON document: format 2");
    ASSERT_FALSE(rows.empty());
    // A failed start (error, command), a good run, file notes, and a refusal.
    const std::string lf = "OpenService the spooler is running\nCalling ntAdd for Printer Driver -->\n";
    Ids seen;
    for (const json& doc : { Doc(kTwoRunsLog), Doc(lf), Doc("") })
        Walk(doc, "", rows, &seen);
    const Ids documented = FirstCells(rows);
    for (const std::string& name : documented)
        EXPECT_TRUE(seen.count(name)) << "documented, never written: " << name;
}

TEST(ZqlogDocs, ClosedSetsAreTheCodes)
{
    const std::string page = Page();
    EXPECT_EQ(CodeIds<WhyId>(WHY_NONE + 1, WHY_COUNT, WhyIdText), FirstCells(Table(page, "## Symptoms and actions")));
    EXPECT_EQ(CodeIds<NoteId>(0, NOTE_COUNT, NoteIdText), FirstCells(Table(page, "The notes' ids, a closed set")));
    EXPECT_EQ(CodeIds<StageState>(0, STATE_COUNT, StateId), FirstCells(Table(page, "The states, a closed set")));
    const std::vector<Row> fields = Table(page, "## The JSON document: format 2");
    for (const Row& row : fields) {
        const Ids values = Quoted(row.text.substr(row.text.find('|', 1)), '"');
        if (row.ids.count("runs[].system"))
            EXPECT_EQ(CodeIds<SystemId>(0, SYSTEM_UNKNOWN + 1, SystemIdText), values);
        if (row.ids.count("conversion"))
            EXPECT_EQ(CodeIds<Conversion>(CONV_NONE + 1, CONV_UTF16BE + 1, ConversionId), values);
        if (row.ids.count("runs[].stages"))
            EXPECT_EQ(CodeIds<Stage>(0, STAGE_COUNT, StageId), Quoted(row.text.substr(row.text.find('|', 1)), '`'));
    }
    // The why ids are lowercase letters and underscores only, for grouping.
    for (const std::string& why : CodeIds<WhyId>(WHY_NONE + 1, WHY_COUNT, WhyIdText))
        EXPECT_EQ(std::string::npos, why.find_first_not_of("abcdefghijklmnopqrstuvwxyz_")) << why;
}
