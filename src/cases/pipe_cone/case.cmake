# The pipe on a cone: the branch's template and the cone's mantle with the hole, both
# developments of one joint; the mantle's thin-triangle development in a unit of its own.
blachorys_add_case(pipe_cone
    SOURCES pipeconecase.cpp pipeconecase.h pipeconemodel.cpp pipeconemodel.h
            pipeconegenerators.cpp pipeconegenerators.h pipeconefaults.h
            pipeconefitting.cpp pipeconefitting.h
            pipeconejoint.cpp pipeconejoint.h pipeconeconstruction.cpp
            pipeconeoutputs.cpp pipeconeoutputs.h pipeconeview.cpp pipeconeview.h
    PICTURES pictures/rurastozek.svg schemes/w_rs_r.svg schemes/w_rs_p.svg
    TESTS pipeconemodel_test.cpp pipeconeview_test.cpp
          pipeconesweep_test.cpp pipeconeoutputs_test.cpp
          pipeconecase_test.cpp pipeconewalls_test.cpp
)
