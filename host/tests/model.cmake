project_test(host_model_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tests/MemDataRowTest.cpp ${CMAKE_CURRENT_SOURCE_DIR}/tests/StreamTest.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/tests/ProjectTest.cpp
  LIBS host)
