# GoogleTest for the target, and target test executables that ctest runs under Wine.
enable_testing()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)

# The build tree's Wine prefix is created once, before any test uses it (tests
# that add drives to it must find it complete).
add_test(NAME wine_prefix COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --prepare)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix)

# tavrimo_add_test(NAME SOURCES file... [LIBS lib...] [DISPLAY])
# DISPLAY marks tests that drive real windows with input: they take the screen
# one at a time.
function(tavrimo_add_test name)
    cmake_parse_arguments(ARG "DISPLAY" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix)
    if(ARG_DISPLAY)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
    endif()
endfunction()
