/*
 * File objects: a File_T names one path, split into its directory and its file name,
 * with the attributes the path had when the object was made. Functions take them
 * apart, test them, list directories, create, delete, rename and copy files and
 * directories, and ask for drives and volumes.
 *
 * Texts are wide (wchar_t) and end with a zero character; the system is asked in UTF-8.
 * Every object, text and array returned is new and belongs to the caller: objects are
 * released with File_free, arrays of objects with File_freeList, texts with Mem_free,
 * and an array of names by releasing each name and then the array with Mem_free.
 * Failure is a null or 0 result; the one exception is File_Failed, raised for a child
 * name that begins with the separator.
 */
#ifndef FILEIO_FILE_H
#define FILEIO_FILE_H

#include <stdint.h>
#include <wchar.h>

#include "fileio/Api.h"
#include "fileio/Except.h"
#include "fileio/List.h"
#include "fileio/Mem.h"

FILEIO_BEGIN_DECLS

/* Attribute bits of a path. */
enum {
    File_READONLY = 1, /* the caller may not write it */
    File_HIDDEN = 2,   /* its name begins with a dot */
    File_DIRECTORY = 16,
    File_ARCHIVE = 32, /* a regular file */
};
/* The attributes of a path that did not exist. */
#define File_NO_ATTRIBUTES ((uint32_t)-1)

/* A last-write time: 100-nanosecond units since 1601-01-01 UTC, in two halves. */
typedef struct File_Time {
    uint32_t lowDateTime;
    uint32_t highDateTime;
} File_Time;

typedef struct File_Object* File_T;
struct File_Object {
    wchar_t* directoryPath; /* the directory, ending with '/': "/data/" of /data/a.txt */
    int32_t directorySize;  /* length of directoryPath plus one */
    wchar_t* fileName;      /* "a.txt" of /data/a.txt; empty for the root */
    int32_t fileNameSize;   /* length of fileName plus one */
    int32_t absolute;       /* 1 when the path was given rooted, 0 when it was completed */
    uint32_t attributes;    /* attributes when the object was made; File_NO_ATTRIBUTES if missing */
    File_Time lastWriteTime; /* read on first request; 0 until then */
};

/* Raised for a child name that begins with '/'; its reason is "File Failed". */
FILEIO_API extern const Except_T File_Failed;

/* Making and releasing objects. A path that does not begin with '/' is completed with
 * the current directory; "." and ".." parts are folded. */
FILEIO_API File_T File_new(const wchar_t* path);
FILEIO_API File_T File_instanceOfParent(const wchar_t* directory, const wchar_t* name);
FILEIO_API File_T File_instanceOfParentFileT(File_T parent, const wchar_t* name);
FILEIO_API File_T File_getParent(File_T file);
FILEIO_API File_T File_clone(File_T file);
FILEIO_API void File_free(File_T* file);

/* Names (new texts), and whether the path was given rooted. */
FILEIO_API wchar_t* File_getFileName(File_T file);
FILEIO_API wchar_t* File_getDirectoryName(File_T file);
FILEIO_API wchar_t* File_getFullName(File_T file);
FILEIO_API int File_isAbsolute(File_T file);

/* Tests of the attributes taken when the object was made. */
FILEIO_API uint32_t File_getAttribute(File_T file);
FILEIO_API int File_exists(File_T file);
FILEIO_API int File_canRead(File_T file); /* the same function as File_exists */
FILEIO_API int File_isDirectory(File_T file);
FILEIO_API int File_isFile(File_T file);
FILEIO_API int File_canWrite(File_T file);
FILEIO_API int File_isHidden(File_T file); /* 2 when hidden, else 0 */
/* The last-write time, read once per object; null for a missing path. */
FILEIO_API File_Time* File_lastModified(File_T file);

/* The same tests on a path, asking the system each time. */
FILEIO_API int isDirectory(const wchar_t* path);
FILEIO_API int isFile(const wchar_t* path);
FILEIO_API int isExists(const wchar_t* path);
FILEIO_API int canRead(const wchar_t* path); /* the same function as isExists */
FILEIO_API int canWrite(const wchar_t* path);
FILEIO_API int isHidden(const wchar_t* path); /* 2 when hidden, else 0 */

/* Listings in the system's order, without "." and "..": null-terminated arrays, or null
 * when there is nothing. A pattern has the wildcards '*' and '?'; a final ".*" also
 * matches a name without a dot, so "*.*" matches every name. */
FILEIO_API File_T* File_listFiles(File_T directory);
FILEIO_API File_T* File_listFilesFiler(File_T directory, const wchar_t* pattern);
FILEIO_API wchar_t** File_lists(File_T directory);
FILEIO_API wchar_t** File_listFiler(File_T directory, const wchar_t* pattern);
FILEIO_API void File_freeList(File_T** list);

/* Changes: 1 on success, 0 on failure. */
FILEIO_API int File_delete(File_T file);
FILEIO_API int File_deleteOnExit(File_T file);
FILEIO_API int File_createNewFile(File_T file);
FILEIO_API int File_mkdir(File_T file);
FILEIO_API int File_mkdirs(File_T file);
FILEIO_API int File_renameTo(File_T file, File_T target);
FILEIO_API int File_copyTo(File_T file, File_T target, int overwrite);

/* Drives and volumes. */
FILEIO_API wchar_t* File_systemDrive(void);
FILEIO_API wchar_t** File_allDrive(void);
FILEIO_API wchar_t* File_volumeName(const wchar_t* root);
FILEIO_API uint32_t File_volumeSerial(const wchar_t* root);
FILEIO_API uint32_t File_systemDriveVolumeSerial(void);

FILEIO_END_DECLS

#endif
