/* Copying files and directory trees. */
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FileInternal.h"
#include "Path.h"

/* Copies what is left of in to out; 1 on success. */
static int copy_data(int in, int out) {
    /* The kernel copies (or shares blocks) where it can; plain reads and writes do the
     * rest, also for files that report no size although they have content. */
    ssize_t n;
    int copied = 0;
    while ((n = copy_file_range(in, NULL, out, NULL, (size_t)1 << 30, 0)) != 0) {
        if (n > 0) {
            copied = 1;
            continue;
        }
        if (errno == EINTR) continue;
        if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP) break;
        return 0;
    }
    if (n == 0 && copied) return 1;
    char buffer[1 << 16];
    for (;;) {
        n = read(in, buffer, sizeof buffer);
        if (n == 0) return 1;
        if (n < 0) {
            if (errno == EINTR) continue;
            return 0;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = write(out, buffer + done, (size_t)(n - done));
            if (w < 0 && errno != EINTR) return 0;
            if (w > 0) done += w;
        }
    }
}

int File_copyFile(const char* src, const char* dst, int replace) {
    /* Non-blocking opens, so that a pipe on either side is refused rather than waited on. */
    const int in = open(src, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (in < 0) return 0;
    struct stat from;
    if (fstat(in, &from) != 0 || !S_ISREG(from.st_mode)) {
        close(in);
        return 0;
    }
    const mode_t mode = from.st_mode & 0777;
    int created = 1;
    int out = open(dst, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NONBLOCK, mode);
    if (out < 0 && errno == EEXIST && replace) {
        created = 0;
        out = open(dst, O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    }
    struct stat to;
    int ok = out >= 0 && fstat(out, &to) == 0 && S_ISREG(to.st_mode) &&
             !(to.st_dev == from.st_dev && to.st_ino == from.st_ino);
    if (ok && !created) ok = ftruncate(out, 0) == 0;
    ok = ok && copy_data(in, out);
    if (ok) {
        /* The copy keeps the permissions and the last-write time of the original. */
        const struct timespec times[2] = {from.st_atim, from.st_mtim};
        ok = fchmod(out, mode) == 0 && futimens(out, times) == 0;
    }
    close(in);
    if (out >= 0) {
        if (close(out) != 0) ok = 0;
        if (!ok && created) unlink(dst);
    }
    return ok;
}

/* The path with every link and ".." resolved, also when its last part does not exist
 * yet; a new text of the C library, or null. */
static char* resolve(const char* path) {
    char* resolved = realpath(path, NULL);
    if (resolved != NULL || errno != ENOENT) return resolved;
    const char* slash = strrchr(path, '/');
    if (slash == NULL) return NULL;
    char* directory = strndup(path, (size_t)(slash - path) + 1);
    char* above = directory != NULL ? realpath(directory, NULL) : NULL;
    free(directory);
    if (above == NULL) return NULL;
    const size_t na = strlen(above), nb = strlen(slash + 1);
    resolved = malloc(na + 1 + nb + 1);
    if (resolved != NULL) {
        memcpy(resolved, above, na);
        size_t o = na;
        if (o == 0 || resolved[o - 1] != '/') resolved[o++] = '/';
        memcpy(resolved + o, slash + 1, nb + 1);
    }
    free(above);
    return resolved;
}

/* Whether dst is src or lies inside it: a tree copied there would copy itself forever. */
static int lies_within(const char* src, const char* dst) {
    char* s = resolve(src);
    char* d = resolve(dst);
    int within = 1;
    if (s != NULL && d != NULL) {
        const size_t n = strlen(s);
        within = strcmp(s, "/") == 0 || (strncmp(d, s, n) == 0 && (d[n] == 0 || d[n] == '/'));
    }
    free(s);
    free(d);
    return within;
}

/* Copies the entries of the directory src into the existing directory dst. An existing
 * file is replaced only when overwrite is non-zero, and otherwise left alone. */
static int copy_tree(const char* src, const char* dst, int overwrite) {
    DIR* dir = opendir(src);
    if (dir == NULL) return 0;
    int ok = 1;
    const struct dirent* entry;
    while (ok && (entry = readdir(dir)) != NULL) {
        if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0) continue;
        char* from = FilePath_joinSystem(src, entry->d_name);
        char* to = FilePath_joinSystem(dst, entry->d_name);
        struct stat s, t;
        const int target_exists = stat(to, &t) == 0;
        if (stat(from, &s) != 0) {
            ok = 0;
        } else if (S_ISDIR(s.st_mode)) {
            ok = target_exists ? S_ISDIR(t.st_mode) : mkdir(to, 0777) == 0;
            ok = ok && copy_tree(from, to, overwrite);
        } else if (!target_exists || overwrite) {
            ok = File_copyFile(from, to, 1);
        }
        FREE(from);
        FREE(to);
    }
    closedir(dir);
    return ok;
}

static int copy_directory(File_T target, const char* src, const char* dst, int overwrite) {
    if (File_exists(target)) {
        if (!File_isDirectory(target) || lies_within(src, dst)) return 0;
    } else {
        File_T parent = File_getParent(target);
        const int parent_is_directory = File_isDirectory(parent);
        File_free(&parent);
        if (!parent_is_directory || lies_within(src, dst) || !File_mkdir(target)) return 0;
    }
    return copy_tree(src, dst, overwrite);
}

int File_copyTo(File_T file, File_T target, int overwrite) {
    if (file == NULL || target == NULL || !File_exists(file)) return 0;
    char* src = File_systemName(file);
    char* dst = File_systemName(target);
    int ok = 0;
    if (src != NULL && dst != NULL)
        ok = File_isDirectory(file) ? copy_directory(target, src, dst, overwrite)
                                    : File_copyFile(src, dst, overwrite == 1);
    FREE(src);
    FREE(dst);
    return ok;
}
