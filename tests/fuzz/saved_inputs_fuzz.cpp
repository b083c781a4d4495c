// Arbitrary bytes as a saved-input file, read back as a calculator window reads it at its first
// paint, for the field count of every calculator and for none.
#include "cases/calculators.h"
#include "common/core/numbertext.h"
#include "common/io/savedinputs.h"
#include "fuzz/fuzzcheck.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <set>

using namespace blachorys;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QTemporaryDir directory;
    static const std::set<int> fieldCounts = [] {
        std::set<int> counts{0, 1};
        for (const core::Calculator* calculator : core::calculators()) {
            counts.insert(static_cast<int>(calculator->definition().fields.size()));
        }
        return counts;
    }();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const io::SavedInputs saved(directory.path(), QStringLiteral("dane.dat"));
    {
        QFile file(saved.path());
        FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(),
                   "cannot write the file");
    }
    for (const int count : fieldCounts) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        const QStringList texts = io::readSavedInputs(buffer, count);
        FUZZ_CHECK(texts.size() == count, std::to_string(texts.size()));
        for (const QString& text : texts) {
            FUZZ_CHECK(text.size() <= io::kSavedInputCharacters, text.toStdString());
            // Whatever the file held, each field gets a number (or "0").
            FUZZ_CHECK(core::parseReal(text.toStdString()).has_value(), text.toStdString());
        }
        FUZZ_CHECK(saved.load(count) == texts, "the file reads otherwise than its bytes");
    }
    return 0;
}
