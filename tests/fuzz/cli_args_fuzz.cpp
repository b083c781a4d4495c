// Arbitrary command lines, the arguments separated by NUL bytes, read as blachorys-cli reads
// them (parseCommandLine only reads: nothing is written). Either the options are whole and
// sound, or there is a message saying what is wrong.
#include "cli/clirunner.h"
#include "fuzz/fuzzcheck.h"

#include "cases/calculators.h"

#include <algorithm>

using namespace blachorys;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments;
    if (size > 0) {
        arguments = fuzz::splitAt(data, size, '\0');
    }
    const cli::ParsedCommandLine parsed = cli::parseCommandLine(arguments);
    if (!parsed.options) {
        FUZZ_CHECK(!parsed.messages.empty(), "refused without a word");
        for (const std::string& message : parsed.messages) {
            FUZZ_CHECK(message.starts_with("blachorys-cli: "), message);
        }
        return 0;
    }
    const cli::CliOptions& options = *parsed.options;
    if (options.list) {
        FUZZ_CHECK(arguments.size() == 1 && options.calculator == nullptr, "--list with more");
        return 0;
    }
    FUZZ_CHECK(options.calculator == core::findCalculator(arguments.front()), arguments.front());
    const auto& definition = options.calculator->definition();
    FUZZ_CHECK(options.development < std::max<std::size_t>(1, definition.developments.size()),
               std::to_string(options.development));
    FUZZ_CHECK(options.inputs.fieldTexts.size() == definition.fields.size(), definition.key);
    FUZZ_CHECK(options.inputs.choices.size() == definition.selectors.size(), definition.key);
    FUZZ_CHECK(options.fields.choices.size() == definition.selectors.size(), definition.key);
    FUZZ_CHECK(!core::settingsProblem(options.templateSettings), "unusable template settings");
    for (const std::string& message : parsed.messages) {
        FUZZ_CHECK(message.starts_with("Uwaga: ") && !options.strict, message);
    }
    for (const cli::RequestedFile& file : options.files) {
        FUZZ_CHECK(std::find(arguments.begin(), arguments.end(), file.path) != arguments.end(),
                   "a file name that was not given");
    }
    return 0;
}
