# Third-party libraries: zlib, libpng, libjpeg-turbo and the photo
# libraries cross-built by scripts/build-deps.sh, GoogleTest from Debian's
# sources. None of them is
# compiled with our warning flags.
set(TESSALY_DEPS_PREFIX ${CMAKE_SOURCE_DIR}/build/deps/prefix CACHE PATH "cross-built third-party libraries")

add_library(deps_zlib INTERFACE)
target_include_directories(deps_zlib SYSTEM INTERFACE ${TESSALY_DEPS_PREFIX}/include)
target_link_libraries(deps_zlib INTERFACE ${TESSALY_DEPS_PREFIX}/lib/libz.a)
add_library(deps::zlib ALIAS deps_zlib)

add_library(deps_png INTERFACE)
target_include_directories(deps_png SYSTEM INTERFACE ${TESSALY_DEPS_PREFIX}/include)
target_link_libraries(deps_png INTERFACE ${TESSALY_DEPS_PREFIX}/lib/libpng16.a deps_zlib)
add_library(deps::png ALIAS deps_png)

add_library(deps_jpeg INTERFACE)
target_include_directories(deps_jpeg SYSTEM INTERFACE ${TESSALY_DEPS_PREFIX}/include)
target_link_libraries(deps_jpeg INTERFACE ${TESSALY_DEPS_PREFIX}/lib/libjpeg.a)
add_library(deps::jpeg ALIAS deps_jpeg)

# Colour profiles: Little CMS, static.
add_library(deps_lcms2 INTERFACE)
target_include_directories(deps_lcms2 SYSTEM INTERFACE ${TESSALY_DEPS_PREFIX}/include)
target_link_libraries(deps_lcms2 INTERFACE ${TESSALY_DEPS_PREFIX}/lib/liblcms2.a)
add_library(deps::lcms2 ALIAS deps_lcms2)

# WebP: the decoder (with the encoder, which tests may use) and the
# container's demuxer for an animation's first frame and the EXIF and ICCP
# chunks. Static.
add_library(deps_webp INTERFACE)
target_include_directories(deps_webp SYSTEM INTERFACE ${TESSALY_DEPS_PREFIX}/include)
target_link_libraries(deps_webp INTERFACE ${TESSALY_DEPS_PREFIX}/lib/libwebpdemux.a ${TESSALY_DEPS_PREFIX}/lib/libwebp.a)
add_library(deps::webp ALIAS deps_webp)

# HEIF, HEIC and AVIF: libheif.dll (with dav1d inside) and the libde265.dll
# it loads, LGPL libraries that ship beside the program. The target gives
# the headers and the import library; the DLLs are copied into the build's
# bin folder, where the program and the tests run.
add_library(deps_heif SHARED IMPORTED GLOBAL)
set_target_properties(deps_heif PROPERTIES
  IMPORTED_LOCATION ${TESSALY_DEPS_PREFIX}/bin/libheif.dll
  IMPORTED_IMPLIB ${TESSALY_DEPS_PREFIX}/lib/libheif.dll.a
  INTERFACE_INCLUDE_DIRECTORIES ${TESSALY_DEPS_PREFIX}/include
  INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${TESSALY_DEPS_PREFIX}/include)
add_library(deps::heif ALIAS deps_heif)
set(TESSALY_SHIPPED_DLLS libheif.dll libde265.dll)
foreach(dll ${TESSALY_SHIPPED_DLLS})
  configure_file(${TESSALY_DEPS_PREFIX}/bin/${dll} ${CMAKE_BINARY_DIR}/bin/${dll} COPYONLY)
endforeach()

set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
