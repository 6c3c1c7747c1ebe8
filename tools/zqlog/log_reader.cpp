#include "log_reader.h"

#include <string.h>

#include "install/key_paths.h"
#include "support/log_texts.h"

namespace {

// A line's place in a run is slot * 10 + phase; a run only moves forward, so
// a line whose place is not after the last one begins the next run.
enum Slot {
    SLOT_SETTINGS = 1,
    SLOT_SPOOLER = 2,
    SLOT_FAX_FLAG = 3,
    SLOT_FAX = 4,
    SLOT_FAX_NAME = 5,
    SLOT_PRINTER = 6,
    SLOT_FAX_TOOL = 7,
    SLOT_PRINTER_TOOL = 8,
};
const int kLaunchSlots[LAUNCH_COUNT] = { SLOT_FAX, SLOT_PRINTER, SLOT_FAX_TOOL, SLOT_PRINTER_TOOL };

enum Phase {
    PHASE_NONE = 0,
    PHASE_ANNOUNCED = 1, // or Command line too long (then too_long is set)
    PHASE_COMMAND = 2,
    PHASE_SYSTEM_TEXT = 3, // the start failed; the system said why
    PHASE_WARNED = 3, // the start failed; the system had no text
    PHASE_WARNED_COMMAND = 4,
    PHASE_FAILED = 5,
};
// Kept apart from the phase, whose places coincide.
enum Cause { CAUSE_NONE, CAUSE_COMMAND, CAUSE_SYSTEM_TEXT, CAUSE_WARNED, CAUSE_WARNED_COMMAND, CAUSE_TOO_LONG };

const size_t kLookAhead = 8; // lines held to read a system text or a failure line ahead
const unsigned kSystemTextLines = 4; // a system text of more lines is not taken as one

int IsJapaneseLead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
int IsChineseOrKoreanLead(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}
int IsJohabLead(unsigned char b)
{
    return (b >= 0x84 && b <= 0xD3) || (b >= 0xD8 && b <= 0xDE) || (b >= 0xE0 && b <= 0xF9);
}

std::string Number(long n)
{
    return std::to_string(n);
}

bool EndsWith(const std::string& text, const char* end)
{
    size_t n = strlen(end);
    return text.size() >= n && text.compare(text.size() - n, n, end) == 0;
}

bool BeginsWith(const std::string& text, const char* start)
{
    return text.compare(0, strlen(start), start) == 0;
}

// The program never writes a zero byte, so a line holding one is not its.
bool HasZero(const std::string& text)
{
    return text.find('\0') != std::string::npos;
}

const TextMeaning* OwnRow(const std::string& text)
{
    return HasZero(text) ? nullptr : FindMeaning(text.c_str());
}

// Warning! Unknown error code <signed decimal> reported while executing command:
bool IsUnknownErrorLine(const std::string& text)
{
    size_t before = strlen(LOG_UNKNOWN_ERROR_BEFORE), after = strlen(LOG_UNKNOWN_ERROR_AFTER);
    if (text.size() <= before + after || !BeginsWith(text, LOG_UNKNOWN_ERROR_BEFORE)
        || !EndsWith(text, LOG_UNKNOWN_ERROR_AFTER))
        return false;
    std::string code = text.substr(before, text.size() - before - after);
    size_t digits = code[0] == '-' ? 1 : 0;
    if (digits == code.size() || code.size() > 11)
        return false;
    for (; digits < code.size(); ++digits)
        if (code[digits] < '0' || code[digits] > '9')
            return false;
    return true;
}

// The texts of the program's that line is the start of (a line cut short),
// quoted and joined by "or"; "" for none.
std::string CutFrom(const std::string& line)
{
    std::string texts;
    unsigned count;
    const TextMeaning* rows = AllMeanings(&count);
    for (unsigned i = 0; line.size() >= 4 && !HasZero(line) && i < count; ++i)
        if (line.size() <= strlen(rows[i].text) && line.compare(0, line.size(), rows[i].text, line.size()) == 0)
            texts += (texts.empty() ? "\"" : " or \"") + std::string(rows[i].text) + "\"";
    return texts;
}

// The tools' names as the command lines hold them: \zqntadd.exe" and
// \zqdrvtl.exe.
const std::string kAddPrinterTool(LOG_ADD_PRINTER_TOOL, strlen(LOG_ADD_PRINTER_TOOL) - 1);
const std::string kAddPrinterFile = kAddPrinterTool.substr(1, kAddPrinterTool.size() - 2);
const std::string kDriverToolFile = std::string(LOG_DRIVER_TOOL).substr(1);

const char* kOther = "another program's line (the package's tools write to this log too); not counted as zqrunadd's";

} // namespace

LeadByteTest LeadByteTestOf(unsigned codePage)
{
    switch (codePage) {
    case 932:
        return IsJapaneseLead;
    case 936:
    case 949:
    case 950:
        return IsChineseOrKoreanLead;
    case 1361:
        return IsJohabLead;
    default:
        return nullptr;
    }
}

LogReader::LogReader(NoteSink& sink, unsigned codePage, size_t lineCap)
    : sink_(sink)
    , isLead_(LeadByteTestOf(codePage))
    , lineCap_(lineCap)
{
}

void LogReader::Feed(const char* bytes, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        char c = bytes[i];
        if (c == 0)
            zeroByte_ = true;
        if (c == '\n') {
            PushLine(true);
            continue;
        }
        if (partial_.size() < lineCap_)
            partial_ += c;
        ++partialLength_;
        partialLast_ = c;
    }
}

void LogReader::Finish()
{
    if (partialLength_ > 0)
        PushLine(false);
    while (!pending_.empty())
        Step();
    if (inRun_)
        EndRun();
}

void LogReader::PushLine(bool ended)
{
    Line line { ++lines_, std::move(partial_), partialLength_, ended, false };
    // The program ends its lines with CR LF; a CR past the cut was not kept.
    if (ended && line.length > 0 && partialLast_ == '\r') {
        line.crlf = true;
        if (line.length == line.text.size())
            line.text.pop_back();
        --line.length;
    }
    partial_.clear();
    partialLength_ = 0;
    pending_.push_back(std::move(line));
    while (pending_.size() > kLookAhead)
        Step();
}

bool LogReader::IsOwnText(const std::string& text) const
{
    return OwnRow(text) || (!HasZero(text) && IsUnknownErrorLine(text));
}

void LogReader::Emit(const Line& line, bool own, const std::string& meaning)
{
    LineNote note { line.text, meaning, own, own ? run_.number : 0 };
    if (own)
        run_.last = line.number;
    else
        ++others_;
    sink_.Note(line.number, note, line.length);
}

int LogReader::CurrentLaunch() const
{
    if (!inRun_)
        return -1;
    for (int i = 0; i < LAUNCH_COUNT; ++i)
        if (run_.pos / 10 == kLaunchSlots[i])
            return i;
    return -1;
}

void LogReader::EndRun()
{
    sink_.RunEnds(Account());
    if (run_.spooler)
        spoolerSeen_ = true;
    inRun_ = false;
}

// Where a line of the program's stands: in the current run when it can
// follow the last line there, else as the first line of a new run.
std::string LogReader::Place(int pos, long number)
{
    if (inRun_ && !run_.ended && pos > run_.pos) {
        std::string gap = Gaps(pos, number, false);
        run_.pos = pos;
        return gap;
    }
    std::string why;
    if (inRun_) {
        why = "a new run begins here: this line cannot follow line " + Number(run_.last) + " in the program's order; ";
        EndRun();
    }
    run_ = Run();
    run_.number = ++runs_;
    run_.first = run_.last = number;
    run_.firstPos = pos;
    inRun_ = true;
    sink_.RunBegins(run_.number, number);
    // A run that begins past its first stages lost its first lines.
    why += Gaps(pos, number, true);
    run_.headless = !run_.gaps.empty();
    run_.pos = pos;
    return why;
}

// What the program writes between the run's last place and pos, were the
// run whole, but is not there. Each missing launch is named once.
std::string LogReader::Gaps(int pos, long number, bool fresh)
{
    std::vector<std::string> missing;
    const int slot = pos / 10;
    const int current = CurrentLaunch();
    if (current >= 0 && kLaunchSlots[current] != slot) {
        const Launch& left = run_.launches[current];
        if (left.phase == PHASE_ANNOUNCED && left.cause != CAUSE_TOO_LONG)
            missing.push_back("the command line after line " + Number(left.line));
        if (left.cause == CAUSE_TOO_LONG && left.phase != PHASE_FAILED)
            missing.push_back("the error line after line " + Number(left.line));
    }
    const Launch* l = run_.launches;
    struct Needed {
        bool missing;
        std::string what;
    };
    const Needed needed[] = {
        { slot >= SLOT_PRINTER && run_.faxFlagLine && l[LAUNCH_FAX].phase == PHASE_NONE,
            "the fax launch, which line " + Number(run_.faxFlagLine) + " calls for" },
        { slot == SLOT_FAX_NAME && l[LAUNCH_FAX].phase == PHASE_NONE, "the fax launch" },
        { slot >= SLOT_FAX_TOOL && l[LAUNCH_PRINTER].phase == PHASE_NONE, "the printer launch" },
        { slot >= SLOT_PRINTER_TOOL && l[LAUNCH_FAX_TOOL].phase == PHASE_NONE, "the fax driver tool's launch" },
    };
    for (unsigned i = 0; i < sizeof needed / sizeof needed[0]; ++i)
        if (needed[i].missing && !(run_.named & (1u << i))) {
            run_.named |= 1u << i;
            missing.push_back(needed[i].what);
        }
    for (int i = 0; i < LAUNCH_COUNT; ++i)
        if (kLaunchSlots[i] == slot && pos % 10 == PHASE_FAILED && l[i].phase == PHASE_NONE)
            missing.push_back("the " + std::string(LaunchOf(i).stage) + " launch's announcement and command line");
    if (missing.empty())
        return "";
    std::string list;
    for (const std::string& item : missing)
        list += (list.empty() ? "" : "; ") + item;
    run_.gaps += (run_.gaps.empty() ? "" : " ") + std::string("Before line ") + Number(number) + ": " + list + ".";
    if (fresh)
        return "this run's first lines are missing (" + list
            + "): they were lost, as lines are while another writer holds the log; ";
    return "lines are missing before this one (" + list
        + "): they were lost, as lines are while another writer holds the log, or a new run begins here whose "
          "first lines were lost; the order cannot tell which; ";
}

// Command line too long stands for the launch whose failure line comes next.
int LogReader::LaunchOfTooLong() const
{
    for (size_t i = 0; i < pending_.size(); ++i) { // the line itself is taken off already
        const TextMeaning* row = OwnRow(pending_[i].text);
        if (row && row->kind == TEXT_FAILURE)
            return row->launch;
        if (row)
            break;
    }
    // No failure line to go by: the next launch in the order.
    for (int i = 0; i < LAUNCH_COUNT; ++i)
        if (inRun_ && !run_.ended && kLaunchSlots[i] * 10 + PHASE_ANNOUNCED > run_.pos)
            return i;
    return LAUNCH_FAX;
}

void LogReader::Step()
{
    const Line line = pending_.front(); // a copy: a system text is read from pending_
    const bool whole = line.length == line.text.size();
    const int launch = CurrentLaunch();
    const int phase = launch >= 0 ? run_.launches[launch].phase : PHASE_NONE;

    const int cause = launch >= 0 ? run_.launches[launch].cause : CAUSE_NONE;
    if (HasZero(line.text)) {
        pending_.pop_front();
        Emit(line, false, "a line holding a zero byte, which zqrunadd never writes: not its");
        return;
    }
    // A log holds at least one whole line of the program's: a cut fragment
    // alone, or a line without CR LF, begins no run.
    if (!inRun_ && whole && !line.crlf) {
        pending_.pop_front();
        Emit(line, false,
            OwnRow(line.text) || IsUnknownErrorLine(line.text) || !CutFrom(line.text).empty()
                ? "not counted as zqrunadd's: it ends without CR LF, and no whole line of zqrunadd's comes before it"
                : line.text.empty() ? "an empty line, not zqrunadd's"
                                    : kOther);
        return;
    }
    if (whole
        && ((phase == PHASE_ANNOUNCED && cause != CAUSE_TOO_LONG) || (phase == PHASE_WARNED && cause == CAUSE_WARNED))
        && TakeCommandLine(line)) {
        pending_.pop_front();
        return;
    }
    if (whole && phase == PHASE_COMMAND && run_.launches[launch].cause == CAUSE_NONE && !IsOwnText(line.text)
        && TakeSystemText())
        return;
    pending_.pop_front();

    const TextMeaning* row = whole ? OwnRow(line.text) : nullptr;
    if (row) {
        TakeOwnText(line, *row, line.ended ? "" : "its line end is missing (cut short, or still being written); ");
        return;
    }
    if (whole && IsUnknownErrorLine(line.text)) {
        if (phase == PHASE_COMMAND && run_.launches[launch].cause == CAUSE_NONE) {
            Launch& current = run_.launches[launch];
            current.cause = CAUSE_WARNED;
            current.phase = PHASE_WARNED;
            run_.pos = kLaunchSlots[launch] * 10 + PHASE_WARNED;
            std::string code = line.text.substr(strlen(LOG_UNKNOWN_ERROR_BEFORE));
            code.resize(code.size() - strlen(LOG_UNKNOWN_ERROR_AFTER));
            current.systemText = "error " + code + ", for which the system has no text";
            Emit(line, true,
                "the program on the command line above could not start, and the system has no text for its error "
                    + code + "; the command line follows again");
        } else {
            if (!inRun_)
                Place(0, line.number);
            Emit(line, true, "a start error out of its place: the launch's lines before it are missing");
        }
        return;
    }
    // A line cut short by a full disk, with a later write of the program's
    // right after it on the same line.
    if (whole) {
        unsigned count;
        const TextMeaning* rows = AllMeanings(&count);
        for (unsigned i = 0; i < count; ++i) {
            std::string cut;
            if (line.text.size() > strlen(rows[i].text) && EndsWith(line.text, rows[i].text)
                && !(cut = CutFrom(line.text.substr(0, line.text.size() - strlen(rows[i].text)))).empty()) {
                TakeOwnText(line, rows[i],
                    "the start of " + cut
                        + ", cut short or without its line end (a full disk?), then a later line of the "
                          "program's: ");
                return;
            }
        }
        if (TakeJoinedCommand(line, phase == PHASE_ANNOUNCED && cause != CAUSE_TOO_LONG ? launch : -1))
            return;
        if (TakeUnannouncedCommand(line))
            return;
    }
    if (whole && !line.ended && pending_.empty()) {
        const std::string cut = CutFrom(line.text);
        if (!cut.empty() || phase == PHASE_ANNOUNCED) {
            if (!inRun_)
                Place(0, line.number);
            Emit(line, true,
                std::string("a line of the program's cut short where the log ends (a full disk, or a run still "
                            "writing): the start of ")
                    + (cut.empty() ? "the command line" : cut));
            return;
        }
    }
    std::string meaning = line.text.empty() ? "an empty line, not zqrunadd's" : kOther;
    if (!whole)
        meaning += " (" + Number((long)line.length) + " bytes, shown cut at " + Number((long)lineCap_) + ")";
    if (phase == PHASE_ANNOUNCED)
        meaning += "; it stands between an announcement and its command line";
    Emit(line, false, meaning);
}

// The command line of a launch: "<dir>\zqntadd.exe" <key path> or
// <dir>\zqdrvtl.exe /n:<name>.
bool LogReader::ParseCommand(int index, const std::string& text, std::string* dir, std::string* arg) const
{
    if (LaunchOf(index).addPrinter) {
        const char* found
            = text.size() > 1 && text[0] == '"' ? FindText(text.c_str() + 1, LOG_ADD_PRINTER_TOOL, isLead_) : nullptr;
        if (!found)
            return false;
        *dir = text.substr(1, found - (text.c_str() + 1));
        *arg = text.substr(found - text.c_str() + strlen(LOG_ADD_PRINTER_TOOL));
        return true;
    }
    const char* found = FindText(text.c_str(), LOG_DRIVER_TOOL LOG_DRIVER_TOOL_NAME, isLead_);
    if (!found)
        return false;
    *dir = text.substr(0, found - text.c_str());
    *arg = text.substr(found - text.c_str() + strlen(LOG_DRIVER_TOOL LOG_DRIVER_TOOL_NAME));
    return true;
}

// The command line of the launch announced.
bool LogReader::TakeCommandLine(const Line& line)
{
    const int index = CurrentLaunch();
    Launch& launch = run_.launches[index];
    std::string dir, arg;
    // A line that ends in one of the program's texts is a cut line joined to it.
    if (JoinedText(line.text) || !ParseCommand(index, line.text, &dir, &arg))
        return false;
    if (launch.phase == PHASE_WARNED) {
        launch.phase = PHASE_WARNED_COMMAND;
        launch.cause = CAUSE_WARNED_COMMAND;
        run_.pos = kLaunchSlots[index] * 10 + PHASE_WARNED_COMMAND;
        Emit(line, true, "the command line that could not start, again");
        return true;
    }
    Emit(line, true, RecordCommand(index, dir, arg, false) + (line.ended ? "" : " (its line end is missing)"));
    return true;
}

// Records the command line of the launch at index; its meaning.
std::string LogReader::RecordCommand(int index, const std::string& dir, const std::string& arg, bool cut)
{
    Launch& launch = run_.launches[index];
    launch.phase = PHASE_COMMAND;
    launch.command = true;
    launch.cut = cut;
    launch.dir = dir;
    launch.arg = arg;
    run_.pos = kLaunchSlots[index] * 10 + PHASE_COMMAND;
    return CommandMeaning(index);
}

// The text of the program's that a longer line ends with, or null.
const TextMeaning* LogReader::JoinedText(const std::string& text) const
{
    unsigned count;
    const TextMeaning* rows = AllMeanings(&count);
    for (unsigned i = 0; i < count; ++i)
        if (text.size() > strlen(rows[i].text) && EndsWith(text, rows[i].text))
            return &rows[i];
    return nullptr;
}

// A command line cut short with a later text of the program's joined to it,
// or an announcement cut short with its command line joined to it: the
// earlier line is cut, the later one whole. expected: the launch whose
// command line comes next, or -1.
bool LogReader::TakeJoinedCommand(const Line& line, int expected)
{
    const std::string& text = line.text;
    std::string dir, arg;
    const TextMeaning* later = JoinedText(text);
    if (later && expected >= 0) {
        const std::string cut = text.substr(0, text.size() - strlen(later->text));
        if (!ParseCommand(expected, cut, &dir, &arg))
            return false;
        RecordCommand(expected, dir, arg, true);
        TakeOwnText(line, *later,
            "the " + std::string(LaunchOf(expected).stage) + " launch's command line, cut short after "
                + (arg.empty() ? "its tool's name" : "\"" + arg + "\"")
                + " (a full disk, or another writer), then a later line of the program's: ");
        return true;
    }
    unsigned count;
    const TextMeaning* rows = AllMeanings(&count);
    for (unsigned i = 0; i < count; ++i) {
        const size_t size = strlen(rows[i].text);
        if (rows[i].kind != TEXT_ANNOUNCE)
            continue;
        for (size_t k = 4; k < size && k < text.size(); ++k)
            if (text.compare(0, k, rows[i].text, k) == 0 && ParseCommand(rows[i].launch, text.substr(k), &dir, &arg)) {
                const std::string announced = TakeOwnText(line, rows[i], "", false);
                Emit(line, true,
                    "the start of \"" + std::string(rows[i].text)
                        + "\", cut short (a full disk, or another writer), then its command line whole: " + announced
                        + "; the command line: " + RecordCommand(rows[i].launch, dir, arg, false));
                return true;
            }
    }
    return false;
}

// A line of the exact shape of a command line of the program's, where the
// order expects that launch, is its, though its announcement was lost.
bool LogReader::TakeUnannouncedCommand(const Line& line)
{
    if (!inRun_ || run_.ended || JoinedText(line.text))
        return false;
    int index = -1;
    std::string dir, arg;
    if (ParseCommand(LAUNCH_PRINTER, line.text, &dir, &arg)) {
        if (arg.empty() || dir.find('"') != std::string::npos)
            return false;
        // A fax key is the key path cut before its first Printer, with Fax
        // after it.
        const bool fax = !FindText(arg.c_str(), "Printer", isLead_) && EndsWith(arg, "Fax");
        index = fax ? LAUNCH_FAX : LAUNCH_PRINTER;
    } else if (ParseCommand(LAUNCH_FAX_TOOL, line.text, &dir, &arg)) {
        if (dir.empty() || dir.find('"') != std::string::npos)
            return false;
        index = kLaunchSlots[LAUNCH_FAX_TOOL] * 10 + PHASE_COMMAND > run_.pos ? LAUNCH_FAX_TOOL : LAUNCH_PRINTER_TOOL;
    } else
        return false;
    const int pos = kLaunchSlots[index] * 10 + PHASE_COMMAND;
    if (pos <= run_.pos || run_.launches[index].phase != PHASE_NONE)
        return false;
    const std::string why = Place(pos, line.number);
    run_.launches[index] = Launch();
    run_.launches[index].line = line.number;
    run_.gaps += (run_.gaps.empty() ? "" : " ") + std::string("Before line ") + Number(line.number) + ": the "
        + LaunchOf(index).stage + " launch's announcement.";
    const std::string meaning = RecordCommand(index, dir, arg, false);
    Emit(line, true,
        why + "the " + LaunchOf(index).stage
            + " launch's command line; its announcement before it is missing (lost, as lines are while another "
              "writer holds the log): "
            + meaning);
    return true;
}

std::string LogReader::CommandMeaning(int index) const
{
    const Launch& launch = run_.launches[index];
    const Launch* l = run_.launches;
    if (LaunchOf(index).addPrinter) {
        std::string meaning = "the add-printer tool " + kAddPrinterFile + " in ProgramDir, for the key " + launch.arg;
        if (launch.dir.empty())
            meaning += ". ProgramDir stands empty: the install root key did not open (missing, or no full access "
                       "for this user), so ProgramDir was never read and the tool is looked for at the drive's root";
        return meaning;
    }
    std::string meaning = "the driver-directory tool in the running system's printer driver directory " + launch.dir;
    if (!launch.arg.empty())
        return meaning + ", for the driver " + launch.arg;
    if (index == LAUNCH_PRINTER_TOOL && PrinterKeyOpened())
        return meaning
            + ", with no name after /n:: the printer key's Driver Name is empty (the key opened: ProgramDir was read "
              "from it). Check Driver Name under the printer key";
    if (index == LAUNCH_PRINTER_TOOL)
        return meaning
            + ", with no name after /n:: the printer key did not open (missing, or no full access for "
              "this user), so its Driver Name was never read, or its Driver Name is empty. Check the key path and "
              "Driver Name under it";
    if (l[LAUNCH_FAX].phase == PHASE_NONE && (run_.headless || run_.faxFlagLine))
        return meaning
            + ", with no name after /n:: no fax launch is in this run's lines, but lines before it are missing, so "
              "the order cannot tell whether the run made none (then no name is expected) or the fax key's Driver "
              "Name was not read";
    if (l[LAUNCH_FAX].phase == PHASE_NONE)
        return meaning + ", with no name after /n:, as expected: this run made no fax launch (No Fax Function is TRUE"
            + (FaxKeyShown() ? ")" : ", or the key path has no Printer in it)");
    if (run_.faxNameLine)
        return meaning + ", with no name after /n:: the fax Driver Name could not be read (line "
            + Number(run_.faxNameLine) + ")";
    return meaning
        + ", with no name after /n:: the fax key did not open for its Driver Name (missing, or no full "
          "access for this user), so no name was read. Check the fax key";
}

// A system text: the lines right after a command line, up to the empty line
// that the program's own line end leaves after the text's.
bool LogReader::TakeSystemText()
{
    size_t end = 0;
    while (end < pending_.size() && end < kSystemTextLines && !pending_[end].text.empty()
        && pending_[end].length == pending_[end].text.size() && !HasZero(pending_[end].text)
        && !IsOwnText(pending_[end].text))
        ++end;
    if (end == 0 || end >= pending_.size() || !pending_[end].text.empty() || !pending_[end].ended)
        return false;
    const int index = CurrentLaunch();
    Launch& launch = run_.launches[index];
    // A failed start of the add-printer tool gives a negative status, so its
    // error line follows; without it the text is most likely the tool's own.
    const TextMeaning* next = end + 1 < pending_.size() ? OwnRow(pending_[end + 1].text) : nullptr;
    if (LaunchOf(index).addPrinter && !(next && next->kind == TEXT_FAILURE && next->launch == index)) {
        const std::string failed = index == LAUNCH_FAX ? LOG_FAX_FAILED : LOG_PRINTER_FAILED;
        for (size_t i = 0; i <= end; ++i) {
            const Line line = pending_.front();
            pending_.pop_front();
            Emit(line, false,
                (i < end ? std::string("not zqrunadd's: most likely the add-printer tool's own output")
                         : std::string("an empty line, not zqrunadd's"))
                    + "; a failed start would have \"" + failed
                    + "\" after the system's text, and none follows here, so the order cannot tell it for one");
        }
        return true;
    }
    launch.phase = PHASE_SYSTEM_TEXT;
    launch.cause = CAUSE_SYSTEM_TEXT;
    run_.pos = kLaunchSlots[index] * 10 + PHASE_SYSTEM_TEXT;
    const std::string program
        = LaunchOf(index).addPrinter ? "\"" + launch.dir + kAddPrinterTool : launch.dir + LOG_DRIVER_TOOL;
    for (size_t i = 0; i <= end; ++i) {
        const Line line = pending_.front(); // a copy: a system text is read from pending_
        pending_.pop_front();
        if (i < end) {
            launch.systemText += (launch.systemText.empty() ? "" : " ") + line.text;
            Emit(line, true,
                i == 0 ? "the system's text (in the machine's language) for why " + program
                        + " on the command line above could not start"
                       : "the system's text, continued");
        } else {
            Emit(line, true, "the empty line that ends the system's text");
        }
    }
    return true;
}

// Names the program that did not start and where its folder comes from.
std::string LogReader::StartFailure(int index) const
{
    const Launch& launch = run_.launches[index];
    const LaunchMeaning& meaning = LaunchOf(index);
    if (!meaning.addPrinter)
        return kDriverToolFile + " could not start from " + launch.dir + ": " + meaning.notStarted;
    // The install root key, from the printer launch's key path when it has come.
    char root[KEY_PATH_SIZE] = "";
    const Launch& printer = run_.launches[LAUNCH_PRINTER];
    if (printer.command && !printer.cut)
        InstallRootKeyPath(printer.arg.c_str(), root, isLead_);
    const std::string key = root[0] ? " HKEY_LOCAL_MACHINE\\" + std::string(root) : "";
    if (launch.dir.empty())
        return "the add-printer tool could not start: ProgramDir was never read, since the install root key" + key
            + " did not open; check that it exists and that this user may open it for full access";
    std::string check = meaning.notStarted;
    const char named[] = "the install root key";
    size_t at = check.find(named);
    if (at != std::string::npos)
        check.insert(at + sizeof named - 1, key);
    return "the add-printer tool \"" + launch.dir + kAddPrinterTool + " could not start: " + check;
}

std::string LogReader::FailureMeaning(int index) const
{
    const Launch& launch = run_.launches[index];
    const LaunchMeaning& meaning = LaunchOf(index);
    switch (launch.cause) {
    case CAUSE_SYSTEM_TEXT:
    case CAUSE_WARNED:
    case CAUSE_WARNED_COMMAND:
        return StartFailure(index);
    case CAUSE_COMMAND:
        return meaning.negativeExit;
    case CAUSE_TOO_LONG:
        return std::string("not started: ") + meaning.tooLong;
    default:
        return "its command line is missing";
    }
}

std::string LogReader::TakeOwnText(const Line& line, const TextMeaning& row, const std::string& before, bool emit)
{
    std::string why;
    int index = row.launch;
    switch (row.kind) {
    case TEXT_SETTINGS_END:
        why = Place(SLOT_SETTINGS * 10, line.number);
        run_.ended = true;
        run_.settingsEnd = &row;
        run_.settingsLine = line.number;
        break;
    case TEXT_SPOOLER:
        why = Place(SLOT_SPOOLER * 10, line.number);
        run_.spooler = &row;
        run_.spoolerLine = line.number;
        break;
    case TEXT_FAX_FLAG:
        why = Place(SLOT_FAX_FLAG * 10, line.number);
        run_.faxFlagLine = line.number;
        break;
    case TEXT_FAX_NAME:
        why = Place(SLOT_FAX_NAME * 10, line.number);
        run_.faxNameLine = line.number;
        break;
    case TEXT_ANNOUNCE:
    case TEXT_TOO_LONG: {
        if (row.kind == TEXT_TOO_LONG)
            index = LaunchOfTooLong();
        why = Place(kLaunchSlots[index] * 10 + PHASE_ANNOUNCED, line.number);
        Launch& launch = run_.launches[index];
        launch = Launch();
        launch.phase = PHASE_ANNOUNCED;
        launch.line = line.number;
        if (row.kind == TEXT_TOO_LONG)
            launch.cause = CAUSE_TOO_LONG;
        break;
    }
    case TEXT_FAILURE: {
        why = Place(kLaunchSlots[index] * 10 + PHASE_FAILED, line.number);
        Launch& launch = run_.launches[index];
        if (launch.cause == CAUSE_NONE && launch.phase == PHASE_COMMAND)
            launch.cause = CAUSE_COMMAND;
        launch.phase = PHASE_FAILED;
        launch.failedLine = line.number;
        const std::string meaning = before + why + row.meaning + ": " + FailureMeaning(index);
        if (emit)
            Emit(line, true, meaning);
        return meaning;
    }
    case TEXT_NULL:
        if (!inRun_)
            Place(0, line.number);
        break;
    }
    std::string meaning = row.meaning;
    if (row.kind == TEXT_TOO_LONG)
        meaning += std::string(" (the ") + LaunchOf(index).stage + " launch)";
    if (emit)
        Emit(line, true, before + why + meaning);
    return before + why + meaning;
}

std::string LogReader::SystemShown() const
{
    if (run_.spooler)
        return "NT 4.0 or later: the run has a spooler line";
    if (run_.headless)
        return "not shown: the run's first lines, where a spooler line would stand, are missing";
    bool launched = run_.faxFlagLine != 0;
    for (const Launch& launch : run_.launches)
        launched = launched || launch.phase != PHASE_NONE;
    if (!launched)
        return run_.settingsEnd ? "nothing: the run ended before the spooler stage" : "nothing";
    if (spoolerSeen_)
        return "no spooler line: most likely it was dropped, since an earlier run in this log has one (the log "
               "lives in one Windows directory); else Windows 9x or NT 3.51";
    std::string dir = run_.launches[LAUNCH_FAX_TOOL].dir;
    if (dir.empty())
        dir = run_.launches[LAUNCH_PRINTER_TOOL].dir;
    std::string lower;
    for (char c : dir)
        lower += (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
    if (EndsWith(lower, "\\w32x86"))
        return "no spooler line, and an NT driver directory: NT 3.51 is likely, unless the line was dropped";
    if (!dir.empty())
        return "no spooler line, and a driver directory that is not NT's: Windows 9x is likely, unless the line "
               "was dropped";
    return "no spooler line: Windows 9x or NT 3.51, unless the line was dropped";
}

// ProgramDir was read from the install root key, and that is the printer key
// itself (a key path without Install\Printer): so the printer key opened.
bool LogReader::PrinterKeyOpened() const
{
    const Launch& printer = run_.launches[LAUNCH_PRINTER];
    char root[KEY_PATH_SIZE] = "";
    return printer.command && !printer.cut && !printer.dir.empty()
        && InstallRootKeyPath(printer.arg.c_str(), root, isLead_) && printer.arg == root;
}

// The printer launch's key path shows that there is a fax key.
bool LogReader::FaxKeyShown() const
{
    const Launch& printer = run_.launches[LAUNCH_PRINTER];
    return printer.command && !printer.cut && FindText(printer.arg.c_str(), "Printer", isLead_);
}

// The printer launch's key path shows that there was no fax stage.
bool LogReader::NoFaxKey() const
{
    const Launch& printer = run_.launches[LAUNCH_PRINTER];
    return printer.command && !printer.cut && !FindText(printer.arg.c_str(), "Printer", isLead_);
}

RunAccount LogReader::Account() const
{
    RunAccount account { run_.number, run_.first, run_.last, {}, SystemShown() };
    const Launch* l = run_.launches;
    bool pastSettings = run_.spooler || run_.faxFlagLine;
    for (const Launch& launch : run_.launches)
        pastSettings = pastSettings || launch.phase != PHASE_NONE;

    std::string settings;
    if (run_.settingsEnd)
        settings = "line " + Number(run_.settingsLine) + ": " + run_.settingsEnd->summary;
    else if (pastSettings) {
        if (l[LAUNCH_PRINTER].command && l[LAUNCH_PRINTER].dir.empty())
            settings = "ProgramDir not read: the install root key did not open";
        if (l[LAUNCH_PRINTER_TOOL].command && l[LAUNCH_PRINTER_TOOL].arg.empty())
            settings += std::string(settings.empty() ? "" : "; ")
                + (PrinterKeyOpened() ? "Driver Name under the printer key is empty"
                                      : "Driver Name not read (the printer key did not open) or empty");
        if (settings.empty())
            settings = "read";
    } else
        settings = "no line";
    // A run that lost its first lines shows nothing of the stages before them.
    const int firstSlot = run_.firstPos / 10;
    const std::string unknown = "unknown: the run's lines before line " + Number(run_.first) + " are missing";
    if (run_.headless) {
        const char* before[] = { "settings", "spooler", "fax decision" };
        const int slots[] = { SLOT_SETTINGS, SLOT_SPOOLER, SLOT_FAX_FLAG };
        for (int i = 0; i < 3; ++i)
            if (slots[i] < firstSlot)
                account.stages.push_back({ before[i], unknown });
    }
    if (!run_.headless)
        account.stages.push_back({ "settings", settings });

    std::string spooler;
    if (run_.spooler)
        spooler = "line " + Number(run_.spoolerLine) + ": " + run_.spooler->summary;
    else
        spooler = pastSettings ? "no line (see system)" : "not reached";
    if (!run_.headless)
        account.stages.push_back({ "spooler", spooler });

    std::string decision;
    if (run_.faxFlagLine)
        decision = "line " + Number(run_.faxFlagLine) + ": fax on, the fax key has no No Fax Function value";
    else if (l[LAUNCH_FAX].phase != PHASE_NONE)
        decision = "fax on: No Fax Function was read and is not TRUE, or the fax key did not open";
    else if (NoFaxKey())
        decision = "no fax stage: the key path has no Printer in it";
    else if (FaxKeyShown())
        decision = "no fax: No Fax Function is TRUE (the key path has Printer in it, so the fax key exists)";
    else if (l[LAUNCH_PRINTER].phase != PHASE_NONE)
        decision = "no fax: No Fax Function is TRUE, or the key path has no Printer in it";
    else if (l[LAUNCH_FAX_TOOL].phase != PHASE_NONE || l[LAUNCH_PRINTER_TOOL].phase != PHASE_NONE)
        decision = "no fax launch in this run's lines: No Fax Function is TRUE, the key path has no Printer in it, "
                   "or the launch's lines were lost";
    else
        decision = "not reached";
    if (!run_.headless)
        account.stages.push_back({ "fax decision", decision });

    for (int i = 0; i < LAUNCH_COUNT; ++i) {
        const Launch& launch = l[i];
        const LaunchMeaning& meaning = LaunchOf(i);
        std::string state;
        if (launch.phase == PHASE_NONE) {
            bool later = false;
            for (int j = i + 1; j < LAUNCH_COUNT; ++j)
                later = later || l[j].phase != PHASE_NONE;
            // A printer launch that came to its end, so that stage D was next.
            const bool printed = l[LAUNCH_PRINTER].command || l[LAUNCH_PRINTER].phase == PHASE_FAILED;
            if (i == LAUNCH_FAX && NoFaxKey())
                state = "not made: the key path has no Printer in it, so there is no fax key";
            else if (i == LAUNCH_FAX && later && FaxKeyShown())
                state = "not made: No Fax Function is TRUE (the key path has Printer in it, so the fax key exists)";
            else if (i == LAUNCH_FAX)
                state = later ? meaning.notMade : "not reached";
            else if (later)
                state = "not made: its lines are missing";
            else if (i == LAUNCH_FAX_TOOL && printed)
                state = meaning.notMade;
            else if (i == LAUNCH_PRINTER_TOOL && printed && l[LAUNCH_FAX_TOOL].phase == PHASE_NONE)
                state = meaning.notMade;
            else if (i == LAUNCH_PRINTER_TOOL && printed)
                state = "not reached: the run ends after the fax driver tool's launch (cut short, or its lines "
                        "were lost)";
            else
                state = "not reached";
        } else if (launch.phase == PHASE_FAILED) {
            state = "failed at line " + Number(launch.failedLine) + ": " + FailureMeaning(i);
            if (launch.cause == CAUSE_SYSTEM_TEXT || launch.cause == CAUSE_WARNED
                || launch.cause == CAUSE_WARNED_COMMAND)
                state += " (the system said: " + launch.systemText + ")";
        } else if (launch.phase == PHASE_ANNOUNCED) {
            state = launch.cause == CAUSE_TOO_LONG
                ? "not started: " + std::string(meaning.tooLong)
                : "announced at line " + Number(launch.line) + ", but its command line is missing";
        } else if (launch.cause == CAUSE_SYSTEM_TEXT || launch.cause == CAUSE_WARNED
            || launch.cause == CAUSE_WARNED_COMMAND) {
            state = "did not start (announced at line " + Number(launch.line)
                + "; the system said: " + launch.systemText + "), and no error line follows";
        } else {
            state = "started at line " + Number(launch.line);
            state += meaning.addPrinter ? ", ran and reported no failure" : ", not waited for";
        }
        if (run_.headless && kLaunchSlots[i] < firstSlot)
            state = unknown;
        if (i == LAUNCH_FAX && run_.faxNameLine)
            state += "; its Driver Name could not be read (line " + Number(run_.faxNameLine) + ")";
        account.stages.push_back({ meaning.stage, state });
    }
    if (!run_.gaps.empty())
        account.stages.push_back({ "missing lines", run_.gaps });
    return account;
}

namespace {

class NoteCollector : public NoteSink {
public:
    std::vector<LineNote> notes;
    void RunBegins(int, long) override { }
    void Note(long, const LineNote& note, size_t) override { notes.push_back(note); }
    void RunEnds(const RunAccount&) override { }
};

} // namespace

std::vector<LineNote> NoteLines(const std::string& logBytes, unsigned codePage)
{
    NoteCollector collector;
    LogReader reader(collector, codePage, logBytes.size() + 1);
    reader.Feed(logBytes.data(), logBytes.size());
    reader.Finish();
    return collector.notes;
}

std::vector<LineNote> NoteLines(const std::string& logBytes)
{
    return NoteLines(logBytes, 0);
}
