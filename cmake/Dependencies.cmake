# zlib from Debian's libz-mingw-w64-dev; minizip's unzip layer, libpng and
# libjpeg-turbo built static for the target from the pinned upstream tarballs.
# Tarballs and built libraries live in a cache outside the source tree, so a
# second configure fetches and builds nothing.

if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(_default_cache "$ENV{XDG_CACHE_HOME}/tavrimo")
else()
    set(_default_cache "$ENV{HOME}/.cache/tavrimo")
endif()
set(TAVRIMO_CACHE_DIR "${_default_cache}" CACHE PATH "Cache of third-party tarballs and their target builds")

set(_lock_file "${CMAKE_CURRENT_LIST_DIR}/sources.lock")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_lock_file}")
file(STRINGS "${_lock_file}" _lock_lines REGEX "^[^#]")

set(_sources_dir "${TAVRIMO_CACHE_DIR}/sources")
foreach(_line IN LISTS _lock_lines)
    string(REGEX REPLACE "[ \t]+" ";" _fields "${_line}")
    list(GET _fields 0 _package)
    list(GET _fields 1 _tarball)
    list(GET _fields 2 _sha256)
    execute_process(
        COMMAND "${CMAKE_CURRENT_LIST_DIR}/../scripts/fetch-source.sh" ${_package} ${_tarball} ${_sha256} "${_sources_dir}"
        RESULT_VARIABLE _rc ERROR_VARIABLE _err)
    if(NOT _rc EQUAL 0)
        message(FATAL_ERROR "${_err}")
    endif()
    set(_tarball_of_${_package} "${_sources_dir}/${_tarball}")
endforeach()

# One prefix per toolchain and lock file, so a compiler or pin change rebuilds.
execute_process(COMMAND ${CMAKE_C_COMPILER} --version OUTPUT_VARIABLE _cc_version)
file(READ "${_lock_file}" _lock_text)
string(SHA256 _key "${_cc_version}${_lock_text}")
string(SUBSTRING "${_key}" 0 16 _key)
set(_prefix "${TAVRIMO_CACHE_DIR}/target-${_key}")
file(MAKE_DIRECTORY "${_prefix}")
file(LOCK "${_prefix}" DIRECTORY GUARD FILE)

function(_tavrimo_unpack tarball into)
    if(NOT EXISTS "${into}/.unpacked")
        file(REMOVE_RECURSE "${into}")
        file(MAKE_DIRECTORY "${into}")
        file(ARCHIVE_EXTRACT INPUT "${tarball}" DESTINATION "${into}")
        file(TOUCH "${into}/.unpacked")
    endif()
endfunction()

function(_tavrimo_build_cmake_project name tarball)
    if(EXISTS "${_prefix}/.built-${name}")
        return()
    endif()
    message(STATUS "Building ${name} for the target (once per cache)")
    set(_src "${_prefix}/src/${name}")
    _tavrimo_unpack("${tarball}" "${_src}")
    file(GLOB _top LIST_DIRECTORIES true "${_src}/*")
    list(FILTER _top EXCLUDE REGEX "/\\.unpacked$")
    set(_bld "${_prefix}/build/${name}")
    execute_process(
        COMMAND ${CMAKE_COMMAND} -S "${_top}" -B "${_bld}" -G "${CMAKE_GENERATOR}"
                -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
                -DCMAKE_BUILD_TYPE=Release
                -DCMAKE_INSTALL_PREFIX=${_prefix}
                -DCMAKE_PREFIX_PATH=/usr/${TAVRIMO_TRIPLET}
                ${ARGN}
        RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
    if(_rc EQUAL 0)
        execute_process(COMMAND ${CMAKE_COMMAND} --build "${_bld}" --target install -j2
            RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
    endif()
    if(NOT _rc EQUAL 0)
        message(FATAL_ERROR "Building ${name} for the target failed:\n${_out}")
    endif()
    file(REMOVE_RECURSE "${_bld}")
    file(TOUCH "${_prefix}/.built-${name}")
endfunction()

_tavrimo_build_cmake_project(libpng "${_tarball_of_libpng1.6}"
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
    -DZLIB_LIBRARY=/usr/${TAVRIMO_TRIPLET}/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/${TAVRIMO_TRIPLET}/include)
_tavrimo_build_cmake_project(libjpeg "${_tarball_of_libjpeg-turbo}"
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF)
_tavrimo_unpack("${_tarball_of_minizip}" "${_prefix}/src/minizip")

add_library(tavrimo_zlib STATIC IMPORTED GLOBAL)
set_target_properties(tavrimo_zlib PROPERTIES
    IMPORTED_LOCATION /usr/${TAVRIMO_TRIPLET}/lib/libz.a)
add_library(Tavrimo::zlib ALIAS tavrimo_zlib)

add_library(tavrimo_png STATIC IMPORTED GLOBAL)
set_target_properties(tavrimo_png PROPERTIES
    IMPORTED_LOCATION "${_prefix}/lib/libpng16.a"
    INTERFACE_INCLUDE_DIRECTORIES "${_prefix}/include"
    INTERFACE_LINK_LIBRARIES Tavrimo::zlib)
add_library(Tavrimo::png ALIAS tavrimo_png)

add_library(tavrimo_jpeg STATIC IMPORTED GLOBAL)
set_target_properties(tavrimo_jpeg PROPERTIES
    IMPORTED_LOCATION "${_prefix}/lib/libjpeg.a"
    INTERFACE_INCLUDE_DIRECTORIES "${_prefix}/include")
add_library(Tavrimo::jpeg ALIAS tavrimo_jpeg)

# Only the unzip layer with its Win32 file functions is needed.
set(_mz "${_prefix}/src/minizip/minizip")
add_library(tavrimo_minizip STATIC "${_mz}/unzip.c" "${_mz}/ioapi.c" "${_mz}/iowin32.c")
target_include_directories(tavrimo_minizip SYSTEM PUBLIC "${_mz}")
target_compile_options(tavrimo_minizip PRIVATE -w)
target_link_libraries(tavrimo_minizip PUBLIC Tavrimo::zlib)
add_library(Tavrimo::minizip ALIAS tavrimo_minizip)
