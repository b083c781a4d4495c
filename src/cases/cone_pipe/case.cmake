blachorys_add_case(cone_pipe
    SOURCES
        conepipecase.cpp conepipecase.h
        conepipemodel.cpp conepipemodel.h
        conepipegeneratrix.cpp conepipegeneratrix.h
        conepipewalls.cpp conepipewalls.h
        conepipeoutputs.cpp conepipeoutputs.h
        conepipeview.cpp conepipeview.h
    # The joint; the scheme of the cone's pattern and of the pipe's sheet.
    PICTURES
        pictures/stozekrura.svg
        schemes/w_sr_s.svg schemes/w_sr_p.svg
    TESTS
        conepipemodel_test.cpp conepipeview_test.cpp conepipeoutputs_test.cpp conepipecase_test.cpp
        conepipewalls_test.cpp
)
