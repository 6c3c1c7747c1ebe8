// zqcheck's standard output and error, written through, not buffered, so
// that a run that is killed leaves every line it printed; each line ended by
// CR LF, as Windows' text files and consoles have it. (The result file has
// its own writer, result_file.h.)
#ifndef ZQ_ZQCHECK_OUTPUT_H
#define ZQ_ZQCHECK_OUTPUT_H

// Text on standard output, its lines as they are.
void SayBlock(const char* text);
// One line on standard output.
void Say(const char* line);
// One line on standard error, "zqcheck: what is wrong"; returns status 2.
int Refuse(const char* line);
// Refuse's line, for who takes a line to say and no status.
void SayError(const char* line);
// A step of a restore that failed, indented under the restore's heading.
void SayRestoreStep(const char* line);

#endif
