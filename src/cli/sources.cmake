set(BLACHORYS_CLI_LIB_SOURCES
    src/cli/clirunner.cpp
    src/cli/commandline.cpp
    src/cli/commandline.h
    src/cli/clirunner.h
    src/cli/programarguments.cpp
    src/cli/programarguments.h
)
