# TagLib, the tag library that reads the pictures stored inside song files.
# Its sources come unpacked with Debian's patches applied (build.sh fetches
# Debian's source package into the build folder); it is built here as a
# static Release library with this tree's own compilers and sanitizer flags,
# so the DLL gains neither imports nor exports and the fuzzers see inside it.
#
# Gives the target `taglib` (include path, TAGLIB_STATIC, the library).
set(COVERHALL_TAGLIB_SOURCE "" CACHE PATH "TagLib sources, unpacked with Debian's patches")
if(NOT EXISTS "${COVERHALL_TAGLIB_SOURCE}/taglib/CMakeLists.txt")
    message(FATAL_ERROR "COVERHALL_TAGLIB_SOURCE must name unpacked TagLib sources "
                        "(./build.sh fetches them); it is '${COVERHALL_TAGLIB_SOURCE}'")
endif()

# Debian's patches make TagLib take utf8cpp from Debian's libutfcpp-dev; those
# headers are plain C++ and serve every toolchain.
set(COVERHALL_UTF8CPP_INCLUDE /usr/include/utf8cpp CACHE PATH "utf8cpp headers")

set(taglib_flags "-I${COVERHALL_UTF8CPP_INCLUDE}")
if(WIN32)
    # Only the readers the plug-in calls stay in the DLL (--gc-sections).
    string(APPEND taglib_flags " -ffunction-sections -fdata-sections")
endif()
if(COVERHALL_FUZZ)
    string(APPEND taglib_flags " -fsanitize=fuzzer-no-link,address")
elseif(NOT WIN32 AND COVERHALL_SANITIZE)
    string(APPEND taglib_flags " -fsanitize=address -fno-omit-frame-pointer")
endif()

set(taglib_prefix ${CMAKE_BINARY_DIR}/taglib)
set(taglib_library ${taglib_prefix}/lib/${CMAKE_STATIC_LIBRARY_PREFIX}tag${CMAKE_STATIC_LIBRARY_SUFFIX})
set(taglib_args
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=${taglib_prefix}
    -DCMAKE_INSTALL_LIBDIR=lib
    -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER}
    -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER}
    -DCMAKE_CXX_FLAGS=${taglib_flags}
    -DBUILD_SHARED_LIBS=OFF
    -DBUILD_BINDINGS=OFF
    -DBUILD_EXAMPLES=OFF
    -DBUILD_TESTING=OFF
    -DWITH_ZLIB=OFF
    -DVISIBILITY_HIDDEN=ON)
if(CMAKE_TOOLCHAIN_FILE)
    list(APPEND taglib_args -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE})
endif()

include(ExternalProject)
ExternalProject_Add(taglib_build
    SOURCE_DIR ${COVERHALL_TAGLIB_SOURCE}
    BINARY_DIR ${CMAKE_BINARY_DIR}/taglib-build
    INSTALL_DIR ${taglib_prefix}
    CMAKE_ARGS ${taglib_args}
    BUILD_BYPRODUCTS ${taglib_library}
    UPDATE_COMMAND ""
    LOG_CONFIGURE ON
    LOG_BUILD ON
    LOG_INSTALL ON
    LOG_OUTPUT_ON_FAILURE ON)

file(MAKE_DIRECTORY ${taglib_prefix}/include)
add_library(taglib STATIC IMPORTED GLOBAL)
set_target_properties(taglib PROPERTIES
    IMPORTED_LOCATION ${taglib_library}
    INTERFACE_INCLUDE_DIRECTORIES ${taglib_prefix}/include
    INTERFACE_COMPILE_DEFINITIONS TAGLIB_STATIC)
add_dependencies(taglib taglib_build)
