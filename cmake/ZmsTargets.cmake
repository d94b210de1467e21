# Settings every target of the project gets, and the third-party pieces it uses.

# The name of this build's OS in file names: a folder <ZMS_OS>/ beside the
# portable code (platform/win32/, plugin/posix/, ...).
if(WIN32)
    set(ZMS_OS win32)
else()
    set(ZMS_OS posix)
endif()

option(ZMS_WERROR "Treat compiler warnings as errors" OFF)
option(ZMS_SANITIZE "Native build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

# zms_target_defaults(<target>): the project's own compile settings. Every
# library, executable and test target of the project gets them (through
# zms_layer or zms_on_top below), third-party ones do not.
function(zms_target_defaults target)
    target_compile_features(${target} PUBLIC cxx_std_17)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    # Static libraries end up inside the plug-in's shared library too.
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    if(ZMS_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(ZMS_SANITIZE AND NOT WIN32)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined
                                                 -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# zms_layer(<target> <folder>): a library of the product, one folder of it.
# Headers are included by their path from the repository root
# ("settings/profile_store.h"), but a layer exposes only its own folder: the
# include directory holds nothing but a link to it. A library sees the
# headers of the layers it links and no others, so the compiler keeps the
# layers pointing one way.
function(zms_layer target folder)
    zms_target_defaults(${target})
    set(dir ${CMAKE_BINARY_DIR}/layers/${folder})
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${dir}/${folder} SYMBOLIC)
    target_include_directories(${target} PUBLIC ${dir})
endfunction()

# zms_on_top(<target>): tools and tests sit on top of the product and may
# include anything from the repository root.
function(zms_on_top target)
    zms_target_defaults(${target})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# zms_selftest_program(<target>): a program the self-test zip holds; on
# Windows it maps the registry to one of its own under the self-test
# (tools/registry_writer/win32/scratch_registry.cpp).
function(zms_selftest_program target)
    if(WIN32)
        target_link_libraries(${target} PRIVATE zms_scratch_registry)
    endif()
endfunction()

# The WebAssembly build (the playground) is query/ alone: none of what follows.
if(EMSCRIPTEN)
    return()
endif()

# Boost.Regex, header-only. The mingw compilers must not see the rest of
# /usr/include (glibc's headers would shadow their own), so the include path is
# a directory of the build tree holding only a link to boost/. Used alike by all
# builds: link `zms_boost` to get it.
set(ZMS_BOOST_ROOT /usr/include CACHE PATH "Directory that holds Boost's boost/ headers")
if(NOT EXISTS ${ZMS_BOOST_ROOT}/boost/regex.hpp)
    message(FATAL_ERROR "Boost.Regex headers not found in ${ZMS_BOOST_ROOT}/boost "
                        "(install libboost-regex1.81-dev: scripts/setup.sh)")
endif()
set(ZMS_BOOST_INCLUDE_DIR ${CMAKE_BINARY_DIR}/boost-include)
file(MAKE_DIRECTORY ${ZMS_BOOST_INCLUDE_DIR})
file(CREATE_LINK ${ZMS_BOOST_ROOT}/boost ${ZMS_BOOST_INCLUDE_DIR}/boost SYMBOLIC)
add_library(zms_boost INTERFACE)
target_include_directories(zms_boost SYSTEM INTERFACE ${ZMS_BOOST_INCLUDE_DIR})

# GoogleTest, built from Debian's sources for every build (the mingw builds have
# no prebuilt one). Not part of `all`: only test executables pull it in.
set(ZMS_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(NOT EXISTS ${ZMS_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${ZMS_GOOGLETEST_SOURCE_DIR} "
                        "(install googletest: scripts/setup.sh)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(${ZMS_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
