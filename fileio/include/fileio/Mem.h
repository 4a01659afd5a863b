/*
 * Checked memory: every block is allocated and released with the file and line of
 * the call, so that a failed allocation, a release of a block this library did not
 * hand out and a block never released can all be told where they come from.
 */
#ifndef FILEIO_MEM_H
#define FILEIO_MEM_H

#include <stdio.h>

#include "fileio/Api.h"
#include "fileio/Except.h"

FILEIO_BEGIN_DECLS

/* Raised when a block cannot be allocated (or its size is not a positive count of bytes). */
FILEIO_API extern const Except_T Mem_Failed;
/* Raised when a block is released that is not in use (never allocated here, or released twice). */
FILEIO_API extern const Except_T Mem_BadFree;

/* A block of nbytes, not cleared. */
FILEIO_API void* Mem_alloc(long nbytes, const char* file, int line);
/* A block of count elements of nbytes each, cleared to zero. */
FILEIO_API void* Mem_calloc(long count, long nbytes, const char* file, int line);
/* Releases a block; a null pointer does nothing. */
FILEIO_API void Mem_free(void* ptr, const char* file, int line);

/* Calls apply for every block in use, with the place it was allocated at. */
FILEIO_API void Mem_leak(void (*apply)(const void* ptr, long size, const char* file, int line,
                                       void* cl),
                         void* cl);
/* Writes one line per block in use to out; returns how many there are. */
FILEIO_API long Mem_report(FILE* out);

FILEIO_END_DECLS

#define ALLOC(nbytes) Mem_alloc((nbytes), __FILE__, __LINE__)
#define CALLOC(count, nbytes) Mem_calloc((count), (nbytes), __FILE__, __LINE__)
/* Typed, so that C++ takes them as well. */
#define NEW(p) ((p) = (__typeof__(p))ALLOC((long)sizeof *(p)))
#define NEW0(p) ((p) = (__typeof__(p))CALLOC(1, (long)sizeof *(p)))
#define FREE(ptr) ((void)(Mem_free((ptr), __FILE__, __LINE__), (ptr) = 0))

#endif
