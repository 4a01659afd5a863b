# The stored-log format, the log store, decoders, the log generator and the
# automatic-test log wrappers.
project_test(host_logstore_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tests/LogStoreTest.cpp
  LIBS host)
project_test(host_logfile_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tests/LogFileManagerTest.cpp
  LIBS host)
project_test(host_decoder_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tests/DecoderTest.cpp
  LIBS host)
project_test(host_loggen_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tests/LogGeneratorTest.cpp
  LIBS host)
project_test(host_fieldrun_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tests/FieldrunLogTest.cpp
  LIBS host)
if(TARGET host_fieldrun_tests)
  target_compile_definitions(host_fieldrun_tests PRIVATE
    LOGSTORE_TEST_CONFIG="${CMAKE_SOURCE_DIR}/data/Config")
endif()
