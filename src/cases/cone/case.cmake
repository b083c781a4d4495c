blachorys_add_case(cone
    SOURCES
        conecase.cpp conecase.h
        conemodel.cpp conemodel.h
        coneoutputs.cpp coneoutputs.h
        coneview.cpp coneview.h
    PICTURES
        pictures/stozek.svg schemes/w_s.svg
    TESTS
        conemodel_test.cpp coneview_test.cpp coneoutputs_test.cpp conecase_test.cpp
        conewall_test.cpp
)
