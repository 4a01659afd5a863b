#include "ole/Registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "ole/Errors.h"

namespace ole {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

// The key itself or a key below it.
bool InTree(std::string_view key, std::string_view root) {
    if (key.size() < root.size()) return false;
    if (!SameKey(key.substr(0, root.size()), root)) return false;
    return key.size() == root.size() || key[root.size()] == '\\';
}

constexpr const char* kHeader = "# dioctl registry: one KEY=VALUE a line";

}  // namespace

RegistryFile RegistryFile::Parse(std::string_view text) {
    RegistryFile f;
    while (!text.empty()) {
        size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        Line l;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos || !ValidKey(line.substr(0, eq)) ||
            !ValidValue(line.substr(eq + 1))) {
            l.text = line;
        } else {
            l.entry = true;
            l.key = line.substr(0, eq);
            l.value = line.substr(eq + 1);
        }
        f.m_lines.push_back(std::move(l));
    }
    return f;
}

std::string RegistryFile::Serialize() const {
    std::string out;
    for (const Line& l : m_lines) {
        if (l.entry) {
            out += l.key;
            out += '=';
            out += l.value;
        } else {
            out += l.text;
        }
        out += '\n';
    }
    return out;
}

bool RegistryFile::ValidKey(std::string_view key) {
    return !key.empty() && key[0] != '#' && key.find_first_of("=\r\n") == std::string_view::npos;
}

bool RegistryFile::ValidValue(std::string_view value) {
    return value.find_first_of("\r\n") == std::string_view::npos;
}

std::optional<std::string> RegistryFile::Get(std::string_view key) const {
    for (const Line& l : m_lines)
        if (l.entry && SameKey(l.key, key)) return l.value;
    return std::nullopt;
}

bool RegistryFile::Set(std::string_view key, std::string_view value) {
    if (!ValidKey(key) || !ValidValue(value)) return false;
    bool done = false;
    for (auto it = m_lines.begin(); it != m_lines.end();) {
        if (it->entry && SameKey(it->key, key)) {
            if (done) {
                it = m_lines.erase(it);
                continue;
            }
            it->value = value;
            done = true;
        }
        ++it;
    }
    if (!done) {
        Line l;
        l.entry = true;
        l.key = key;
        l.value = value;
        m_lines.push_back(std::move(l));
    }
    return true;
}

size_t RegistryFile::DeleteTree(std::string_view key) {
    size_t before = m_lines.size();
    std::erase_if(m_lines, [&](const Line& l) { return l.entry && InTree(l.key, key); });
    return before - m_lines.size();
}

std::vector<std::pair<std::string, std::string>> RegistryFile::Entries() const {
    std::vector<std::pair<std::string, std::string>> out;
    for (const Line& l : m_lines)
        if (l.entry) out.emplace_back(l.key, l.value);
    return out;
}

std::string RegistryPath() {
    if (const char* p = std::getenv(kRegistryEnv); p && *p) return p;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
        return std::string(x) + "/dioctl/registry";
    if (const char* h = std::getenv("HOME"); h && *h)
        return std::string(h) + "/.config/dioctl/registry";
    return {};
}

namespace {

HRESULT Fail(const std::string& what, const std::string& path, int err) {
    SetErrorInfo(kErrPermissionDenied, what + " " + path + ": " + std::strerror(err), "registry");
    return E_FAIL;
}

// Reads the whole file; a missing file is an empty registry.
HRESULT ReadFile(const std::string& path, std::string& text, bool& exists) {
    text.clear();
    exists = false;
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? S_OK : Fail("cannot read", path, errno);
    exists = true;
    char buf[8192];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            close(fd);
            return Fail("cannot read", path, err);
        }
        text.append(buf, static_cast<size_t>(n));
    }
    close(fd);
    return S_OK;
}

HRESULT MakeParents(const std::string& path) {
    for (size_t pos = path.find('/', 1); pos != std::string::npos; pos = path.find('/', pos + 1)) {
        std::string dir = path.substr(0, pos);
        if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST)
            return Fail("cannot create", dir, errno);
    }
    return S_OK;
}

// Read, change and atomically replace the file under an exclusive lock.
HRESULT Modify(const std::function<void(RegistryFile&)>& change) {
    const std::string path = RegistryPath();
    if (path.empty()) {
        SetErrorInfo(kErrFileNotFound, "no place for the registry (set DIOCTL_REGISTRY or HOME)",
                     "registry");
        return E_FAIL;
    }
    if (HRESULT hr = MakeParents(path); FAILED(hr)) return hr;
    const std::string lockPath = path + ".lock";
    int lock = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lock < 0) return Fail("cannot open", lockPath, errno);
    HRESULT hr = S_OK;
    if (flock(lock, LOCK_EX) != 0) {
        hr = Fail("cannot lock", lockPath, errno);
    } else {
        std::string text;
        bool exists = false;
        hr = ReadFile(path, text, exists);
        if (SUCCEEDED(hr)) {
            RegistryFile file = RegistryFile::Parse(exists ? text : std::string(kHeader) + "\n");
            change(file);
            const std::string out = file.Serialize();
            const std::string tmp = path + ".tmp." + std::to_string(getpid());
            int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (fd < 0) {
                hr = Fail("cannot write", tmp, errno);
            } else {
                size_t done = 0;
                int err = 0;
                while (done < out.size()) {
                    ssize_t n = write(fd, out.data() + done, out.size() - done);
                    if (n < 0) {
                        if (errno == EINTR) continue;
                        err = errno;
                        break;
                    }
                    done += static_cast<size_t>(n);
                }
                if (!err && fsync(fd) != 0) err = errno;
                close(fd);
                if (!err && rename(tmp.c_str(), path.c_str()) != 0) err = errno;
                if (err) {
                    unlink(tmp.c_str());
                    hr = Fail("cannot write", path, err);
                }
            }
        }
    }
    close(lock);
    return hr;
}

}  // namespace

HRESULT RegQueryValue(std::string_view key, std::string& value) {
    const std::string path = RegistryPath();
    if (path.empty()) return REGDB_E_KEYMISSING;
    std::string text;
    bool exists = false;
    if (HRESULT hr = ReadFile(path, text, exists); FAILED(hr)) return hr;
    std::optional<std::string> v = RegistryFile::Parse(text).Get(key);
    if (!v) return REGDB_E_KEYMISSING;
    value = std::move(*v);
    return S_OK;
}

HRESULT RegSetValues(const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [k, v] : values)
        if (!RegistryFile::ValidKey(k) || !RegistryFile::ValidValue(v)) return E_INVALIDARG;
    return Modify([&](RegistryFile& f) {
        for (const auto& [k, v] : values) f.Set(k, v);
    });
}

HRESULT RegDeleteTrees(const std::vector<std::string>& keys) {
    return Modify([&](RegistryFile& f) {
        for (const std::string& k : keys) f.DeleteTree(k);
    });
}

}  // namespace ole
