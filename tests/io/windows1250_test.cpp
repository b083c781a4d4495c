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

} // namespace
} // namespace blachorys::io
