set(BLACHORYS_TEST_SUPPORT_SOURCES
    support/calculatorfixture.cpp
    support/calculatorfixture.h
    support/fakeprompts.cpp
    support/fakeprompts.h
    support/golden.cpp
    support/golden.h
)
