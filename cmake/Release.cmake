# What is shipped beside the DLLs. The help text docs/ZentoroMailSearch.txt and
# docs/README-user.txt are made from docs/help/*.utf8.txt by scripts/make_help.sh,
# whose examples come from zms-translate; the test `help_text` keeps the
# committed files equal to what it makes now. The zip itself is made by
# scripts/release.sh from the win64 and win32 builds.
if(NOT CMAKE_CROSSCOMPILING)
    add_test(NAME help_text
             COMMAND bash ${PROJECT_SOURCE_DIR}/tests/integration/help_text_test.sh
                     $<TARGET_FILE:zms-translate> ${PROJECT_VERSION}
                     ${CMAKE_CURRENT_BINARY_DIR}/help-text-test)
    set_tests_properties(help_text PROPERTIES TIMEOUT 120)

    # cmake --build --preset native --target help_text: rewrites the two files.
    add_custom_target(help_text
        COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/make_help.sh
                --translate $<TARGET_FILE:zms-translate> --version ${PROJECT_VERSION}
        DEPENDS zms-translate
        COMMENT "Writing docs/ZentoroMailSearch.txt and docs/README-user.txt"
        VERBATIM)
endif()

# The binaries of the zip come out the same, byte for byte, from the same
# sources in any folders (the release test builds them twice and compares).
# Nothing of a build's path gets in; what differed was the time of the link,
# which ld writes into a PE file's header and its export directory (and so the
# header's checksum): it writes 0 instead.
if(WIN32)
    foreach(shipped zms_plugin zms-translate)
        target_link_options(${shipped} PRIVATE -Wl,--no-insert-timestamp)
    endforeach()
endif()
