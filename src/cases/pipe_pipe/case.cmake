blachorys_add_case(pipe_pipe
    SOURCES
        pipepipecase.cpp pipepipecase.h
        pipepipemodel.cpp pipepipemodel.h
        pipepipeoutputs.cpp pipepipeoutputs.h
        pipepipeview.cpp pipepipeview.h
    PICTURES
        pictures/rurarura.svg schemes/w_rr_r.svg schemes/w_rr_p.svg
    TESTS
        pipepipemodel_test.cpp pipepipeview_test.cpp pipepipeoutputs_test.cpp pipepipecase_test.cpp
        pipepipeseam_test.cpp
)
