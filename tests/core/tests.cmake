# One executable for the core: plain GoogleTest, no Qt. Each case adds its own tests
# (blachorys_add_case).
get_property(case_tests GLOBAL PROPERTY BLACHORYS_CASE_TESTS)
add_executable(core_tests
    core/calculators_test.cpp
    core/base/compensatedsum_test.cpp
    core/geometry/coneangles_test.cpp
    core/geometry/conefan_test.cpp
    core/geometry/coneunrolling_test.cpp
    core/geometry/obliquecone_test.cpp
    core/geometry/polygonclipping_test.cpp
    core/sheets/dxftemplatewriter_test.cpp
    core/sheets/nestinglabels_test.cpp
    core/calculator/fieldreading_test.cpp
    core/calculator/refusalranges_test.cpp
    core/geometry/fittingsearch_test.cpp
    core/plate/flatpiece_test.cpp
    core/hostilesweep_test.cpp
    core/hugesweep_test.cpp
    core/job/job_test.cpp
    core/jointholes_test.cpp
    core/onedecision_test.cpp
    core/view3d/edgepreparation_test.cpp
    core/view3d/jointview_test.cpp
    core/plate/materiallist_test.cpp
    core/plate/nesting_test.cpp
    core/base/numbertext_test.cpp
    core/pattern/pattern_test.cpp
    core/view3d/patterncells_test.cpp
    core/view3d/printedside_test.cpp
    core/plate/pieceparts_test.cpp
    core/base/parallelfor_test.cpp
    core/pattern/patternchecks_test.cpp
    core/sheets/previewfit_test.cpp
    core/sheets/printlayout_test.cpp
    core/geometry/segmentgrid_test.cpp
    core/sheets/templateplan_test.cpp
    core/geometry/thintriangle_test.cpp
    core/view3d/viewframe_test.cpp
    ${case_tests}
)
target_link_libraries(core_tests PRIVATE blachorys_cases hwy::hwy GTest::gtest_main)
target_include_directories(core_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
blachorys_warnings(core_tests)
# The hostile-input sweep's sets and checks.
target_link_libraries(core_tests PRIVATE blachorys_hostile_inputs)
gtest_discover_tests(core_tests)
