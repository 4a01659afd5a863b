/*
 * Paths inside the library: wide texts at the interface, UTF-8 for the system.
 * Every path an object names is prepared here: completed with the current directory
 * when it is not rooted, with "." and ".." parts, repeated separators and a final
 * separator folded away, so that its directory is everything up to the last '/'.
 * Helpers that return new texts take the place of the call for the memory diagnostics.
 */
#ifndef FILEIO_SRC_PATH_H
#define FILEIO_SRC_PATH_H

#include <stddef.h>
#include <stdint.h>
#include <wchar.h>

#include "fileio/Api.h"

FILEIO_BEGIN_DECLS

enum { kSeparator = L'/' };

/* A prepared path: full is a new text such as "/data/a.txt"; the file name starts at
 * nameStart ("a.txt"), the directory is what comes before it ("/data/"). */
typedef struct FilePath {
    wchar_t* full;
    size_t length;
    size_t nameStart;
    int absolute;
    char* system; /* full in UTF-8 */
} FilePath;

/* 1 and a filled *out, or 0 when the path cannot be prepared: null or empty, a
 * character with no UTF-8 form, longer than the system takes, or no current directory. */
int FilePath_prepareAt(const wchar_t* path, FilePath* out, const char* file, int line);
#define FilePath_prepare(path, out) FilePath_prepareAt((path), (out), __FILE__, __LINE__)
void FilePath_release(FilePath* path);

/* The attributes of a path as the system reports them (File_NO_ATTRIBUTES when missing). */
uint32_t FilePath_attributes(const char* system);

/* Wide text to a new UTF-8 text; null when a character has no UTF-8 form. Characters
 * U+DC80..U+DCFF stand for the single bytes 0x80..0xFF (see FilePath_decode). */
char* FilePath_encodeAt(const wchar_t* text, const char* file, int line);
#define FilePath_encode(text) FilePath_encodeAt((text), __FILE__, __LINE__)
/* n bytes of UTF-8 to a new wide text. A byte that does not belong to a well-formed
 * sequence becomes U+DC00 plus the byte, so that every name the system gives comes
 * back to the same bytes. */
wchar_t* FilePath_decodeAt(const char* bytes, size_t n, const char* file, int line);
#define FilePath_decode(bytes, n) FilePath_decodeAt((bytes), (n), __FILE__, __LINE__)

/* A new text: the first n characters of text. */
wchar_t* FilePath_copyAt(const wchar_t* text, size_t n, const char* file, int line);
#define FilePath_copy(text, n) FilePath_copyAt((text), (n), __FILE__, __LINE__)
/* A new text: a, a separator when a does not end with one (an empty a too), then b. */
wchar_t* FilePath_joinAt(const wchar_t* a, const wchar_t* b, const char* file, int line);
#define FilePath_join(a, b) FilePath_joinAt((a), (b), __FILE__, __LINE__)
/* The same for UTF-8 texts. */
char* FilePath_joinSystemAt(const char* a, const char* b, const char* file, int line);
#define FilePath_joinSystem(a, b) FilePath_joinSystemAt((a), (b), __FILE__, __LINE__)

/* Whether name matches a wildcard pattern: '*' stands for any run of characters, '?'
 * for one; a final ".*" also matches the end of a name, so "*.*" matches every name. */
int FilePath_matches(const wchar_t* pattern, const wchar_t* name);

FILEIO_END_DECLS

#endif
