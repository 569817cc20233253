# The byte-level parsers are also built natively with AddressSanitizer and
# UBSan (tests/native, built by the Makefile into build/native), so an
# out-of-bounds read fails the suite instead of passing silently under Wine.
set(native_parsers ${CMAKE_SOURCE_DIR}/build/native/image_parsers_native)
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/native/CMakeLists.txt)
  add_test(NAME image_parsers_native COMMAND ${native_parsers})
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/native/CMakeLists.txt)
  add_test(NAME skin_file_native COMMAND ${CMAKE_SOURCE_DIR}/build/native/skin_file_native)
endif()
