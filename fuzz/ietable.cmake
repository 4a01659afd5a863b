project_fuzz(ietable fuzz_ietable.cpp)
target_link_libraries(fuzz_ietable PRIVATE host)
