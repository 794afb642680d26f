# GoogleTest is built from the sources of Debian's googletest package, once
# per build tree, so the same tests run natively and under Wine.
set(COVERHALL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${COVERHALL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(WIN32)
    target_link_options(gtest PUBLIC ${COVERHALL_STATIC_RUNTIME})
endif()

enable_testing()

# Song files with pictures and broken tags, written at test time by real tag
# writers (the fixture test tagged_covers_data makes them).
set(COVERHALL_TAGGED_DIR ${CMAKE_BINARY_DIR}/tagged_covers)

if(WIN32 AND CMAKE_CROSSCOMPILING)
    # Windows programs run under Wine through a wrapper that owns the prefix
    # and the virtual display; see cmake/wine-run.sh.in.
    set(COVERHALL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(COVERHALL_WINE_LOADER /usr/lib/wine/wine64)
        set(COVERHALL_WINE_SERVER /usr/lib/wine/wineserver64)
        set(COVERHALL_WINE_ARCH win64)
    else()
        set(COVERHALL_WINE_LOADER /usr/lib/wine/wine)
        set(COVERHALL_WINE_SERVER /usr/lib/wine/wineserver32)
        set(COVERHALL_WINE_ARCH win32)
    endif()
    configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE @ONLY)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
    # Wine reads Unix paths through its Z: drive.
    set(COVERHALL_TEST_PATH_PREFIX "Z:")
endif()

# coverhall_add_test(<name> SOURCES ... [LIBS ...] [ARGS ...])
# One test program, one ctest entry: a Wine process start costs about half a
# second, so cases are grouped per program rather than registered one by one.
function(coverhall_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;ARGS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gtest_main)
    if(WIN32)
        target_link_options(${name} PRIVATE ${COVERHALL_STATIC_RUNTIME})
    endif()
    add_test(NAME ${name} COMMAND ${name} ${T_ARGS})
    set_tests_properties(${name} PROPERTIES TIMEOUT 180)
endfunction()
