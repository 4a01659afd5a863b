# Utility functions and classes of the host: distance, keys and number tests,
# CDTTime, CMarkupMSXML. The distance test checks against GeographicLib.
if(LOGIO_TESTS)
  find_path(GEOGRAPHICLIB_INCLUDE_DIR GeographicLib/Geodesic.hpp REQUIRED)
  find_library(GEOGRAPHICLIB_LIBRARY NAMES GeographicLib REQUIRED)
endif()
project_test(host_utility_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/tests/DistanceTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/tests/UtilityTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/tests/DTTimeTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/tests/MarkupTest.cpp
  LIBS host ${GEOGRAPHICLIB_LIBRARY})
if(TARGET host_utility_tests)
  target_include_directories(host_utility_tests SYSTEM PRIVATE ${GEOGRAPHICLIB_INCLUDE_DIR})
endif()
