#include "common/io/windows1250.h"

#include <gtest/gtest.h>

namespace blachorys::io {
namespace {

TEST(Windows1250, EncodesThePolishLettersAndDegreeSign) {
    EXPECT_EQ(toWindows1250(QString::fromUtf8("KRÓCCA [°] ąę")), QByteArray("KR\xD3"
                                                                            "CCA [\xB0] \xB9\xEA"));
    EXPECT_EQ(linesToWindows1250({"a", "Ó"}), QByteArray("a\r\n\xD3\r\n"));
}

TEST(Windows1250, PolishLettersRoundTrip) {
    const QString letters = QString::fromUtf8("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ°");
    const QByteArray bytes = toWindows1250(letters);
    EXPECT_EQ(bytes.size(), letters.size());
    EXPECT_EQ(fromWindows1250(bytes), letters);
    EXPECT_EQ(fromWindows1250("\xA3\xF3"
                              "d\x9F"),
              QString::fromUtf8("Łódź"));
}

TEST(Windows1250, EveryByteReadsBackAsItself) {
    QByteArray everyByte;
    for (int byte = 0; byte < 256; ++byte) {
        everyByte.append(static_cast<char>(byte));
    }
    const QString text = fromWindows1250(everyByte);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(toWindows1250(text), everyByte);
}

struct OutsideCase {
    const char* what;
    QString text;
    QByteArray bytes;
};

class Windows1250Outside : public ::testing::TestWithParam<OutsideCase> {};

// The same bytes on every system: a character the code page lacks is SUB, an invisible one is
// left out.
TEST_P(Windows1250Outside, WritesWhatTheFilesAlwaysHad) {
    EXPECT_EQ(toWindows1250(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Windows1250Outside,
    ::testing::Values(
        OutsideCase{"han", QString::fromUtf8("a中b"), QByteArray("a\x1A" "b")},
        OutsideCase{"latin_not_in_page", QString::fromUtf8("Àñ"), QByteArray("\x1A\x1A")},
        OutsideCase{"beyond_bmp", QString::fromUtf8("1😀2"), QByteArray("1\x1A" "2")},
        OutsideCase{"zero_width_space", QString::fromUtf8("1\u200B" "2"), QByteArray("12")},
        OutsideCase{"byte_order_mark", QString(QChar(0xFEFF)) + "5", QByteArray("5")},
        OutsideCase{"lone_low_surrogate", QString(QChar(0xDC00)) + "5", QByteArray("\x1A" "5")},
        OutsideCase{"unfinished_pair_at_end", "5" + QString(QChar(0xD83D)), QByteArray("5")},
        OutsideCase{"euro_and_undefined_byte", QString::fromUtf8("€") + QChar(0x81),
                    QByteArray("\x80\x81")},
        OutsideCase{"nul", QString(QChar(0)), QByteArray(1, '\0')}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
} // namespace blachorys::io
