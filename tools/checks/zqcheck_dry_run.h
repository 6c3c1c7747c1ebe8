// What a run would touch, said by a dry run, which changes nothing.
#ifndef ZQ_ZQCHECK_DRY_RUN_H
#define ZQ_ZQCHECK_DRY_RUN_H

#include "world/machine.h"

void SayWhatItTouches(const Machine* m, const char* reportPath);

#endif
