blachorys_add_case(elbow
    SOURCES
        elbowmodel.cpp elbowmodel.h
        elbowstrips.cpp elbowstrips.h
        elbowoutputs.cpp elbowoutputs.h
        elbowview.cpp elbowview.h
        elbowcase.cpp elbowcase.h
    TESTS
        elbowmodel_test.cpp elbowview_test.cpp elbowoutputs_test.cpp elbowcase_test.cpp
        elbowwall_test.cpp elbowseams_test.cpp
    PICTURES
        pictures/kolanosegm.svg schemes/w_ks.svg
)
