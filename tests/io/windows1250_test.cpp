#include "common/io/windows1250.h"

#include <gtest/gtest.h>

namespace blachorys::io {
namespace {

TEST(Windows1250, EncodesThePolishLettersAndDegreeSign) {
    EXPECT_EQ(toWindows1250(QString::fromUtf8("KRÓCCA [°] ąę")),
              QByteArray("KR\xD3" "CCA [\xB0] \xB9\xEA"));
    EXPECT_EQ(linesToWindows1250({"a", "Ó"}), QByteArray("a\r\n\xD3\r\n"));
}

} // namespace
} // namespace blachorys::io
