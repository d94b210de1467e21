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

# The stand-in VRInfo.dll once more for each of the thirteen host entries,
# built without that entry: fault-vrinfo/without-<Entry>/VRInfo.dll. One
# compile, thirteen links; the export list is the stand-in's own less one name.
set(zms_fault_entries ZentoroMailVersion StartDoGrep SetFindPack CurrentAccount CurrentFolder
    YenEncode ExecAtMain SetQuietMode IsZentoroMail IsZentoroMailMain IsZentoroMailGrep MainWnd
    PushFindPack)
add_library(fault_standin_objects OBJECT ${PROJECT_SOURCE_DIR}/tools/vrinfo/stand_in.cpp)
target_compile_options(fault_standin_objects PRIVATE -fexec-charset=CP932)
zms_target_defaults(fault_standin_objects)
set(zms_fault_variants_dir ${CMAKE_CURRENT_BINARY_DIR}/fault-vrinfo)
foreach(entry ${zms_fault_entries})
    set(target fault_vrinfo_without_${entry})
    set(exports ${zms_fault_entries} StandInSet StandInJournal StandInClearJournal)
    list(REMOVE_ITEM exports ${entry})
    add_library(${target} SHARED $<TARGET_OBJECTS:fault_standin_objects>)
    if(WIN32)
        list(JOIN exports "\n    " lines)
        file(WRITE ${zms_fault_variants_dir}/${entry}.def "LIBRARY VRInfo.dll\nEXPORTS\n    ${lines}\n")
        target_sources(${target} PRIVATE ${zms_fault_variants_dir}/${entry}.def)
    else()
        list(JOIN exports ";\n        " lines)
        file(WRITE ${zms_fault_variants_dir}/${entry}.map
             "{\n    global:\n        ${lines};\n    local:\n        *;\n};\n")
        target_link_options(${target} PRIVATE -Wl,--version-script=${zms_fault_variants_dir}/${entry}.map)
    endif()
    target_link_libraries(${target} PRIVATE zms_standin_escape)
    set_target_properties(${target} PROPERTIES
        OUTPUT_NAME VRInfo PREFIX "" SUFFIX ".dll"
        RUNTIME_OUTPUT_DIRECTORY ${zms_fault_variants_dir}/without-${entry}
        LIBRARY_OUTPUT_DIRECTORY ${zms_fault_variants_dir}/without-${entry}
        ARCHIVE_OUTPUT_DIRECTORY ${zms_fault_variants_dir}/without-${entry})
    list(APPEND zms_fault_variant_targets ${target})
endforeach()
add_custom_target(fault_vrinfo_variants ALL DEPENDS ${zms_fault_variant_targets})

# Faults met through the reference host (tests/integration/fault_host_test.sh).
# Like the host_* tests: one at a time, under wine in the build's prefix with a
# display (the script starts Xvfb when there is none).
set(zms_fault_environment "FAULT_VRINFO_VARIANTS=${zms_fault_variants_dir}")
list(FIND CMAKE_CROSSCOMPILING_EMULATOR --prefix zms_fault_prefix_option)
if(zms_fault_prefix_option GREATER_EQUAL 0)
    math(EXPR zms_fault_prefix_index "${zms_fault_prefix_option} + 1")
    list(GET CMAKE_CROSSCOMPILING_EMULATOR ${zms_fault_prefix_index} zms_fault_prefix)
    list(APPEND zms_fault_environment "WINEPREFIX=${zms_fault_prefix}")
endif()
add_test(NAME fault_host
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/integration/fault_host_test.sh
                 ${CMAKE_CURRENT_BINARY_DIR}/test-fault-host ${zms_fault_platform}
                 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:zms-host>)
set_tests_properties(fault_host PROPERTIES
    TIMEOUT 900 FIXTURES_REQUIRED wine_prefix RESOURCE_LOCK zms_host
    ENVIRONMENT "${zms_fault_environment}")

# Start-up over a failing registry, in the unit test executable (natively,
# wine64, wine32).
if(WIN32)
    set(zms_fault_os win32)
else()
    set(zms_fault_os posix)
endif()
target_sources(zms_unit_tests PRIVATE
    ${PROJECT_SOURCE_DIR}/tests/unit/fault_registry_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/unit/fault_registry_values_${zms_fault_os}.cpp)
