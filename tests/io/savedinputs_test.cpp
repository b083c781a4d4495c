#include "common/io/savedinputs.h"

#include "cases/calculators.h"
#include "common/core/calculator/savedinputformat.h"

#include "support/golden.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace blachorys::io {
namespace {

/** A calculator of `fieldCount` fields, all saved by position. */
core::CalculatorDefinition fieldsByPosition(int fieldCount) {
    core::CalculatorDefinition definition;
    for (int f = 0; f < fieldCount; ++f) {
        definition.fields.push_back({.name = "F" + std::to_string(f), .defaultText = "0"});
    }
    definition.positionalSavedFields = definition.fields.size();
    return definition;
}

QStringList qStrings(const std::vector<std::string>& texts) {
    QStringList strings;
    for (const std::string& text : texts) {
        strings << QString::fromStdString(text);
    }
    return strings;
}

class SavedInputsFile : public ::testing::Test {
protected:
    SavedInputs inputs() const { return SavedInputs(m_directory.path(), "danetmp.dat"); }
    void writeRaw(const QByteArray& bytes) const {
        QFile file(inputs().path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QStringList load(int fieldCount) const {
        const auto loaded = inputs().load(fieldsByPosition(fieldCount));
        EXPECT_TRUE(loaded.has_value());
        return qStrings(loaded.value_or(core::CalculatorInputs{}).fieldTexts);
    }
    QTemporaryDir m_directory;
};

TEST_F(SavedInputsFile, SavesOneWindows1250LinePerField) {
    EXPECT_EQ(inputs().path(), QDir(m_directory.path()).filePath("danetmp.dat"));
    ASSERT_TRUE(inputs().save(fieldsByPosition(5), {{"300", "800", "-200", "", "ó°"}, {}}));
    EXPECT_EQ(test::readFileBytes(inputs().path().toStdString()),
              "300\r\n800\r\n-200\r\n\r\n\xF3\xB0\r\n");
    // The empty and the non-numeric texts come back as "0".
    EXPECT_EQ(load(5), (QStringList{"300", "800", "-200", "0", "0"}));
}

TEST_F(SavedInputsFile, SaveCreatesTheDirectory) {
    const SavedInputs nested(QDir(m_directory.path()).filePath("a/b"), "x.dat");
    ASSERT_TRUE(nested.save(fieldsByPosition(1), {{"1"}, {}}));
    EXPECT_EQ(nested.load(fieldsByPosition(1)).value().fieldTexts, std::vector<std::string>{"1"});
}

TEST_F(SavedInputsFile, NoFileGivesNothing) {
    EXPECT_FALSE(inputs().load(fieldsByPosition(9)).has_value());
    ASSERT_TRUE(QDir(m_directory.path()).mkdir("danetmp.dat"));
    EXPECT_FALSE(inputs().load(fieldsByPosition(9)).has_value())
        << "a directory is not a saved-input file";
}

TEST_F(SavedInputsFile, KeepsTwentyCharactersOfALine) {
    writeRaw("1234567890123456789012345\r\n-1.5e3\n12.25");
    EXPECT_EQ(load(3), (QStringList{"12345678901234567890", "-1.5e3", "12.25"}));
    // Twenty characters of a longer number that are not a number on their own give "0".
    writeRaw("1234567890123456789e5\r\n");
    EXPECT_EQ(load(1), QStringList{"0"});
}

TEST_F(SavedInputsFile, MissingLinesGiveZeroAndExtraLinesAreIgnored) {
    writeRaw("300\r\n800\r\n");
    EXPECT_EQ(load(4), (QStringList{"300", "800", "0", "0"}));
    writeRaw("1\r\n2\r\n3\r\n4\r\n");
    EXPECT_EQ(load(2), (QStringList{"1", "2"}));
    writeRaw("");
    EXPECT_EQ(load(2), (QStringList{"0", "0"}));
}

struct UntrustedCase {
    const char* what;
    QByteArray bytes;
    QStringList expected;
};

class UntrustedSavedInputs : public SavedInputsFile,
                             public ::testing::WithParamInterface<UntrustedCase> {};

TEST_P(UntrustedSavedInputs, EveryFieldIsZeroOrItsValidValue) {
    writeRaw(GetParam().bytes);
    EXPECT_EQ(load(static_cast<int>(GetParam().expected.size())), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UntrustedSavedInputs,
    ::testing::Values(
        UntrustedCase{"lone_cr", QByteArray("300\r800\r200\r"), {"300", "800", "200", "0"}},
        UntrustedCase{"mixed_ends", QByteArray("1\n2\r\n3\r\r4"), {"1", "2", "3", "0", "4"}},
        UntrustedCase{"nuls",
                      QByteArray("3\0"
                                 "00\r\n\0\0\0\r\n700\r\n",
                                 16),
                      {"0", "0", "700"}},
        UntrustedCase{
            "binary", QByteArray("\x89PNG\r\n\x1a\n\xff\xfe\x00\x01", 12), {"0", "0", "0", "0"}},
        UntrustedCase{
            "undefined_code_page_bytes", QByteArray("1\x81\r\n\x98\r\n5\r\n"), {"0", "0", "5"}},
        UntrustedCase{"polish_letters", QByteArray("\xB9\xEA\r\n24\r\n"), {"0", "24"}},
        UntrustedCase{"spaces_and_commas", QByteArray(" 300\r\n1,5\r\n2 \r\n"), {"0", "0", "0"}}),
    [](const auto& info) { return std::string(info.param.what); });

/** A stream of one repeated byte, 64 MiB long, that counts how much was read from it. */
class LongStream final : public QIODevice {
public:
    explicit LongStream(char byte) : m_byte(byte) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    qint64 bytesRead() const { return m_read; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 size = std::min(maxSize, kLength - m_read);
        std::memset(data, m_byte, static_cast<std::size_t>(size));
        m_read += size;
        return size;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    static constexpr qint64 kLength = qint64{64} * 1024 * 1024;
    char m_byte;
    qint64 m_read = 0;
};

TEST(SavedInputsReading, AHugeFileIsReadOnlyAsFarAsTheFieldsNeed) {
    // A saved-input file of one endless line: the window reads it when first drawn.
    LongStream stream('9');
    const QStringList loaded = qStrings(readSavedInputs(stream, fieldsByPosition(9)).fieldTexts);
    EXPECT_EQ(loaded, (QStringList{QString(20, u'9'), "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_LE(stream.bytesRead(), 64 * 1024);
}

TEST_F(SavedInputsFile, LinesBeyondTheFirstKilobytesAreIgnored) {
    // What a window writes is at most a few hundred bytes; a line pasted 10,000 characters
    // long pushes the fields after it out of reach, and they read as 0.
    QByteArray bytes = "12\r\n" + QByteArray(10000, '7') + "\r\n34\r\n";
    writeRaw(bytes);
    EXPECT_EQ(load(3), (QStringList{"12", QString(20, u'7'), "0"}));
}

} // namespace
} // namespace blachorys::io

namespace blachorys::io {
namespace {

class EverySavedFile : public SavedInputsFile,
                       public ::testing::WithParamInterface<const core::Calculator*> {
protected:
    const core::CalculatorDefinition& definition() const { return GetParam()->definition(); }
    /** Inputs unlike the defaults: each field 11, 12, ... and each selector's last choice. */
    core::CalculatorInputs changedInputs() const {
        core::CalculatorInputs changed = core::defaultInputs(definition());
        for (std::size_t f = 0; f < changed.fieldTexts.size(); ++f) {
            changed.fieldTexts[f] = std::to_string(11 + f);
        }
        for (std::size_t k = 0; k < changed.choices.size(); ++k) {
            changed.choices[k] = definition().selectors[k].choices.size() - 1;
        }
        return changed;
    }
    core::CalculatorInputs loaded(const QByteArray& bytes) const {
        writeRaw(bytes);
        return inputs().load(definition()).value_or(core::CalculatorInputs{});
    }
};

TEST_P(EverySavedFile, TheDefaultsAreTheGoldenFileAndEveryInputReadsBack) {
    ASSERT_TRUE(inputs().save(definition(), core::defaultInputs(definition())));
    EXPECT_EQ(test::readFileBytes(inputs().path().toStdString()),
              test::readGolden(definition().key + "/saved.dat"));
    ASSERT_TRUE(inputs().save(definition(), changedInputs()));
    EXPECT_EQ(inputs().load(definition()), changedInputs());
}

TEST_P(EverySavedFile, TheEarlierFilesLoadAsTheyAlwaysHave) {
    // The earlier layout: every positional field, then each choice's index on a line of its own;
    // and the document's lines alone, before any choice was saved.
    const core::CalculatorInputs changed = changedInputs();
    QByteArray indices;
    QByteArray positional;
    for (std::size_t f = 0; f < definition().positionalSavedFields; ++f) {
        positional += QByteArray::fromStdString(changed.fieldTexts[f]) + "\r\n";
    }
    for (const std::size_t choice : changed.choices) {
        indices += QByteArray::number(static_cast<qulonglong>(choice)) + "\r\n";
    }
    core::CalculatorInputs expected = changed;
    for (std::size_t f = definition().positionalSavedFields; f < expected.fieldTexts.size(); ++f) {
        expected.fieldTexts[f] = "0";
    }
    EXPECT_EQ(loaded(positional + indices), expected);
    expected.choices.assign(expected.choices.size(), 0);
    EXPECT_EQ(loaded(positional), expected);
}

TEST_P(EverySavedFile, AFieldAddedLaterNeverReadsAnotherLine) {
    // The same calculator with one more field after the others, saved by name: an earlier
    // file, choices' indices and all, leaves it at "0", and its own line finds it.
    core::CalculatorDefinition grown = definition();
    grown.fields.push_back({.name = "added", .defaultText = "0"});
    const core::CalculatorInputs changed = changedInputs();
    QByteArray named;
    for (const std::string& line : core::savedInputLines(definition(), changed)) {
        named += QByteArray::fromStdString(line) + "\r\n";
    }
    // The earlier layout: the fields held by position, then each choice's index.
    QByteArray indexed;
    for (std::size_t f = 0; f < definition().positionalSavedFields; ++f) {
        indexed += QByteArray::fromStdString(changed.fieldTexts[f]) + "\r\n";
    }
    for (const std::size_t choice : changed.choices) {
        indexed += QByteArray::number(static_cast<qulonglong>(choice)) + "\r\n";
    }
    for (const QByteArray& earlier : {named, indexed}) {
        writeRaw(earlier);
        const core::CalculatorInputs read = inputs().load(grown).value();
        EXPECT_EQ(read.fieldTexts.back(), "0");
        EXPECT_EQ(read.choices, changed.choices);
        writeRaw(earlier + "added=12.5\r\n");
        EXPECT_EQ(inputs().load(grown).value().fieldTexts.back(), "12.5");
    }
}

INSTANTIATE_TEST_SUITE_P(Registry, EverySavedFile, ::testing::ValuesIn(core::calculators()),
                         [](const auto& info) { return info.param->definition().key; });

} // namespace
} // namespace blachorys::io
