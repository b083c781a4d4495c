add_executable(io_tests
    io/windows1250_test.cpp
)
target_link_libraries(io_tests PRIVATE blachorys_io blachorys_cli_lib blachorys_test_support GTest::gtest_main)
blachorys_warnings(io_tests)
gtest_discover_tests(io_tests)
