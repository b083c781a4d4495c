# One executable for the core: plain GoogleTest, no Qt.
add_executable(core_tests
    core/numbertext_test.cpp
)
target_link_libraries(core_tests PRIVATE blachorys_core GTest::gtest_main)
target_include_directories(core_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
blachorys_warnings(core_tests)
gtest_discover_tests(core_tests)
