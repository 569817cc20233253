# The byte-level parsers are also built natively with AddressSanitizer and
# UBSan (tests/native, built by the Makefile into build/native), so an
# out-of-bounds read fails the suite instead of passing silently under Wine.
set(native_dir ${CMAKE_SOURCE_DIR}/build/native)
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/native/CMakeLists.txt)
  add_test(NAME image_parsers_native COMMAND ${native_dir}/image_parsers_native)
  # The GIF decoder against giflib over the files tests/native/gif-corpus.sh
  # gathers into build/gif-corpus (make build runs it); at least 200 of them.
  add_test(NAME gif_conformance COMMAND ${native_dir}/gif_conformance ${CMAKE_SOURCE_DIR}/build/gif-corpus/files 200)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/native/CMakeLists.txt)
  add_test(NAME skin_file_native COMMAND ${CMAKE_SOURCE_DIR}/build/native/skin_file_native)
endif()
