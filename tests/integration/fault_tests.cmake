# Fault tests: what the plug-in does when memory, the registry, the host
# library, the profile file or a second process works against it. Included
# from tools/CMakeLists.txt, after the plug-in, the stand-in and zms-host.

if(NOT CMAKE_CROSSCOMPILING)
    set(zms_fault_platform native)
elseif(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(zms_fault_platform win64)
else()
    set(zms_fault_platform win32)
endif()

# Two processes on one profile file at once.
add_executable(concurrent_profile_writer ${PROJECT_SOURCE_DIR}/tests/integration/concurrent_profile_writer.cpp)
target_link_libraries(concurrent_profile_writer PRIVATE zms_plugin_core)
zms_target_defaults(concurrent_profile_writer)
add_test(NAME concurrent_profile
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/integration/concurrent_profile_test.sh
                 ${CMAKE_CURRENT_BINARY_DIR}/test-concurrent ${zms_fault_platform} 200
                 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:concurrent_profile_writer>)
set_tests_properties(concurrent_profile PROPERTIES TIMEOUT 900 FIXTURES_REQUIRED wine_prefix)

# Memory running out under the profile store (natively: the linker's --wrap
# gives the test its own malloc, realloc and free).
if(NOT CMAKE_CROSSCOMPILING)
    add_executable(zms_fault_alloc_tests
        ${PROJECT_SOURCE_DIR}/tests/unit/fault_alloc_test.cpp
        ${PROJECT_SOURCE_DIR}/tests/unit/temp_dir.cpp
        ${PROJECT_SOURCE_DIR}/settings/profile_store.cpp)
    target_link_libraries(zms_fault_alloc_tests PRIVATE zms_platform GTest::gtest_main)
    target_link_options(zms_fault_alloc_tests PRIVATE -Wl,--wrap=malloc,--wrap=realloc,--wrap=free)
    zms_target_defaults(zms_fault_alloc_tests)
    add_test(NAME fault_alloc COMMAND zms_fault_alloc_tests --gtest_color=no)
    set_tests_properties(fault_alloc PROPERTIES TIMEOUT 300)
endif()
