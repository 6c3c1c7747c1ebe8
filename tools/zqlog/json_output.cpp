// A run as JSON (format 1; the README's zqlog section documents it), with
// the log's text turned into UTF-8 from its code page.
#include <nlohmann/json.hpp>

#include "account.h"
#include "code_pages.h"

std::string AccountWriter::Json(const RunRecord& record) const
{
    const Conversion found = reader_ ? reader_->Source().Found() : CONV_NONE;
    const bool utf8 = found == CONV_UTF8 || found == CONV_UTF8_BOM || found == CONV_UTF16LE || found == CONV_UTF16BE;
    auto text = [&](const std::string& bytes) -> nlohmann::ordered_json {
        return utf8 ? bytes : ToUtf8(bytes, options_.codePage);
    };
    nlohmann::ordered_json run;
    run["run"] = record.run;
    run["first_line"] = record.firstLine;
    run["last_line"] = record.lastLine;
    run["verdict"] = VerdictId(record.verdict);
    run["why"] = record.why.empty() ? nlohmann::ordered_json(nullptr) : text(record.why);
    nlohmann::ordered_json stages = nlohmann::ordered_json::object();
    for (int s = 0; s < STAGE_COUNT; ++s) {
        const StageRecord& stage = record.stages[s];
        nlohmann::ordered_json one;
        one["state"] = StateId(stage.state);
        one["line"] = stage.line ? nlohmann::ordered_json(stage.line) : nlohmann::ordered_json(nullptr);
        one["cause"] = stage.cause.empty() ? nlohmann::ordered_json(nullptr) : text(stage.cause);
        stages[StageId((Stage)s)] = one;
    }
    run["stages"] = stages;
    nlohmann::ordered_json notes = nlohmann::ordered_json::array();
    for (const std::string& note : record.notes)
        notes.push_back(text(note));
    run["notes"] = notes;
    run["system"] = text(record.system);
    // Bytes no code page could read are replaced, never thrown on.
    return run.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}
