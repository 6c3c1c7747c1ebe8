// The command tail that the program's entry hands to WinMain.
#ifndef ZQ_COMMAND_TAIL_H
#define ZQ_COMMAND_TAIL_H

// Skips the program name and the bytes 1 to 32 after it. A quoted program
// name runs up to and including the next double quote (or to the end); any
// other runs up to the first byte of 32 or less. Bytes count as unsigned, so
// 128 to 255 belong to the name or the tail. For example:
//   "C:\a b\zqrunadd.exe"  SOFTWARE\X   ->  SOFTWARE\X
//   zqrunadd.exe\t\x01SOFTWARE\X        ->  SOFTWARE\X
//   zq"run add.exe X                    ->  add.exe X   (a quote inside a name is plain)
// Returns a pointer into line (null for a null line).
const char* CommandTailOf(const char* line);

#endif
