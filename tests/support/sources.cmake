set(BLACHORYS_TEST_SUPPORT_SOURCES
    support/fakeprompts.cpp
    support/fakeprompts.h
    support/golden.cpp
    support/golden.h
)
