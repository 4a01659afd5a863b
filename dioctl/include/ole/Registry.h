// The registry of classes, interfaces and type libraries: a text file of
// KEY=VALUE lines, keys being backslash paths compared without case. Its
// place is $DIOCTL_REGISTRY, else $XDG_CONFIG_HOME/dioctl/registry, else
// ~/.config/dioctl/registry.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ole/Types.h"

namespace ole {

constexpr const char* kRegistryEnv = "DIOCTL_REGISTRY";

// The file's content in memory. Lines that are not KEY=VALUE (comments,
// anything unknown) are kept as they are.
class RegistryFile {
public:
    static RegistryFile Parse(std::string_view text);
    std::string Serialize() const;

    std::optional<std::string> Get(std::string_view key) const;
    // False when the key or value cannot be stored (empty key, '=' in the
    // key, a line break in either).
    bool Set(std::string_view key, std::string_view value);
    // Removes the key and every key below it; returns how many were removed.
    size_t DeleteTree(std::string_view key);
    std::vector<std::pair<std::string, std::string>> Entries() const;

    static bool ValidKey(std::string_view key);
    static bool ValidValue(std::string_view value);

private:
    struct Line {
        std::string text;  // the line itself when it is not an entry
        std::string key;
        std::string value;
        bool entry = false;
    };
    std::vector<Line> m_lines;
};

// Where the registry file is; empty when no place can be found.
std::string RegistryPath();

// Operations on the registry file. Changes are made under a lock and
// replace the file atomically. Failures leave error information.
HRESULT RegQueryValue(std::string_view key, std::string& value);
HRESULT RegSetValues(const std::vector<std::pair<std::string, std::string>>& values);
HRESULT RegDeleteTrees(const std::vector<std::string>& keys);

}  // namespace ole
