/* Which rows run on which machine, and why not: the one rule that the pack
   and the Wine scenario tests both follow. */
#include <stdio.h>
#include <string.h>

#include "check_rows.h"

int VersionIsNt(const char* name)
{
    static const char* const kNine[] = { "win95", "win98", "winme" };
    for (unsigned i = 0; i < sizeof kNine / sizeof kNine[0]; ++i)
        if (strcmp(name, kNine[i]) == 0)
            return 0;
    return 1;
}

int VersionTakesNt4Road(const char* name)
{
    return VersionIsNt(name) && strcmp(name, "nt351") != 0;
}

int RowRunsOn(const CheckRow* row, const CheckMachine* m, char* why, unsigned size)
{
    /* Under emulation a row for one version runs as that version. */
    const char* as = m->emulated && row->version ? row->version : m->name;
    const int nt4 = VersionTakesNt4Road(as);
    char text[256];
    text[0] = 0;
    /* First what no real machine can set up, whatever its version. */
    if ((row->needs & NEED_WINE_DLLS) && !m->wineDlls)
        strcpy(text, "keeps a system DLL from the program, which only Wine's DLL overrides do (the Wine tests run it)");
    else if (row->road == ROAD_NT4 && !nt4)
        sprintf(text, "for NT 4.0 and later; this is %.20s", as);
    else if (row->road == ROAD_OLD && nt4)
        sprintf(text, "for 9x and NT 3.51; this is %.20s", as);
    else if (row->version && strcmp(row->version, as) != 0)
        sprintf(text, "for %.20s only (the Wine tests emulate it); this is %.20s", row->version, as);
    else if ((row->needs & NEED_SPOOLER_CONTROL) && !VersionIsNt(m->name))
        strcpy(text, "stops the spooler, which needs the service manager of NT");
    else if ((row->needs & NEED_SPOOLER_CONTROL) && !m->spoolerNoted)
        strcpy(text, "stops the spooler, whose state could not be read to be put back");
    else if (row->spoolerStopped && m->shellTool)
        sprintf(text, "the shell would start the zqdrvtl.exe at %.180s, which is not the double", m->shellTool);
    else if (row->codePage && m->codePage && row->codePage != m->codePage)
        sprintf(text, "written for code page %u; this machine's is %u", row->codePage, m->codePage);
    if (why && size) {
        unsigned i = 0;
        for (; i + 1 < size && text[i]; ++i)
            why[i] = text[i];
        why[i] = 0;
    }
    return !text[0];
}
