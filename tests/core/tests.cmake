# One executable for the core: plain GoogleTest, no Qt. Each case adds its own tests
# (blachorys_add_case).
get_property(case_tests GLOBAL PROPERTY BLACHORYS_CASE_TESTS)
add_executable(core_tests
    core/calculators_test.cpp
    core/compensatedsum_test.cpp
    core/coneunrolling_test.cpp
    core/dxftemplatewriter_test.cpp
    core/fieldreading_test.cpp
    core/fittingsearch_test.cpp
    core/flatpiece_test.cpp
    core/hostilesweep_test.cpp
    core/jointview_test.cpp
    core/materiallist_test.cpp
    core/nesting_test.cpp
    core/numbertext_test.cpp
    core/pattern_test.cpp
    core/patterncells_test.cpp
    core/pieceparts_test.cpp
    core/parallelfor_test.cpp
    core/patternchecks_test.cpp
    core/previewfit_test.cpp
    core/printlayout_test.cpp
    core/segmentgrid_test.cpp
    core/templateplan_test.cpp
    core/thintriangle_test.cpp
    core/viewframe_test.cpp
    ${case_tests}
)
target_link_libraries(core_tests PRIVATE blachorys_cases hwy::hwy GTest::gtest_main)
target_include_directories(core_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
blachorys_warnings(core_tests)
# The hostile-input sweep's sets and checks.
target_link_libraries(core_tests PRIVATE blachorys_hostile_inputs)
gtest_discover_tests(core_tests)
