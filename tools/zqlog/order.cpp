#include "order.h"

namespace {

constexpr uint64_t B(int step)
{
    return uint64_t(1) << step;
}
constexpr int At(int first, Phase phase)
{
    return first + phase - 1;
}
// The places where a launch begins: its announcement, or Command line too long.
constexpr uint64_t Begins(int first)
{
    return B(At(first, PHASE_ANNOUNCED)) | B(At(first, PHASE_TOO_LONG));
}
constexpr uint64_t kFax = Begins(STEP_FAX_FIRST), kPrinter = Begins(STEP_PRINTER_FIRST),
                   kFaxTool = Begins(STEP_FAX_TOOL_FIRST), kPrinterTool = Begins(STEP_PRINTER_TOOL_FIRST);

// A launch's seven rows: what follows its lines, where it may end, its wait.
// next: what follows the launch; end: the run may end after it.
void LaunchRows(StepRow* rows, int launch, int first, Wait wait, uint64_t next, uint64_t afterCommand, bool end)
{
    const uint64_t failed = B(At(first, PHASE_FAILED));
    const uint64_t startFailed = B(At(first, PHASE_SYSTEM_TEXT)) | B(At(first, PHASE_WARNED));
    rows[At(first, PHASE_ANNOUNCED)] = { launch, PHASE_ANNOUNCED, false, WAIT_NONE, B(At(first, PHASE_COMMAND)) };
    rows[At(first, PHASE_TOO_LONG)] = { launch, PHASE_TOO_LONG, false, WAIT_NONE, failed };
    // A waited tool has ended when the next line comes; a tool not waited
    // for runs on, and the run with it.
    rows[At(first, PHASE_COMMAND)] = { launch, PHASE_COMMAND, end, wait, startFailed | failed | next | afterCommand };
    rows[At(first, PHASE_SYSTEM_TEXT)] = { launch, PHASE_SYSTEM_TEXT, false, WAIT_NONE, failed };
    rows[At(first, PHASE_WARNED)] = { launch, PHASE_WARNED, false, WAIT_NONE, B(At(first, PHASE_WARNED_COMMAND)) };
    rows[At(first, PHASE_WARNED_COMMAND)] = { launch, PHASE_WARNED_COMMAND, false, WAIT_NONE, failed };
    rows[At(first, PHASE_FAILED)] = { launch, PHASE_FAILED, end, WAIT_NONE, next | afterCommand };
}

struct Table {
    StepRow rows[STEP_COUNT];
    Table()
    {
        rows[STEP_START] = { -1, PHASE_NONE, true, WAIT_NONE,
            B(STEP_SETTINGS_END) | B(STEP_SPOOLER) | B(STEP_FAX_FLAG) | kFax | kPrinter };
        rows[STEP_SETTINGS_END] = { -1, PHASE_NONE, true, WAIT_NONE, 0 };
        // After the spooler line and the fax decision the shell starts the
        // driver tool, unlogged, and waits up to 60 s for it to be idle.
        rows[STEP_SPOOLER] = { -1, PHASE_NONE, false, WAIT_IDLE, B(STEP_FAX_FLAG) | kFax | kPrinter };
        rows[STEP_FAX_FLAG] = { -1, PHASE_NONE, false, WAIT_IDLE, kFax };
        LaunchRows(rows, LAUNCH_FAX, STEP_FAX_FIRST, WAIT_END, kPrinter, B(STEP_FAX_NAME), false);
        rows[STEP_FAX_NAME] = { -1, PHASE_NONE, false, WAIT_NONE, kPrinter };
        // The printer stage may end the run: an empty driver directory.
        LaunchRows(rows, LAUNCH_PRINTER, STEP_PRINTER_FIRST, WAIT_END, kFaxTool, 0, true);
        LaunchRows(rows, LAUNCH_FAX_TOOL, STEP_FAX_TOOL_FIRST, WAIT_NONE, kPrinterTool, 0, false);
        LaunchRows(rows, LAUNCH_PRINTER_TOOL, STEP_PRINTER_TOOL_FIRST, WAIT_NONE, 0, 0, true);
    }
};

const Table kTable;
const int kFirst[LAUNCH_COUNT] = { STEP_FAX_FIRST, STEP_PRINTER_FIRST, STEP_FAX_TOOL_FIRST, STEP_PRINTER_TOOL_FIRST };

} // namespace

static_assert(STEP_COUNT <= 64); // one bit per place

const StepRow& RowOf(int step)
{
    return kTable.rows[step];
}

int StepOf(int launch, Phase phase)
{
    return At(kFirst[launch], phase);
}

bool MayFollow(int from, int to)
{
    return (kTable.rows[from].follows & B(to)) != 0;
}

bool IsLater(int from, int to)
{
    return to > from;
}
