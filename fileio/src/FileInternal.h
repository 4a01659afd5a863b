/* What the parts of the library share about objects. */
#ifndef FILEIO_SRC_FILE_INTERNAL_H
#define FILEIO_SRC_FILE_INTERNAL_H

#include "fileio/File.h"

FILEIO_BEGIN_DECLS

/* The object's full name in UTF-8, a new text; null when it has no UTF-8 form. */
char* File_systemNameAt(File_T file, const char* where, int line);
#define File_systemName(file) File_systemNameAt((file), __FILE__, __LINE__)

/* Deletes a path and, for a directory, everything in it, never following a symbolic
 * link; 1 when it is gone (or was never there), 0 at the first failure. */
int File_deleteTree(const char* system);

/* Copies the regular file src to dst, replacing an existing dst only when replace is
 * non-zero and never onto src itself; keeps the permissions and the last-write time. */
int File_copyFile(const char* src, const char* dst, int replace);

/* The drives of a mount table in the form of /proc/self/mountinfo, given the
 * file system types in the form of /proc/filesystems: "/" first, then each mount point
 * of a real file system that is a directory, once, in the table's order. */
wchar_t** File_drivesOf(const char* mountinfo, const char* filesystems);

FILEIO_END_DECLS

#endif
