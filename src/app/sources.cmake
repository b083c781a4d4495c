set(BLACHORYS_APP_SOURCES
    src/app/tformblachorys.cpp
    src/app/tformblachorys.h
    src/app/tinfo.cpp
    src/app/tinfo.h
)
