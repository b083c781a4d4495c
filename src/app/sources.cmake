set(BLACHORYS_APP_SOURCES
    src/app/placeholder.cpp
)
