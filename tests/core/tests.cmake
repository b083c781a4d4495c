# One executable for the core: plain GoogleTest, no Qt.
add_executable(core_tests
    core/conecalculator_test.cpp
    core/conemodel_test.cpp
    core/coneoutputs_test.cpp
    core/dxftemplatewriter_test.cpp
    core/numbertext_test.cpp
    core/pipepipecalculator_test.cpp
    core/pipepipemodel_test.cpp
    core/pipepipeoutputs_test.cpp
    core/previewfit_test.cpp
    core/printlayout_test.cpp
    core/thintriangle_test.cpp
)
target_link_libraries(core_tests PRIVATE blachorys_core GTest::gtest_main)
target_include_directories(core_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
blachorys_warnings(core_tests)
gtest_discover_tests(core_tests)
