# The program's pictures as Qt resources. They are drawn as SVG where Qt has its Svg module;
# without it (the Windows build, whose Qt is built without qtsvg) each SVG is rendered at build
# time to a PNG of twice its size, which stays sharp on a screen at 150 % and 200 %, under the
# same resource name with ".png" (src/common/gui/pictures_png.cpp reads them).

option(BLACHORYS_PNG_PICTURES "Pictures as PNGs rendered at build time, for a Qt without Svg"
       ${WIN32})

if(BLACHORYS_PNG_PICTURES)
    find_program(BLACHORYS_RSVG_CONVERT rsvg-convert REQUIRED)
    set(BLACHORYS_QT_SVG_COMPONENTS)
else()
    set(BLACHORYS_QT_SVG_COMPONENTS Svg SvgWidgets)
endif()

# Adds the pictures FILES (paths under resources/) to `target`'s resources named `name`.
function(blachorys_add_pictures target name)
    cmake_parse_arguments(PICTURES "" "" "FILES" ${ARGN})
    if(NOT BLACHORYS_PNG_PICTURES)
        list(TRANSFORM PICTURES_FILES PREPEND ${CMAKE_SOURCE_DIR}/resources/)
        qt_add_resources(${target} ${name} PREFIX "/" BASE ${CMAKE_SOURCE_DIR}/resources
                         FILES ${PICTURES_FILES})
        return()
    endif()
    set(rendered_dir ${CMAKE_BINARY_DIR}/pictures_png)
    set(rendered)
    foreach(picture IN LISTS PICTURES_FILES)
        string(REGEX REPLACE "\\.svg$" ".png" png ${rendered_dir}/${picture})
        get_filename_component(png_dir ${png} DIRECTORY)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${png_dir}
            COMMAND ${BLACHORYS_RSVG_CONVERT} --zoom 2 --output ${png}
                    ${CMAKE_SOURCE_DIR}/resources/${picture}
            DEPENDS ${CMAKE_SOURCE_DIR}/resources/${picture}
            COMMENT "Rendering ${picture} to PNG" VERBATIM)
        list(APPEND rendered ${png})
    endforeach()
    qt_add_resources(${target} ${name} PREFIX "/" BASE ${rendered_dir} FILES ${rendered})
endfunction()
