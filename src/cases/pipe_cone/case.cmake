# The pipe on a cone: the branch's template and the cone's mantle with the hole, both
# developments of one joint; the mantle's thin-triangle development in a unit of its own.
blachorys_add_case(pipe_cone
    SOURCES pipeconecase.cpp pipeconecase.h pipeconemodel.cpp pipeconemodel.h
            pipeconemantle.cpp pipeconemantle.h pipeconefan.cpp pipeconefan.h
            pipeconepointangles.cpp pipeconepointangles.h
            pipeconegenerators.cpp pipeconegenerators.h pipeconefaults.h
            pipeconefitting.cpp pipeconefitting.h
            pipeconeplate.cpp pipeconeplate.h pipeconewalls.cpp pipeconewalls.h
            pipeconeoutputs.cpp pipeconeoutputs.h pipeconeview.cpp pipeconeview.h
    PICTURES pictures/rurastozek.svg schemes/w_rs_r.svg schemes/w_rs_p.svg
    TESTS pipeconemodel_test.cpp pipeconeview_test.cpp pipeconemantle_test.cpp pipeconefan_test.cpp
          pipeconepointangles_test.cpp pipeconesweep_test.cpp pipeconeoutputs_test.cpp
          pipeconecase_test.cpp pipeconewalls_test.cpp
)
# The fans' vector code gives the same numbers on every instruction set only if no multiply and
# add are fused into one rounding.
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/cases/pipe_cone/pipeconefan.cpp
    PROPERTIES COMPILE_OPTIONS -ffp-contract=off)
