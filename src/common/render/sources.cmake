set(BLACHORYS_RENDER_SOURCES
    src/common/render/outputfile.cpp
    src/common/render/outputfile.h
    src/common/render/templatepainter.cpp
    src/common/render/templatepainter.h
)
