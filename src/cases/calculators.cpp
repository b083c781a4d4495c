#include "cases/calculators.h"

#include "cases/cone/conecalculator.h"
#include "cases/pipe_pipe/pipepipecalculator.h"

namespace blachorys::core {

const std::vector<const Calculator*>& calculators() {
    static const PipePipeCalculator pipePipe;
    static const ConeCalculator cone;
    static const std::vector<const Calculator*> all{&pipePipe, &cone};
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
