project_fuzz(logstore fuzz_logstore.cpp)
target_link_libraries(fuzz_logstore PRIVATE host)
