# The round-to-rectangle transition: its model and checks, its outputs, its descriptor.
blachorys_add_case(transition
    SOURCES transitionmodel.cpp transitionmodel.h transitionoutputs.cpp transitionoutputs.h
            transitionview.cpp transitionview.h
            transitioncase.cpp transitioncase.h
    PICTURES pictures/koloprostokat.svg schemes/w_kp.svg
    TESTS transitionmodel_test.cpp transitionview_test.cpp transitionoutputs_test.cpp transitioncase_test.cpp
          transitioncut_test.cpp transitionwall_test.cpp
)
