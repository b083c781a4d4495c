# The preview, printing and scheme windows.
include(gui/outputwindows_tests.cmake)

# The calculator windows and the main window.
add_executable(gui_shell_tests
    gui/calculatorwindow_test.cpp
    gui/jobwindow_test.cpp
    gui/tformblachorys_test.cpp
    gui/viewwindow_test.cpp
)
# The command line too: the files from the window and from it must be the same bytes.
target_link_libraries(gui_shell_tests PRIVATE blachorys_shell blachorys_cli_lib
                      blachorys_hostile_inputs blachorys_gui_test_main)
target_compile_definitions(gui_shell_tests PRIVATE
                           BLACHORYS_EXAMPLES_DIR="${CMAKE_SOURCE_DIR}/examples")
blachorys_warnings(gui_shell_tests)
gtest_discover_tests(gui_shell_tests PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen
                     DISCOVERY_MODE PRE_TEST)

# The same windows at a large font, as a user with bigger letters has them.
add_executable(gui_large_font_tests gui/largefont_test.cpp)
target_link_libraries(gui_large_font_tests PRIVATE blachorys_shell blachorys_gui_test_main)
blachorys_warnings(gui_large_font_tests)
gtest_discover_tests(gui_large_font_tests
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_MODE PRE_TEST)

# The windows' fit at the fonts they meet, each test with the fonts it loads in a fontconfig of
# its own; BLACHORYS_FIT_FONTS=machine measures at the machine's fonts.
add_executable(gui_window_fit_tests gui/windowfit_test.cpp gui/windowfitmain.cpp)
target_link_libraries(gui_window_fit_tests PRIVATE blachorys_shell blachorys_test_support)
target_compile_definitions(gui_window_fit_tests PRIVATE
    BLACHORYS_FIT_FONTCONFIG="${CMAKE_CURRENT_SOURCE_DIR}/gui/windowfit_fonts.conf")
blachorys_warnings(gui_window_fit_tests)
gtest_discover_tests(gui_window_fit_tests
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_MODE PRE_TEST)
