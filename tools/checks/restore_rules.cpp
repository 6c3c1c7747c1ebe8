#include "restore_rules.h"

#include <stdlib.h>
#include <string.h>

int JournalFields(char* entry, char** fields, int most)
{
    int count = 0;
    fields[count++] = entry;
    for (char* p = entry; *p && count < most; ++p)
        if (*p == '|') {
            *p = 0;
            fields[count++] = p + 1;
        }
    return count;
}

EntryKind JournalEntryKind(char* const* fields, int count)
{
    static const struct {
        const char* name;
        int fields;
        EntryKind kind;
    } kKinds[] = {
        { "boot", 3, ENTRY_BOOT },
        { "run", 2, ENTRY_RUN },
        { "folder", 2, ENTRY_FOLDER },
        { "key", 2, ENTRY_KEY },
        { "file", 5, ENTRY_FILE },
        { "tool", 5, ENTRY_TOOL },
        { "service", 5, ENTRY_SERVICE },
    };
    for (const auto& known : kKinds)
        if (strcmp(fields[0], known.name) == 0 && count == known.fields)
            return known.kind;
    return ENTRY_UNKNOWN;
}

FilePutBack PlanFilePutBack(int wasThere, int asideThere)
{
    const int aside = wasThere && asideThere;
    FilePutBack plan = { !wasThere || aside, aside };
    return plan;
}

int JournalBoot(char* const* entries, int count, BootMark* boot)
{
    for (int i = 0; i < count; ++i) {
        if (memcmp(entries[i], "boot|", 5) != 0) // within the journal's buffer, whatever its length
            continue;
        const char* key = entries[i] + 5;
        const char* bar = strchr(key, '|');
        if (!bar)
            return 0;
        size_t length = (size_t)(bar - key);
        if (length > sizeof boot->key - 1)
            length = sizeof boot->key - 1;
        memcpy(boot->key, key, length);
        boot->key[length] = 0;
        boot->seconds = (uint32_t)strtoul(bar + 1, NULL, 10);
        return 1;
    }
    return 0;
}

int SameBootTime(uint32_t recorded, uint32_t now)
{
    const int32_t apart = (int32_t)(now - recorded);
    return apart > -BOOT_SLACK_S && apart < BOOT_SLACK_S;
}
