/*
 * Drives and volumes. A drive is the mount point of a file system that keeps files
 * somewhere real (a device, or a server for the network file systems), written with
 * a final '/' as a drive root is; the system drive is the root "/". A volume's label
 * and serial number are those of the file system that holds the given directory.
 */
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include "FileInternal.h"
#include "Path.h"

wchar_t* File_systemDrive(void) {
    const char* drive = getenv("SystemDrive");
    if (drive == NULL || drive[0] == 0) drive = "/";
    return FilePath_decode(drive, strlen(drive));
}

/* The whole of a small system file as a text of the C library, or null. */
static char* read_all(const char* path) {
    FILE* in = fopen(path, "re");
    if (in == NULL) return NULL;
    size_t size = 0, capacity = 4096;
    char* text = malloc(capacity);
    size_t n;
    while (text != NULL && (n = fread(text + size, 1, capacity - size - 1, in)) > 0) {
        size += n;
        if (capacity - size - 1 == 0) {
            char* grown = realloc(text, capacity *= 2);
            if (grown == NULL) free(text);
            text = grown;
        }
    }
    fclose(in);
    if (text != NULL) text[size] = 0;
    return text;
}

/* File systems on no device that still keep files somewhere real. */
static const char* const kNetworkTypes[] = {"nfs",      "nfs4",      "cifs",      "smb3",
                                            "smbfs",    "ceph",      "9p",        "afs",
                                            "virtiofs", "glusterfs", "fuse.sshfs"};

/* Whether a mounted type keeps files: not one the kernel lists as needing no device
 * ("nodev" in /proc/filesystems: proc, sysfs, tmpfs, cgroup ...), or a network one. */
static int is_real_type(const char* type, const char* filesystems) {
    for (size_t i = 0; i < sizeof kNetworkTypes / sizeof kNetworkTypes[0]; i++)
        if (strcmp(type, kNetworkTypes[i]) == 0) return 1;
    /* "fuse.sshfs" is listed under its main type "fuse". */
    const size_t base = strcspn(type, ".");
    char needle[96];
    if (base + 8 > sizeof needle) return 0;
    snprintf(needle, sizeof needle, "nodev\t%.*s\n", (int)base, type);
    return strstr(filesystems, needle) == NULL;
}

/* Undoes the octal escapes of /proc/self/mountinfo (\040 for a space) in place. */
static void unescape_mount_field(char* s) {
    char* o = s;
    for (const char* p = s; *p != 0; p++) {
        if (p[0] == '\\' && p[1] >= '0' && p[1] <= '3' && p[2] >= '0' && p[2] <= '7' &&
            p[3] >= '0' && p[3] <= '7') {
            *o++ = (char)((p[1] - '0') * 64 + (p[2] - '0') * 8 + (p[3] - '0'));
            p += 3;
        } else {
            *o++ = *p;
        }
    }
    *o = 0;
}

/* Pushes the drive root of a mount point unless the list has it already. */
static List_T push_drive(List_T list, const char* point) {
    char* system = FilePath_joinSystem(point, "");
    wchar_t* root = FilePath_decode(system, strlen(system));
    FREE(system);
    for (List_T p = list; p != NULL; p = p->rest) {
        if (wcscmp(p->first, root) == 0) {
            FREE(root);
            return list;
        }
    }
    return List_push(list, root);
}

/* Adds the mount point of one line of /proc/self/mountinfo when it is a drive:
 * "36 35 98:0 /root /mnt/point rw,noatime master:1 - ext3 /dev/root rw" */
static List_T add_mount(List_T list, char* line, const char* filesystems) {
    char* fields[5];
    char* rest = line;
    for (int i = 0; i < 5; i++) {
        fields[i] = strsep(&rest, " ");
        if (fields[i] == NULL) return list;
    }
    char* dash = rest != NULL ? strstr(rest, " - ") : NULL;
    if (dash == NULL) return list;
    char* after = dash + 3;
    const char* type = strsep(&after, " ");
    char* point = fields[4];
    unescape_mount_field(point);
    struct stat st;
    /* A file mounted over a file (as containers do for /etc/hosts) is no drive. */
    if (type == NULL || !is_real_type(type, filesystems) || stat(point, &st) != 0 ||
        !S_ISDIR(st.st_mode))
        return list;
    return push_drive(list, point);
}

wchar_t** File_drivesOf(const char* mountinfo, const char* filesystems) {
    List_T list = push_drive(NULL, "/");
    char* lines = mountinfo != NULL && filesystems != NULL ? strdup(mountinfo) : NULL;
    char* rest = lines;
    char* line;
    while ((line = strsep(&rest, "\n")) != NULL) list = add_mount(list, line, filesystems);
    free(lines);
    list = List_reverse(list);
    wchar_t** drives = (wchar_t**)List_toArray(list, NULL);
    List_free(&list);
    return drives;
}

wchar_t** File_allDrive(void) {
    char* mountinfo = read_all("/proc/self/mountinfo");
    char* filesystems = read_all("/proc/filesystems");
    wchar_t** drives = File_drivesOf(mountinfo, filesystems);
    free(mountinfo);
    free(filesystems);
    return drives;
}

/* The directory named by a drive root, with its final '/': "" stands for "/". */
static char* root_directory(const wchar_t* root) {
    if (root == NULL) return NULL;
    wchar_t* directory = FilePath_join(root, L"");
    char* system = FilePath_encode(directory);
    FREE(directory);
    return system;
}

/* A label that udev escapes in /dev/disk/by-label ("my\x20disk"), decoded in place. */
static void unescape_label(char* s) {
    char* o = s;
    for (const char* p = s; *p != 0; p++) {
        unsigned value;
        if (p[0] == '\\' && p[1] == 'x' && sscanf(p + 2, "%2x", &value) == 1 && p[2] != 0 &&
            p[3] != 0) {
            *o++ = (char)value;
            p += 3;
        } else {
            *o++ = *p;
        }
    }
    *o = 0;
}

/* The label of the block device dev, as udev names its link in /dev/disk/by-label. */
static wchar_t* label_of_device(dev_t dev) {
    static const char kLabels[] = "/dev/disk/by-label";
    DIR* dir = opendir(kLabels);
    if (dir == NULL) return NULL;
    wchar_t* label = NULL;
    const struct dirent* entry;
    while (label == NULL && (entry = readdir(dir)) != NULL) {
        if (entry->d_name[0] == '.') continue;
        char* link = FilePath_joinSystem(kLabels, entry->d_name);
        struct stat st;
        if (stat(link, &st) == 0 && S_ISBLK(st.st_mode) && st.st_rdev == dev) {
            char* name = strdup(entry->d_name);
            if (name != NULL) {
                unescape_label(name);
                label = FilePath_decode(name, strlen(name));
                free(name);
            }
        }
        FREE(link);
    }
    closedir(dir);
    return label;
}

wchar_t* File_volumeName(const wchar_t* root) {
    char* directory = root_directory(root);
    const int fd = directory != NULL ? open(directory, O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    FREE(directory);
    if (fd < 0) return NULL;
    wchar_t* name = NULL;
    char label[FSLABEL_MAX + 1] = {0};
    struct stat st;
    if (ioctl(fd, FS_IOC_GETFSLABEL, label) == 0) {
        if (label[0] != 0) name = FilePath_decode(label, strnlen(label, FSLABEL_MAX));
    } else if (fstat(fd, &st) == 0) {
        /* File systems that cannot tell their label themselves. */
        name = label_of_device(st.st_dev);
    }
    close(fd);
    return name;
}

uint32_t File_volumeSerial(const wchar_t* root) {
    char* directory = root_directory(root);
    struct statfs fs;
    struct stat st;
    const int ok = directory != NULL && statfs(directory, &fs) == 0 && stat(directory, &st) == 0;
    FREE(directory);
    if (!ok) return 0;
    /* The file system's identity folded to 32 bits; the device number where a file
     * system has none. */
    uint32_t halves[2];
    memcpy(halves, &fs.f_fsid, sizeof halves);
    uint32_t serial = halves[0] ^ halves[1];
    if (serial == 0) serial = (uint32_t)st.st_dev ^ (uint32_t)((uint64_t)st.st_dev >> 32);
    return serial;
}

uint32_t File_systemDriveVolumeSerial(void) {
    wchar_t* drive = File_systemDrive();
    const uint32_t serial = drive != NULL ? File_volumeSerial(drive) : 0;
    FREE(drive);
    return serial;
}
