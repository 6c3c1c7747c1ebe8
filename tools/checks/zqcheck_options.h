// zqcheck's command tail: pure, for the host tests.
//   zqcheck [--throwaway | --restore | --help] [--name TEXT]
#ifndef ZQ_ZQCHECK_OPTIONS_H
#define ZQ_ZQCHECK_OPTIONS_H

struct ZqcheckOptions {
    int throwaway; // run the rows, then put the machine back
    int restoreOnly; // only put back what a run that did not finish changed
    const char* name; // --name's text, or null: no name unless given
    char nameText[64];
};

enum OptionsRead {
    OPTIONS_RUN, // options read: a dry run, a run or a restore
    OPTIONS_HELP, // --help: the usage, and nothing else
    OPTIONS_BAD, // refused: refusal holds the one line to say
};
enum { OPTIONS_REFUSAL_SIZE = 128 };
OptionsRead ReadOptions(const char* tail, ZqcheckOptions* options, char refusal[OPTIONS_REFUSAL_SIZE]);

#endif
