#include "Path.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileio/File.h"

/* Characters that stand for single bytes that are not UTF-8. */
enum { kEscapeFirst = 0xDC80, kEscapeLast = 0xDCFF };

static size_t encoded_length(wchar_t c) {
    const uint32_t u = (uint32_t)c;
    if (u < 0x80) return 1;
    if (u < 0x800) return 2;
    if (u >= kEscapeFirst && u <= kEscapeLast) return 1;
    if (u >= 0xD800 && u <= 0xDFFF) return 0;
    if (u < 0x10000) return 3;
    if (u <= 0x10FFFF) return 4;
    return 0;
}

char* FilePath_encodeAt(const wchar_t* text, const char* file, int line) {
    size_t n = 0;
    for (const wchar_t* p = text; *p != 0; p++) {
        const size_t k = encoded_length(*p);
        if (k == 0) return NULL;
        n += k;
    }
    char* out = Mem_alloc((long)n + 1, file, line);
    unsigned char* o = (unsigned char*)out;
    for (const wchar_t* p = text; *p != 0; p++) {
        const uint32_t u = (uint32_t)*p;
        if (u < 0x80) {
            *o++ = (unsigned char)u;
        } else if (u >= kEscapeFirst && u <= kEscapeLast) {
            *o++ = (unsigned char)(u - 0xDC00);
        } else if (u < 0x800) {
            *o++ = (unsigned char)(0xC0 | (u >> 6));
            *o++ = (unsigned char)(0x80 | (u & 0x3F));
        } else if (u < 0x10000) {
            *o++ = (unsigned char)(0xE0 | (u >> 12));
            *o++ = (unsigned char)(0x80 | ((u >> 6) & 0x3F));
            *o++ = (unsigned char)(0x80 | (u & 0x3F));
        } else {
            *o++ = (unsigned char)(0xF0 | (u >> 18));
            *o++ = (unsigned char)(0x80 | ((u >> 12) & 0x3F));
            *o++ = (unsigned char)(0x80 | ((u >> 6) & 0x3F));
            *o++ = (unsigned char)(0x80 | (u & 0x3F));
        }
    }
    *o = 0;
    return out;
}

/* The character of the well-formed sequence at s (at most n bytes), and its length in
 * *used; 0 in *used when the sequence is not well formed. */
static uint32_t decode_one(const unsigned char* s, size_t n, size_t* used) {
    const unsigned char b = s[0];
    *used = 0;
    if (b < 0x80) {
        *used = 1;
        return b;
    }
    size_t len;
    uint32_t c, min;
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2, c = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3, c = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4, c = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (n < len) return 0;
    for (size_t i = 1; i < len; i++) {
        if ((s[i] & 0xC0) != 0x80) return 0;
        c = (c << 6) | (s[i] & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    *used = len;
    return c;
}

wchar_t* FilePath_decodeAt(const char* bytes, size_t n, const char* file, int line) {
    /* Never more characters than bytes. */
    wchar_t* out = Mem_calloc((long)n + 1, (long)sizeof *out, file, line);
    const unsigned char* s = (const unsigned char*)bytes;
    size_t i = 0, o = 0;
    while (i < n) {
        size_t used;
        const uint32_t c = decode_one(s + i, n - i, &used);
        if (used == 0) {
            out[o++] = (wchar_t)(0xDC00 + s[i]);
            i++;
        } else {
            out[o++] = (wchar_t)c;
            i += used;
        }
    }
    out[o] = 0;
    return out;
}

wchar_t* FilePath_copyAt(const wchar_t* text, size_t n, const char* file, int line) {
    wchar_t* out = Mem_calloc((long)n + 1, (long)sizeof *out, file, line);
    wmemcpy(out, text, n);
    return out;
}

wchar_t* FilePath_joinAt(const wchar_t* a, const wchar_t* b, const char* file, int line) {
    const size_t na = wcslen(a), nb = wcslen(b);
    const int sep = na == 0 || a[na - 1] != kSeparator;
    wchar_t* out = Mem_calloc((long)(na + sep + nb + 1), (long)sizeof *out, file, line);
    wmemcpy(out, a, na);
    if (sep) out[na] = kSeparator;
    wmemcpy(out + na + sep, b, nb);
    return out;
}

char* FilePath_joinSystemAt(const char* a, const char* b, const char* file, int line) {
    const size_t na = strlen(a), nb = strlen(b);
    const int sep = na == 0 || a[na - 1] != '/';
    char* out = Mem_alloc((long)(na + sep + nb + 1), file, line);
    memcpy(out, a, na);
    if (sep) out[na] = '/';
    memcpy(out + na + sep, b, nb);
    out[na + sep + nb] = 0;
    return out;
}

/* Folds src (rooted) into out, which has room for wcslen(src) + 2 characters: one
 * separator between parts, no "." parts, ".." taking away the part before it (the
 * root stays the root), and no separator at the end except for the root itself. */
static size_t fold(const wchar_t* src, wchar_t* out) {
    size_t o = 0, i = 0;
    out[o++] = kSeparator;
    while (src[i] != 0) {
        while (src[i] == kSeparator) i++;
        if (src[i] == 0) break;
        const size_t start = i;
        while (src[i] != 0 && src[i] != kSeparator) i++;
        const size_t len = i - start;
        if (len == 1 && src[start] == L'.') continue;
        if (len == 2 && src[start] == L'.' && src[start + 1] == L'.') {
            while (o > 1 && out[o - 1] != kSeparator) o--;
            if (o > 1) o--;
            continue;
        }
        if (o > 1) out[o++] = kSeparator;
        wmemcpy(out + o, src + start, len);
        o += len;
    }
    out[o] = 0;
    return o;
}

/* The current directory as a new wide text, or null. */
static wchar_t* current_directory(const char* file, int line) {
    char* cwd = getcwd(NULL, 0);
    if (cwd == NULL) return NULL;
    wchar_t* wide = cwd[0] == '/' ? FilePath_decodeAt(cwd, strlen(cwd), file, line) : NULL;
    free(cwd);
    return wide;
}

int FilePath_prepareAt(const wchar_t* path, FilePath* out, const char* file, int line) {
    memset(out, 0, sizeof *out);
    if (path == NULL || path[0] == 0) return 0;
    wchar_t* whole = NULL;
    if (path[0] == kSeparator) {
        out->absolute = 1;
    } else {
        wchar_t* cwd = current_directory(file, line);
        if (cwd == NULL) return 0;
        whole = FilePath_joinAt(cwd, path, file, line);
        Mem_free(cwd, file, line);
        out->absolute = 0;
    }
    const wchar_t* src = whole != NULL ? whole : path;
    wchar_t* folded = Mem_calloc((long)wcslen(src) + 2, (long)sizeof *folded, file, line);
    out->length = fold(src, folded);
    Mem_free(whole, file, line);
    out->full = folded;
    out->system = FilePath_encodeAt(folded, file, line);
    /* The system refuses a path of PATH_MAX bytes or more. */
    if (out->system == NULL || strlen(out->system) >= PATH_MAX) {
        FilePath_release(out);
        return 0;
    }
    size_t s = out->length;
    while (s > 0 && folded[s - 1] != kSeparator) s--;
    out->nameStart = s;
    return 1;
}

void FilePath_release(FilePath* path) {
    Mem_free(path->full, __FILE__, __LINE__);
    Mem_free(path->system, __FILE__, __LINE__);
    memset(path, 0, sizeof *path);
}

uint32_t FilePath_attributes(const char* system) {
    struct stat st;
    if (stat(system, &st) != 0 && lstat(system, &st) != 0) return File_NO_ATTRIBUTES;
    /* A link whose target is missing exists as the link itself. */
    uint32_t attributes = 0;
    if (S_ISDIR(st.st_mode))
        attributes |= File_DIRECTORY;
    else if (S_ISREG(st.st_mode))
        attributes |= File_ARCHIVE;
    const char* name = strrchr(system, '/');
    name = name != NULL ? name + 1 : system;
    if (name[0] == '.') attributes |= File_HIDDEN;
    if (faccessat(AT_FDCWD, system, W_OK, AT_EACCESS) != 0 &&
        (errno == EACCES || errno == EROFS || errno == EPERM || errno == ETXTBSY))
        attributes |= File_READONLY;
    return attributes;
}

int FilePath_matches(const wchar_t* pattern, const wchar_t* name) {
    /* Greedy match with one point of return for the last '*': linear in practice and
     * never exponential. */
    const wchar_t* p = pattern;
    const wchar_t* n = name;
    const wchar_t* star = NULL;
    const wchar_t* resume = NULL;
    while (*n != 0) {
        if (*p == L'*') {
            while (*p == L'*') p++;
            if (*p == 0) return 1;
            star = p;
            resume = n;
        } else if (*p != 0 && (*p == L'?' || *p == *n)) {
            p++;
            n++;
        } else if (star != NULL) {
            p = star;
            n = ++resume;
        } else {
            return 0;
        }
    }
    while (*p == L'*') p++;
    if (*p == 0) return 1;
    if (p[0] != L'.' || p[1] != L'*') return 0;
    for (p++; *p == L'*'; p++) {
    }
    return *p == 0;
}
