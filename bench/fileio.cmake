project_bench(fileio bench_fileio.cpp)
target_link_libraries(bench_fileio PRIVATE fileio)
