set(BLACHORYS_APP_SOURCES
    src/app/defaultmenustyle.cpp
    src/app/defaultmenustyle.h
    src/app/tformblachorys.cpp
    src/app/tformblachorys.h
    src/app/tinfo.cpp
    src/app/tinfo.h
)
