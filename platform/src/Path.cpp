#include "platform/Path.h"

#include <sys/stat.h>

namespace platform {

PathParts SplitPath(const CString& path) {
    PathParts parts;
    const int slash = path.ReverseFind(kPathSeparator);
    parts.directory = path.Left(slash + 1);
    parts.fileName = path.Mid(slash + 1);
    const int dot = parts.fileName.ReverseFind('.');
    if (dot < 0) {
        parts.title = parts.fileName;
    } else {
        parts.title = parts.fileName.Left(dot);
        parts.extension = parts.fileName.Mid(dot);
    }
    return parts;
}

CString PathWithSeparator(const CString& directory) {
    if (directory.IsEmpty() || directory[directory.GetLength() - 1] == kPathSeparator)
        return directory;
    return directory + kPathSeparator;
}

CString PathJoin(const CString& directory, const CString& name) {
    CString n = name;
    n.TrimLeft(kPathSeparator);
    return PathWithSeparator(directory) + n;
}

CString PathReplaceExtension(const CString& path, const CString& ext) {
    const PathParts p = SplitPath(path);
    return p.directory + p.title + ext;
}

bool PathExists(const CString& path) {
    struct stat st;
    return ::stat(path, &st) == 0;
}

bool PathIsDirectory(const CString& path) {
    struct stat st;
    return ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace platform
