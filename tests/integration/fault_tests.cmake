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
