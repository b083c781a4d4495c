set(BLACHORYS_CNC_SOURCES
    src/common/cnc/cncdxf.cpp
    src/common/cnc/cncdxf.h
    src/common/cnc/dxfmemorywriter.cpp
    src/common/cnc/dxfmemorywriter.h
)
