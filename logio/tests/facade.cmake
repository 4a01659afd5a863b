project_test(logio_facade_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tests/IOManagerTest.cpp
  LIBS logio)
