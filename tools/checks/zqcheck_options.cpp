#include "zqcheck_options.h"

#include <stdio.h>
#include <string.h>

// --name's text: one word that a file of "field value" lines keeps whole.
static int NameFits(const char* text)
{
    for (const char* c = text; *c; ++c)
        if (!((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9') || strchr("-_.", *c)))
            return 0;
    return *text != 0;
}

static OptionsRead Refused(char* refusal, const char* line)
{
    strcpy(refusal, line);
    return OPTIONS_BAD;
}

OptionsRead ReadOptions(const char* tail, ZqcheckOptions* options, char refusal[OPTIONS_REFUSAL_SIZE])
{
    memset(options, 0, sizeof *options);
    refusal[0] = 0;
    char option[64];
    int nameNext = 0;
    for (const char* at = tail; *at;) {
        const char* end = at;
        while (*end && *end != ' ' && *end != '\t')
            ++end;
        if ((size_t)(end - at) >= sizeof option)
            return Refused(refusal, "zqcheck: an option that long is none of its own (see --help)");
        memcpy(option, at, (size_t)(end - at));
        option[end - at] = 0;
        for (at = end; *at == ' ' || *at == '\t';)
            ++at;
        if (nameNext) {
            // "--name --throwaway" is an author who forgot the word, not a name: taken as one, the
            // run they asked for would quietly be a dry run. A single '-' may begin a name.
            if (option[0] == '-' && option[1] == '-')
                return sprintf(refusal, "zqcheck: --name takes a word, not the option %s (see --help)", option),
                       OPTIONS_BAD;
            if (!NameFits(option))
                return Refused(refusal, "zqcheck: --name takes one word of letters, digits, '-', '_' and '.'");
            strcpy(options->nameText, option);
            options->name = options->nameText;
            nameNext = 0;
        } else if (strcmp(option, "--name") == 0)
            nameNext = 1;
        else if (strcmp(option, "--throwaway") == 0)
            options->throwaway = 1;
        else if (strcmp(option, "--restore") == 0)
            options->restoreOnly = 1;
        else if (strcmp(option, "--help") == 0)
            return OPTIONS_HELP;
        else
            return sprintf(refusal, "zqcheck: unknown option %s (see --help)", option), OPTIONS_BAD;
    }
    if (nameNext)
        return Refused(refusal, "zqcheck: --name needs a word after it (see --help)");
    if (options->throwaway && options->restoreOnly)
        return Refused(refusal, "zqcheck: --throwaway and --restore go one at a time");
    return OPTIONS_RUN;
}
