// A test build's hook (ZQ_KILL_HOOK): ends the process, as a kill or a
// power failure would, once the N-th change given by ZQCHECK_KILL_AFTER is
// made (with ZQCHECK_CHANGES set, each change is said on standard error,
// "change N what"), or the N-th restore step by ZQCHECK_KILL_RESTORE_AFTER.
// Nothing in a release build.
#ifndef ZQ_KILL_HOOK_H
#define ZQ_KILL_HOOK_H

#ifdef ZQ_KILL_HOOK
void ChangeMade(const char* what);
void RestoreStepMade(void);
#else
inline void ChangeMade(const char*) { }
inline void RestoreStepMade(void) { }
#endif

#endif
