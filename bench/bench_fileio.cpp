// Listing a large directory and making one object, each beside its floor: the system
// calls that any listing with attributes needs (readdir, stat and access per entry).
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "fileio/File.h"

namespace {

constexpr int kEntries = 10000;

const std::string& Directory() {
    static const std::string dir = [] {
        const std::string d = "/tmp/bench_fileio_" + std::to_string(::getpid());
        std::filesystem::create_directory(d);
        for (int i = 0; i < kEntries; i++)
            std::ofstream(d + "/entry_" + std::to_string(i) + ".log");
        return d;
    }();
    return dir;
}

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

void ListFiles(benchmark::State& state) {
    File_T dir = File_new(Wide(Directory()).c_str());
    for (auto _ : state) {
        File_T* list = File_listFiles(dir);
        benchmark::DoNotOptimize(list);
        File_freeList(&list);
    }
    File_free(&dir);
    state.SetItemsProcessed(state.iterations() * kEntries);
}

void ListFilesFloor(benchmark::State& state) {
    for (auto _ : state) {
        DIR* d = ::opendir(Directory().c_str());
        while (const dirent* e = ::readdir(d)) {
            struct stat st;
            benchmark::DoNotOptimize(::fstatat(dirfd(d), e->d_name, &st, 0));
            benchmark::DoNotOptimize(::faccessat(dirfd(d), e->d_name, W_OK, AT_EACCESS));
        }
        ::closedir(d);
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}

void ListNames(benchmark::State& state) {
    File_T dir = File_new(Wide(Directory()).c_str());
    for (auto _ : state) {
        wchar_t** names = File_lists(dir);
        for (wchar_t** n = names; *n != nullptr; n++) Mem_free(*n, __FILE__, __LINE__);
        Mem_free(names, __FILE__, __LINE__);
    }
    File_free(&dir);
    state.SetItemsProcessed(state.iterations() * kEntries);
}

void NewObject(benchmark::State& state) {
    const std::wstring path = Wide(Directory() + "/sub/../entry_42.log");
    for (auto _ : state) {
        File_T f = File_new(path.c_str());
        benchmark::DoNotOptimize(f);
        File_free(&f);
    }
}

void NewObjectFloor(benchmark::State& state) {
    const std::string path = Directory() + "/entry_42.log";
    for (auto _ : state) {
        struct stat st;
        benchmark::DoNotOptimize(::stat(path.c_str(), &st));
        benchmark::DoNotOptimize(::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS));
    }
}

}  // namespace

BENCHMARK(ListFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(ListFilesFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(ListNames)->Unit(benchmark::kMillisecond);
BENCHMARK(NewObject)->Unit(benchmark::kMicrosecond);
BENCHMARK(NewObjectFloor)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(Directory());
    return 0;
}
