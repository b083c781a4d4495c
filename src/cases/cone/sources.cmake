list(APPEND BLACHORYS_CORE_SOURCES
    src/cases/cone/conecalculator.cpp
    src/cases/cone/conecalculator.h
    src/cases/cone/conemodel.cpp
    src/cases/cone/conemodel.h
    src/cases/cone/coneoutputs.cpp
    src/cases/cone/coneoutputs.h
)
list(APPEND BLACHORYS_GUI_SOURCES
    src/cases/cone/tstozek.cpp
    src/cases/cone/tstozek.h
)
