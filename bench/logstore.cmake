project_bench(logstore bench_logstore.cpp)
target_link_libraries(bench_logstore PRIVATE host)
