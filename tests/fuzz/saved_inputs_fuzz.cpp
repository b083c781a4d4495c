// Arbitrary bytes as a saved-input file, read back as a calculator window reads it at its first
// paint, for every calculator and for a file of no fields; what is read saves and reads back
// the same.
#include "cases/calculators.h"
#include "common/core/base/numbertext.h"
#include "common/core/calculator/savedinputformat.h"
#include "common/io/savedinputs.h"
#include "fuzz/fuzzcheck.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <vector>

using namespace blachorys;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QTemporaryDir directory;
    static const std::vector<core::CalculatorDefinition> definitions = [] {
        std::vector<core::CalculatorDefinition> all{core::CalculatorDefinition{}};
        for (const core::Calculator* calculator : core::calculators()) {
            all.push_back(calculator->definition());
        }
        return all;
    }();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const io::SavedInputs saved(directory.path(), QStringLiteral("dane.dat"));
    {
        QFile file(saved.path());
        FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(),
                   "cannot write the file");
    }
    for (const core::CalculatorDefinition& definition : definitions) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        const core::CalculatorInputs inputs = io::readSavedInputs(buffer, definition);
        FUZZ_CHECK(inputs.fieldTexts.size() == definition.fields.size(), definition.key);
        FUZZ_CHECK(inputs.choices.size() == definition.selectors.size(), definition.key);
        for (const std::string& text : inputs.fieldTexts) {
            FUZZ_CHECK(core::characterCount(text) <= core::kSavedTextCharacters, text);
            // Whatever the file held, each field gets a number (or "0").
            FUZZ_CHECK(core::parseReal(text).has_value(), text);
        }
        for (std::size_t k = 0; k < inputs.choices.size(); ++k) {
            FUZZ_CHECK(inputs.choices[k] < definition.selectors[k].choices.size(), definition.key);
        }
        FUZZ_CHECK(saved.load(definition) == inputs, "the file reads otherwise than its bytes");
        const core::CalculatorInputs again =
            core::inputsFromSavedLines(definition, core::savedInputLines(definition, inputs));
        FUZZ_CHECK(again == inputs, definition.key + ": saved, it reads back otherwise");
    }
    return 0;
}
