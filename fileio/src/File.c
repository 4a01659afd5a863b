/* Making objects, their names, and the tests of attributes. */
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include "FileInternal.h"
#include "Path.h"
#include "fileio/File.h"

const Except_T File_Failed = {"File Failed"};

File_T File_new(const wchar_t* path) {
    FilePath p;
    if (!FilePath_prepare(path, &p)) return NULL;
    File_T f;
    NEW0(f);
    f->directoryPath = FilePath_copy(p.full, p.nameStart);
    f->directorySize = (int32_t)p.nameStart + 1;
    f->fileName = FilePath_copy(p.full + p.nameStart, p.length - p.nameStart);
    f->fileNameSize = (int32_t)(p.length - p.nameStart) + 1;
    f->absolute = p.absolute;
    f->attributes = FilePath_attributes(p.system);
    FilePath_release(&p);
    return f;
}

File_T File_instanceOfParent(const wchar_t* directory, const wchar_t* name) {
    /* Raised before anything is allocated, so that nothing leaks past the handler. */
    if (name != NULL && name[0] == kSeparator) RAISE(File_Failed);
    if (directory == NULL || name == NULL) return NULL;
    wchar_t* path = FilePath_join(directory, name);
    File_T f = File_new(path);
    FREE(path);
    return f;
}

File_T File_instanceOfParentFileT(File_T parent, const wchar_t* name) {
    if (name != NULL && name[0] == kSeparator) RAISE(File_Failed);
    if (parent == NULL || name == NULL) return NULL;
    wchar_t* full = File_getFullName(parent);
    wchar_t* path = FilePath_join(full, name);
    File_T f = File_new(path);
    FREE(path);
    FREE(full);
    return f;
}

File_T File_getParent(File_T file) { return file != NULL ? File_new(file->directoryPath) : NULL; }

File_T File_clone(File_T file) {
    if (file == NULL) return NULL;
    wchar_t* full = File_getFullName(file);
    File_T f = File_new(full);
    FREE(full);
    return f;
}

void File_free(File_T* file) {
    if (file == NULL || *file == NULL) return;
    FREE((*file)->directoryPath);
    FREE((*file)->fileName);
    FREE(*file);
}

wchar_t* File_getFileName(File_T file) {
    return file != NULL ? FilePath_copy(file->fileName, wcslen(file->fileName)) : NULL;
}

wchar_t* File_getDirectoryName(File_T file) {
    return file != NULL ? FilePath_copy(file->directoryPath, wcslen(file->directoryPath)) : NULL;
}

wchar_t* File_getFullName(File_T file) {
    /* The directory always ends with '/', so the root's empty name adds nothing. */
    return file != NULL ? FilePath_join(file->directoryPath, file->fileName) : NULL;
}

char* File_systemNameAt(File_T file, const char* where, int line) {
    wchar_t* full = FilePath_joinAt(file->directoryPath, file->fileName, where, line);
    char* system = FilePath_encodeAt(full, where, line);
    Mem_free(full, where, line);
    return system;
}

int File_isAbsolute(File_T file) { return file != NULL ? file->absolute : 0; }

uint32_t File_getAttribute(File_T file) {
    return file != NULL ? file->attributes : File_NO_ATTRIBUTES;
}

/* The tests of a set of attributes, for objects and plain paths alike. */
static int attr_exists(uint32_t a) { return a != File_NO_ATTRIBUTES; }
static int attr_directory(uint32_t a) { return attr_exists(a) && (a & File_DIRECTORY) != 0; }
static int attr_file(uint32_t a) { return attr_exists(a) && (a & File_DIRECTORY) == 0; }
static int attr_writable(uint32_t a) { return attr_exists(a) && (a & File_READONLY) == 0; }
static int attr_hidden(uint32_t a) {
    return attr_exists(a) && (a & File_HIDDEN) != 0 ? File_HIDDEN : 0;
}

int File_exists(File_T file) { return attr_exists(File_getAttribute(file)); }
FILEIO_API int File_canRead(File_T file) __attribute__((alias("File_exists")));
int File_isDirectory(File_T file) { return attr_directory(File_getAttribute(file)); }
int File_isFile(File_T file) { return attr_file(File_getAttribute(file)); }
int File_canWrite(File_T file) { return attr_writable(File_getAttribute(file)); }
int File_isHidden(File_T file) { return attr_hidden(File_getAttribute(file)); }

/* Seconds between 1601-01-01 and 1970-01-01, and 100-nanosecond units in a second. */
enum { kEpochDifference = 11644473600LL, kTicksPerSecond = 10000000 };

File_Time* File_lastModified(File_T file) {
    if (file == NULL || !File_exists(file)) return NULL;
    File_Time* t = &file->lastWriteTime;
    if (t->lowDateTime == 0 && t->highDateTime == 0) {
        char* system = File_systemName(file);
        struct stat st;
        const int ok = system != NULL && stat(system, &st) == 0;
        FREE(system);
        if (!ok) return NULL;
        const int64_t ticks = ((int64_t)st.st_mtim.tv_sec + kEpochDifference) * kTicksPerSecond +
                              st.st_mtim.tv_nsec / 100;
        const uint64_t value = ticks > 0 ? (uint64_t)ticks : 0;
        t->lowDateTime = (uint32_t)value;
        t->highDateTime = (uint32_t)(value >> 32);
    }
    return t;
}

/* The attributes of a plain path, prepared as an object's would be. */
static uint32_t path_attributes(const wchar_t* path) {
    FilePath p;
    if (!FilePath_prepare(path, &p)) return File_NO_ATTRIBUTES;
    const uint32_t a = FilePath_attributes(p.system);
    FilePath_release(&p);
    return a;
}

int isDirectory(const wchar_t* path) { return attr_directory(path_attributes(path)); }
int isFile(const wchar_t* path) { return attr_file(path_attributes(path)); }
int isExists(const wchar_t* path) { return attr_exists(path_attributes(path)); }
FILEIO_API int canRead(const wchar_t* path) __attribute__((alias("isExists")));
int canWrite(const wchar_t* path) { return attr_writable(path_attributes(path)); }
int isHidden(const wchar_t* path) { return attr_hidden(path_attributes(path)); }
