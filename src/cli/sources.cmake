set(BLACHORYS_CLI_LIB_SOURCES
    src/cli/clirunner.cpp
    src/cli/clirunner.h
    src/cli/programarguments.cpp
    src/cli/programarguments.h
)
