# The preview, the printout and the scheme dialog, on the offscreen platform.
add_executable(gui_output_tests
    gui/drawingpreview_test.cpp
    gui/outputwindows_test.cpp
    gui/reportprinter_test.cpp
    gui/schemepictures_test.cpp
    gui/templatedialog_test.cpp
    gui/translations_test.cpp
    gui/twynikischemat_test.cpp
)
target_link_libraries(gui_output_tests PRIVATE blachorys_gui_test_main blachorys_gui blachorys_cases)
blachorys_warnings(gui_output_tests)
gtest_discover_tests(gui_output_tests
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
)

# For reviewers: renders the previews, printouts and scheme pictures to files.
add_executable(render_outputs tools/renderoutputs.cpp)
target_link_libraries(render_outputs PRIVATE blachorys_gui blachorys_cases)
blachorys_warnings(render_outputs)
