# The search dialog's views in a real program, included from plugin/.
#
# Windows: the Win32 dialog over the real template in a real window, driven
# from a second thread, and the resources read back from the plug-in itself.
# Under Xvfb, since the dialog needs a display; the unit tests run without one
# (a message box would wait there for a click).
#
# Natively: the console view, reading its actions from standard input.
if(WIN32)
    add_subdirectory(${PROJECT_SOURCE_DIR}/tools/dialog_driver ${CMAKE_BINARY_DIR}/tools/dialog_driver)
    add_executable(zms_dialog_win32_tests
        ${PROJECT_SOURCE_DIR}/tests/integration/dialog_win32_test.cpp
        ${PROJECT_SOURCE_DIR}/tests/integration/dialog_resources_test.cpp
        ${PROJECT_SOURCE_DIR}/tests/unit/temp_dir.cpp
        ${PROJECT_SOURCE_DIR}/tests/unit/query_test_support.cpp
    )
    target_link_libraries(zms_dialog_win32_tests PRIVATE
        zms_dialog_view zms_resources zms_dialog_driver zms_plugin_core version GTest::gtest_main)
    target_include_directories(zms_dialog_win32_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/unit)
    zms_target_defaults(zms_dialog_win32_tests)
    target_compile_definitions(zms_dialog_win32_tests PRIVATE
        ZMS_PLUGIN_FILE="$<TARGET_FILE_NAME:zms_plugin>")
    add_dependencies(zms_dialog_win32_tests zms_plugin)
    # Run from the plug-in's directory, which the test loads the DLL from.
    find_program(ZMS_XVFB_RUN xvfb-run REQUIRED)
    add_test(NAME dialog_win32
             COMMAND ${ZMS_XVFB_RUN} -a -s "-screen 0 1280x1024x24"
                     ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:zms_dialog_win32_tests> --gtest_color=no
             WORKING_DIRECTORY $<TARGET_FILE_DIR:zms_plugin>)
    set_tests_properties(dialog_win32 PROPERTIES TIMEOUT 300 FIXTURES_REQUIRED wine_prefix)

    # The picture of the dialog for docs/ (scripts/render_dialog.sh runs it).
    add_executable(zms_dialog_render ${PROJECT_SOURCE_DIR}/tests/integration/dialog_render.cpp)
    target_link_libraries(zms_dialog_render PRIVATE zms_dialog_view zms_resources zms_dialog_driver
                                                    zms_plugin_core gdi32)
    zms_target_defaults(zms_dialog_render)
else()
    add_executable(zms_dialog_console_tests
        ${PROJECT_SOURCE_DIR}/tests/integration/dialog_console_test.cpp
        ${PROJECT_SOURCE_DIR}/tests/unit/temp_dir.cpp
        ${PROJECT_SOURCE_DIR}/tests/unit/query_test_support.cpp
    )
    target_link_libraries(zms_dialog_console_tests PRIVATE zms_dialog_view zms_plugin_core GTest::gtest_main)
    target_include_directories(zms_dialog_console_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/unit)
    zms_target_defaults(zms_dialog_console_tests)
    add_test(NAME dialog_console COMMAND zms_dialog_console_tests --gtest_color=no)
    set_tests_properties(dialog_console PROPERTIES TIMEOUT 120)
endif()
