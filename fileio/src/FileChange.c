/* Deleting, creating and renaming. */
#include <errno.h>
#include <fcntl.h>
#include <ftw.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FileInternal.h"
#include "Path.h"

static int is_root(const char* system) { return strcmp(system, "/") == 0; }

static int remove_entry(const char* path, const struct stat* st, int type, struct FTW* ftw) {
    (void)st;
    (void)ftw;
    switch (type) {
        case FTW_DP:
            return rmdir(path) != 0;
        case FTW_DNR: /* a directory that cannot be read cannot be emptied */
        case FTW_NS:
            return 1;
        default: /* files, and links themselves, never what they point to */
            return unlink(path) != 0;
    }
}

int File_deleteTree(const char* system) {
    struct stat st;
    if (lstat(system, &st) != 0) return errno == ENOENT || errno == ENOTDIR;
    /* Children before their directory; a non-zero answer stops the walk. */
    return nftw(system, remove_entry, 16, FTW_DEPTH | FTW_PHYS) == 0;
}

int File_delete(File_T file) {
    if (file == NULL) return 0;
    char* system = File_systemName(file);
    /* Never the whole file system. */
    const int ok = system != NULL && !is_root(system) && File_deleteTree(system);
    FREE(system);
    if (ok) file->attributes = File_NO_ATTRIBUTES;
    return ok;
}

/* Paths to delete when the process exits, each with the process that asked, so that a
 * forked child does not delete what its parent still uses. */
typedef struct ExitPath {
    char* path;
    pid_t owner;
} ExitPath;

static pthread_mutex_t exit_lock = PTHREAD_MUTEX_INITIALIZER;
static pthread_once_t exit_once = PTHREAD_ONCE_INIT;
static ExitPath* exit_paths;
static size_t exit_count, exit_capacity;

static void delete_at_exit(void) {
    pthread_mutex_lock(&exit_lock);
    const pid_t self = getpid();
    /* Latest first, as a stack of things made in order is taken down. */
    while (exit_count > 0) {
        ExitPath* e = &exit_paths[--exit_count];
        if (e->owner == self) File_deleteTree(e->path);
        free(e->path);
    }
    free(exit_paths);
    exit_paths = NULL;
    exit_capacity = 0;
    pthread_mutex_unlock(&exit_lock);
}

static void install_exit_handler(void) { atexit(delete_at_exit); }

int File_deleteOnExit(File_T file) {
    if (file == NULL || !File_exists(file)) return 0;
    char* system = File_systemName(file);
    /* The list lives until the process exits: it is the library's, not the caller's. */
    char* path = system != NULL && !is_root(system) ? strdup(system) : NULL;
    FREE(system);
    if (path == NULL) return 0;
    pthread_once(&exit_once, install_exit_handler);
    pthread_mutex_lock(&exit_lock);
    int ok = 1;
    if (exit_count == exit_capacity) {
        const size_t capacity = exit_capacity ? exit_capacity * 2 : 8;
        ExitPath* grown = realloc(exit_paths, capacity * sizeof *grown);
        if (grown != NULL) {
            exit_paths = grown;
            exit_capacity = capacity;
        } else {
            ok = 0;
        }
    }
    if (ok) exit_paths[exit_count++] = (ExitPath){path, getpid()};
    pthread_mutex_unlock(&exit_lock);
    if (!ok) free(path);
    return ok;
}

int File_createNewFile(File_T file) {
    if (file == NULL || File_exists(file)) return 0;
    File_T parent = File_getParent(file);
    const int parent_exists = File_exists(parent);
    File_free(&parent);
    if (!parent_exists) return 0;
    char* system = File_systemName(file);
    const int fd =
        system != NULL ? open(system, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666) : -1;
    if (fd >= 0) {
        close(fd);
        file->attributes = FilePath_attributes(system);
    }
    FREE(system);
    return fd >= 0;
}

/* 1 when the directory was made or is there already; any other outcome is 0. */
static int make_directory(const char* system) {
    if (mkdir(system, 0777) == 0) return 1;
    struct stat st;
    return errno == EEXIST && stat(system, &st) == 0 && S_ISDIR(st.st_mode);
}

static int mkdir_object(File_T file, int parents) {
    if (file == NULL || File_exists(file)) return 0;
    char* system = File_systemName(file);
    if (system == NULL) return 0;
    int ok = 1;
    /* Every directory above it, from the root down: a missing one that cannot be made
     * ends the walk; other answers (there already, not allowed) are left to the last step. */
    for (char* p = system + 1; parents && ok && *p != 0; p++) {
        if (*p != '/') continue;
        *p = 0;
        ok = mkdir(system, 0777) == 0 || errno != ENOENT;
        *p = '/';
    }
    ok = ok && make_directory(system);
    if (ok) file->attributes = FilePath_attributes(system);
    FREE(system);
    return ok;
}

int File_mkdir(File_T file) { return mkdir_object(file, 0); }

int File_mkdirs(File_T file) { return mkdir_object(file, 1); }

/* Moves a regular file to another file system: a copy that never replaces, then the
 * original goes; if it cannot go, the copy goes instead. */
static int move_file_across(const char* src, const char* dst) {
    struct stat st;
    if (lstat(src, &st) != 0 || !S_ISREG(st.st_mode) || !File_copyFile(src, dst, 0)) return 0;
    if (unlink(src) == 0) return 1;
    unlink(dst);
    return 0;
}

static int move(const char* src, const char* dst) {
    if (renameat2(AT_FDCWD, src, AT_FDCWD, dst, RENAME_NOREPLACE) == 0) return 1;
    if (errno == EINVAL) {
        /* A file system without RENAME_NOREPLACE (or a directory moved into itself,
         * which rename refuses too): look first, then rename. */
        struct stat st;
        if (lstat(dst, &st) == 0 || errno != ENOENT) return 0;
        if (rename(src, dst) == 0) return 1;
    }
    return errno == EXDEV && move_file_across(src, dst);
}

int File_renameTo(File_T file, File_T target) {
    if (file == NULL || target == NULL || !File_exists(file) || File_exists(target)) return 0;
    char* src = File_systemName(file);
    char* dst = File_systemName(target);
    const int ok = src != NULL && dst != NULL && move(src, dst);
    FREE(src);
    FREE(dst);
    return ok;
}
