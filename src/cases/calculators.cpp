#include "cases/calculators.h"

#include "cases/cone/conecase.h"
#include "cases/cone_pipe/conepipecase.h"
#include "cases/elbow/elbowcase.h"
#include "cases/pipe_cone/pipeconecase.h"
#include "cases/pipe_pipe/pipepipecase.h"
#include "cases/transition/transitioncase.h"

namespace blachorys::core {

const std::vector<const Calculator*>& calculators() {
    static const std::vector<const Calculator*> all{
        &pipePipeCalculator(), &pipeConeCalculator(), &conePipeCalculator(),
        &coneCalculator(),     &elbowCalculator(),    &transitionCalculator(),
    };
    return all;
}

const Calculator* findCalculator(std::string_view key) {
    for (const Calculator* calculator : calculators()) {
        if (calculator->definition().key == key) {
            return calculator;
        }
    }
    return nullptr;
}

} // namespace blachorys::core
