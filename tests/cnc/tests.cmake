# The cutting table's drawing and its DXF: plain GoogleTest, no Qt.
add_executable(cnc_tests cnc/cncdxf_test.cpp)
target_link_libraries(cnc_tests PRIVATE blachorys_cnc PkgConfig::DXFLIB GTest::gtest_main)
target_include_directories(cnc_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
blachorys_warnings(cnc_tests)
gtest_discover_tests(cnc_tests)
