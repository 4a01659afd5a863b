/* Listing a directory: objects or names, in the order the system gives the entries. */
#include <dirent.h>
#include <string.h>

#include "FileInternal.h"
#include "Path.h"

static const wchar_t kEverything[] = L"*.*";

/* The entries of directory that match pattern, as objects or as names, in a list. */
static List_T collect(File_T directory, const wchar_t* pattern, int objects) {
    /* A pattern names entries of this directory only, never of another one. */
    if (directory == NULL || pattern == NULL || pattern[0] == 0 || !File_exists(directory) ||
        wcschr(pattern, kSeparator) != NULL)
        return NULL;
    char* system = File_systemName(directory);
    DIR* dir = system != NULL ? opendir(system) : NULL;
    FREE(system);
    if (dir == NULL) return NULL;
    List_T list = NULL;
    const struct dirent* entry;
    while ((entry = readdir(dir)) != NULL) {
        if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0) continue;
        wchar_t* name = FilePath_decode(entry->d_name, strlen(entry->d_name));
        if (!FilePath_matches(pattern, name)) {
            FREE(name);
        } else if (objects) {
            File_T f = File_instanceOfParentFileT(directory, name);
            FREE(name);
            if (f != NULL) list = List_push(list, f);
        } else {
            list = List_push(list, name);
        }
    }
    closedir(dir);
    /* Pushed in front: turned round, the list has the enumeration's order. */
    return List_reverse(list);
}

static void** to_array(List_T list) {
    if (list == NULL) return NULL;
    void** array = List_toArray(list, NULL);
    List_free(&list);
    return array;
}

File_T* File_listFiles(File_T directory) {
    return (File_T*)to_array(collect(directory, kEverything, 1));
}

File_T* File_listFilesFiler(File_T directory, const wchar_t* pattern) {
    return (File_T*)to_array(collect(directory, pattern, 1));
}

wchar_t** File_lists(File_T directory) {
    return (wchar_t**)to_array(collect(directory, kEverything, 0));
}

wchar_t** File_listFiler(File_T directory, const wchar_t* pattern) {
    return (wchar_t**)to_array(collect(directory, pattern, 0));
}

void File_freeList(File_T** list) {
    if (list == NULL || *list == NULL) return;
    for (File_T* f = *list; *f != NULL; f++) File_free(f);
    FREE(*list);
}
