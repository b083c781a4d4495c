set(BLACHORYS_RENDER_SOURCES
    src/common/render/templatepainter.cpp
    src/common/render/templatepainter.h
)
