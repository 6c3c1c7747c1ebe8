// Files moved, copied and removed so that what was written is on the disk
// before the next step: a power failure after it finds the step whole.
#ifndef ZQ_DURABLE_FILES_H
#define ZQ_DURABLE_FILES_H

// Moves a file, replacing none, and makes the move durable where the system can.
int MoveDurably(const char* from, const char* to);
// Copies a file over another and flushes what it wrote.
int CopyDurably(const char* from, const char* to);
// A folder and everything in it, removed; tells whether it is gone.
int RemoveFolderTree(const char* path);

#endif
