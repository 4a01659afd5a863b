// Fixtures of the fileio tests: a temporary directory, owners for what the library
// returns, and a check that a test leaves no block of the memory library in use.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "fileio/File.h"

namespace fileio_test {

// A wide text of an ASCII or UTF-8 text.
inline std::wstring W(const std::string& s) {
    std::wstring out;
    for (size_t i = 0; i < s.size();) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        wchar_t c = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k < n; k++) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out += c;
        i += n;
    }
    return out;
}

// Owns a text or an array of texts returned by the library.
struct Text {
    wchar_t* p = nullptr;
    Text(wchar_t* text) : p(text) {}
    ~Text() { Mem_free(p, __FILE__, __LINE__); }
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    std::wstring str() const { return p != nullptr ? std::wstring(p) : std::wstring(L"<null>"); }
};

struct Names {
    wchar_t** p = nullptr;
    Names(wchar_t** names) : p(names) {}
    ~Names() {
        if (p == nullptr) return;
        for (wchar_t** n = p; *n != nullptr; n++) Mem_free(*n, __FILE__, __LINE__);
        Mem_free(p, __FILE__, __LINE__);
    }
    Names(const Names&) = delete;
    Names& operator=(const Names&) = delete;
    std::vector<std::wstring> list() const {
        std::vector<std::wstring> out;
        for (wchar_t** n = p; n != nullptr && *n != nullptr; n++) out.emplace_back(*n);
        return out;
    }
};

// Owns an object.
struct Obj {
    File_T f = nullptr;
    Obj(File_T file) : f(file) {}
    Obj(const std::string& path) : f(File_new(W(path).c_str())) {}
    ~Obj() { File_free(&f); }
    Obj(const Obj&) = delete;
    Obj& operator=(const Obj&) = delete;
    operator File_T() const { return f; }
    File_T operator->() const { return f; }
    std::wstring full() const { return Text(File_getFullName(f)).str(); }
};

struct Objs {
    File_T* p = nullptr;
    Objs(File_T* list) : p(list) {}
    ~Objs() { File_freeList(&p); }
    Objs(const Objs&) = delete;
    Objs& operator=(const Objs&) = delete;
    size_t size() const {
        size_t n = 0;
        while (p != nullptr && p[n] != nullptr) n++;
        return n;
    }
};

inline long BlocksInUse() { return Mem_report(nullptr); }

inline void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool Exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// Runs fn in a child process, as the user nobody when the tests run as root (whom
// permissions do not stop); returns the child's exit code.
inline int RunAsNobody(const std::function<int()>& fn) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(99);
        ::_exit(fn());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

// A fresh directory for each test, readable by everyone, removed at its end; and a
// check that the test released every block the library handed out.
class FileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/fileio_test_XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
        ::chmod(name, 0755);
        blocks_ = BlocksInUse();
    }
    void TearDown() override {
        EXPECT_EQ(BlocksInUse(), blocks_) << "blocks of the memory library left in use";
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    std::wstring WPath(const std::string& name) const { return W(Path(name)); }

    std::string dir_;
    long blocks_ = 0;
};

}  // namespace fileio_test
