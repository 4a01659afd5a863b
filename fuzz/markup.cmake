project_fuzz(markup fuzz_markup.cpp)
target_link_libraries(fuzz_markup PRIVATE host platform)
