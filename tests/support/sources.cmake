set(BLACHORYS_TEST_SUPPORT_SOURCES
    support/golden.cpp
    support/golden.h
)
