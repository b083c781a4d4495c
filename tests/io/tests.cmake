# io and the command-line runner: QtCore only, so these tests build without the windows.
add_executable(io_tests
    io/atomicfile_test.cpp
    io/benchjobs_test.cpp
    io/cliplatform_test.cpp
    io/clirunner_test.cpp
    io/cliprocess_test.cpp
    io/jobfile_test.cpp
    io/outputfiles_test.cpp
    io/programsettings_test.cpp
    io/reportdate_test.cpp
    io/savedinputs_test.cpp
    io/windows1250_test.cpp
    support/golden.cpp
)
target_link_libraries(io_tests PRIVATE blachorys_io blachorys_cli_lib blachorys_hostile_inputs
                      GTest::gtest_main)
target_include_directories(io_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(io_tests PRIVATE BLACHORYS_GOLDEN_DIR="${CMAKE_SOURCE_DIR}/tests/golden"
                           BLACHORYS_EXAMPLES_DIR="${CMAKE_SOURCE_DIR}/examples"
                           BLACHORYS_BENCH_JOBS_DIR="${CMAKE_SOURCE_DIR}/bench/jobs"
                           BLACHORYS_CLI="$<TARGET_FILE:blachorys-cli>")
add_dependencies(io_tests blachorys-cli)
blachorys_warnings(io_tests)
gtest_discover_tests(io_tests)

# DXF read-back: the program writes sample templates, ezdxf (Debian's python3-ezdxf, hence the
# system Python) reads them back.
add_executable(dxf_samples dxf/write_samples.cpp)
target_link_libraries(dxf_samples PRIVATE blachorys_io blachorys_hostile_inputs)
blachorys_warnings(dxf_samples)

set(BLACHORYS_DXF_PYTHON /usr/bin/python3 CACHE FILEPATH "Python with ezdxf for the DXF read-back")
set(dxf_samples_dir ${CMAKE_CURRENT_BINARY_DIR}/dxf_readback)
set(dxf_check ${CMAKE_SOURCE_DIR}/tests/dxf/check_dxf.py)
add_test(NAME dxf_write_samples COMMAND dxf_samples ${dxf_samples_dir})
set_tests_properties(dxf_write_samples PROPERTIES FIXTURES_SETUP dxf_samples)
add_test(NAME dxf_read_back COMMAND ${BLACHORYS_DXF_PYTHON} ${dxf_check} ${dxf_samples_dir}/good)
# The check must see a coordinate 0.01 mm off.
add_test(NAME dxf_read_back_sees_a_wrong_coordinate
         COMMAND ${BLACHORYS_DXF_PYTHON} ${dxf_check} ${dxf_samples_dir}/tampered)
set_tests_properties(dxf_read_back dxf_read_back_sees_a_wrong_coordinate PROPERTIES
    FIXTURES_REQUIRED dxf_samples)
set_tests_properties(dxf_read_back_sees_a_wrong_coordinate PROPERTIES
    PASS_REGULAR_EXPRESSION "mismatch in rurarura_defaults_smaller: entity 4 x1: ")

# The cutting table's DXF read back with ezdxf's strict reader and its cuts measured.
add_executable(cnc_dxf_samples dxf/write_cnc_samples.cpp)
target_link_libraries(cnc_dxf_samples PRIVATE blachorys_cases blachorys_render)
blachorys_warnings(cnc_dxf_samples)
set(cnc_samples_dir ${CMAKE_CURRENT_BINARY_DIR}/cnc_dxf_readback)
set(cnc_check ${CMAKE_SOURCE_DIR}/tests/dxf/check_cnc_dxf.py)
add_test(NAME cnc_dxf_write_samples COMMAND cnc_dxf_samples ${cnc_samples_dir})
set_tests_properties(cnc_dxf_write_samples PROPERTIES FIXTURES_SETUP cnc_dxf_samples)
add_test(NAME cnc_dxf_read_back COMMAND ${BLACHORYS_DXF_PYTHON} ${cnc_check} ${cnc_samples_dir}/good)
# The check must see a cut 0.02 mm longer than the file's.
add_test(NAME cnc_dxf_read_back_sees_a_wrong_length
         COMMAND ${BLACHORYS_DXF_PYTHON} ${cnc_check} ${cnc_samples_dir}/tampered)
set_tests_properties(cnc_dxf_read_back cnc_dxf_read_back_sees_a_wrong_length PROPERTIES
    FIXTURES_REQUIRED cnc_dxf_samples)
set_tests_properties(cnc_dxf_read_back_sees_a_wrong_length PROPERTIES
    PASS_REGULAR_EXPRESSION "mismatch in rurarura_[a-z]+_ndefault_r2000.dxf: cut 0: length ")
