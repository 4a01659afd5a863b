// Path splitting and joining. Every split of a path into its parts goes through
// here; the separator is '/'.
#pragma once

#include "platform/CString.h"

namespace platform {

constexpr char kPathSeparator = '/';

struct PathParts {
    CString directory;  // everything up to and including the last separator ("" when none)
    CString fileName;   // the part after the last separator
    CString title;      // the file name before its last dot (the whole name when it has none)
    CString extension;  // the last dot and what follows it ("" when the name has no dot)
};

PathParts SplitPath(const CString& path);
inline CString PathDirectory(const CString& path) { return SplitPath(path).directory; }
inline CString PathFileName(const CString& path) { return SplitPath(path).fileName; }
inline CString PathTitle(const CString& path) { return SplitPath(path).title; }
inline CString PathExtension(const CString& path) { return SplitPath(path).extension; }

// Joins a directory and a name with exactly one separator between them.
CString PathJoin(const CString& directory, const CString& name);
// The directory with a separator at its end (unchanged when it has one or is empty).
CString PathWithSeparator(const CString& directory);
// The path with its extension (last dot on) replaced; ext includes its dot.
CString PathReplaceExtension(const CString& path, const CString& ext);

bool PathExists(const CString& path);
bool PathIsDirectory(const CString& path);

}  // namespace platform
