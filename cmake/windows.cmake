# The Windows build (cross-compiled with MinGW-w64 by scripts/windows.sh): where the system
# differs, a file of Windows' own takes the place of the POSIX one of the same name.

list(TRANSFORM BLACHORYS_IO_SOURCES REPLACE "/filesizesignal\\.cpp$" "/filesizesignal_windows.cpp")
list(TRANSFORM BLACHORYS_IO_SOURCES REPLACE "/platformfiles\\.cpp$" "/platformfiles_windows.cpp")
list(TRANSFORM BLACHORYS_CLI_LIB_SOURCES REPLACE "/programarguments\\.cpp$"
     "/programarguments_windows.cpp")

# The test programs cannot run on the build machine, so their tests are listed when ctest
# runs them (under wine), not after each link.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# The window program: no console window, and the icon in the executable (Explorer, the Start
# menu's shortcut, the taskbar), rendered from the SVG at the sizes Windows asks for.
function(blachorys_windows_programs)
    find_program(BLACHORYS_IMAGEMAGICK_CONVERT convert REQUIRED)
    set(icon_dir ${CMAKE_BINARY_DIR}/windows_icon)
    set(sizes 16 24 32 48 64 128 256)
    set(pngs)
    set(commands)
    foreach(size IN LISTS sizes)
        list(APPEND pngs ${icon_dir}/blachorys_${size}.png)
        list(APPEND commands COMMAND ${BLACHORYS_RSVG_CONVERT} --width ${size} --height ${size}
             --output ${icon_dir}/blachorys_${size}.png
             ${CMAKE_SOURCE_DIR}/resources/icons/blachorys.svg)
    endforeach()
    add_custom_command(OUTPUT ${icon_dir}/blachorys.ico
        COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
        ${commands}
        COMMAND ${BLACHORYS_IMAGEMAGICK_CONVERT} ${pngs} ${icon_dir}/blachorys.ico
        DEPENDS ${CMAKE_SOURCE_DIR}/resources/icons/blachorys.svg
        COMMENT "Rendering the program's icon" VERBATIM)
    file(WRITE ${icon_dir}/blachorys.rc "IDI_ICON1 ICON \"blachorys.ico\"\n")
    set_source_files_properties(${icon_dir}/blachorys.rc PROPERTIES
        OBJECT_DEPENDS ${icon_dir}/blachorys.ico)
    target_sources(blachorys PRIVATE ${icon_dir}/blachorys.rc)
    set_target_properties(blachorys PROPERTIES WIN32_EXECUTABLE ON)
endfunction()
