project_bench(rows bench_rows.cpp)
target_link_libraries(bench_rows PRIVATE host)
