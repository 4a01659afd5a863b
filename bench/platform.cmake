project_bench(platform bench_platform.cpp)
target_link_libraries(bench_platform PRIVATE platform)
