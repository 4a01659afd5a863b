# Log kind and version detection.
project_test(logio_detection_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tests/LogDetectionTest.cpp
  LIBS logio)
