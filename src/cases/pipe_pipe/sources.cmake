list(APPEND BLACHORYS_CORE_SOURCES
    src/cases/pipe_pipe/pipepipecalculator.cpp
    src/cases/pipe_pipe/pipepipecalculator.h
    src/cases/pipe_pipe/pipepipemodel.cpp
    src/cases/pipe_pipe/pipepipemodel.h
    src/cases/pipe_pipe/pipepipeoutputs.cpp
    src/cases/pipe_pipe/pipepipeoutputs.h
)
list(APPEND BLACHORYS_GUI_SOURCES
    src/cases/pipe_pipe/trurarura.cpp
    src/cases/pipe_pipe/trurarura.h
)
