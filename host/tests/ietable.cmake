# The IE and event tables and the parameter tree generated from them.
project_test(host_ietable_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tests/IETableTest.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/tests/OrreryTest.cpp
  LIBS host pugixml::pugixml)
if(TARGET host_ietable_tests)
  target_compile_definitions(host_ietable_tests PRIVATE
    IETABLE_SOURCE_CONFIG="${CMAKE_SOURCE_DIR}/data/Config"
    IETABLE_BUILD_CONFIG="${CMAKE_BINARY_DIR}/Config")
  # The tree test reads the generated file.
  add_dependencies(host_ietable_tests orrery_xml)
endif()
