#include "common/io/windows1250.h"

#include <algorithm>
#include <array>
#include <utility>

namespace blachorys::io {
namespace {

/**
 * The characters of bytes 0x80 to 0xFF; bytes below 0x80 are ASCII. The program carries its
 * own table instead of asking Qt for the code page: Qt on Windows has no Windows-1250
 * converter of its own, and the files must be the same bytes on every system. The five bytes
 * the code page leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) stand for the C1 control of
 * the same number, so that any byte read back is written back unchanged.
 */
constexpr std::array<char16_t, 128> kHighHalf = {
    u'\x20AC', u'\x0081', u'\x201A', u'\x0083', u'\x201E', u'\x2026', u'\x2020', u'\x2021',
    u'\x0088', u'\x2030', u'\x0160', u'\x2039', u'\x015A', u'\x0164', u'\x017D', u'\x0179',
    u'\x0090', u'\x2018', u'\x2019', u'\x201C', u'\x201D', u'\x2022', u'\x2013', u'\x2014',
    u'\x0098', u'\x2122', u'\x0161', u'\x203A', u'\x015B', u'\x0165', u'\x017E', u'\x017A',
    u'\x00A0', u'\x02C7', u'\x02D8', u'\x0141', u'\x00A4', u'\x0104', u'\x00A6', u'\x00A7',
    u'\x00A8', u'\x00A9', u'\x015E', u'\x00AB', u'\x00AC', u'\x00AD', u'\x00AE', u'\x017B',
    u'\x00B0', u'\x00B1', u'\x02DB', u'\x0142', u'\x00B4', u'\x00B5', u'\x00B6', u'\x00B7',
    u'\x00B8', u'\x0105', u'\x015F', u'\x00BB', u'\x013D', u'\x02DD', u'\x013E', u'\x017C',
    u'\x0154', u'\x00C1', u'\x00C2', u'\x0102', u'\x00C4', u'\x0139', u'\x0106', u'\x00C7',
    u'\x010C', u'\x00C9', u'\x0118', u'\x00CB', u'\x011A', u'\x00CD', u'\x00CE', u'\x010E',
    u'\x0110', u'\x0143', u'\x0147', u'\x00D3', u'\x00D4', u'\x0150', u'\x00D6', u'\x00D7',
    u'\x0158', u'\x016E', u'\x00DA', u'\x0170', u'\x00DC', u'\x00DD', u'\x0162', u'\x00DF',
    u'\x0155', u'\x00E1', u'\x00E2', u'\x0103', u'\x00E4', u'\x013A', u'\x0107', u'\x00E7',
    u'\x010D', u'\x00E9', u'\x0119', u'\x00EB', u'\x011B', u'\x00ED', u'\x00EE', u'\x010F',
    u'\x0111', u'\x0144', u'\x0148', u'\x00F3', u'\x00F4', u'\x0151', u'\x00F6', u'\x00F7',
    u'\x0159', u'\x016F', u'\x00FA', u'\x0171', u'\x00FC', u'\x00FD', u'\x0163', u'\x02D9',
};

/** What a character outside the code page becomes: SUB, one byte per character. */
constexpr char kSubstitute = '\x1A';

/**
 * Characters Unicode marks as default-ignorable (zero-width spaces and joiners, direction
 * marks, variation selectors, tags): they show nothing, so they are left out rather than
 * written as SUB, as the files of earlier versions have them.
 */
constexpr std::array<std::pair<char32_t, char32_t>, 16> kIgnorable = {{
    {0x034F, 0x034F}, {0x061C, 0x061C}, {0x115F, 0x1160}, {0x17B4, 0x17B5}, {0x180B, 0x180F},
    {0x200B, 0x200F}, {0x202A, 0x202E}, {0x2060, 0x206F}, {0x3164, 0x3164}, {0xFE00, 0xFE0F},
    {0xFEFF, 0xFEFF}, {0xFFA0, 0xFFA0}, {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A},
    {0xE0000, 0xE0FFF},
}};

bool isIgnorable(char32_t character) {
    return std::any_of(kIgnorable.begin(), kIgnorable.end(), [character](const auto& range) {
        return range.first <= character && character <= range.second;
    });
}

void appendEncoded(QByteArray& bytes, char32_t character) {
    if (character < 0x80) {
        bytes.append(static_cast<char>(character));
        return;
    }
    if (isIgnorable(character)) {
        return;
    }
    const auto found = std::find(kHighHalf.begin(), kHighHalf.end(), character);
    bytes.append(found == kHighHalf.end() ? kSubstitute
                                          : static_cast<char>(0x80 + (found - kHighHalf.begin())));
}

} // namespace

QByteArray toWindows1250(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    // By code point: a character beyond U+FFFF (a surrogate pair) is one character. A surrogate
    // without its partner is one SUB, except a first half that ends the text, which is left
    // out as unfinished.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 == text.size()) {
            break;
        }
        if (unit.isHighSurrogate() && text[i + 1].isLowSurrogate()) {
            appendEncoded(bytes, QChar::surrogateToUcs4(unit, text[i + 1]));
            ++i;
        } else if (unit.isSurrogate()) {
            bytes.append(kSubstitute);
        } else {
            appendEncoded(bytes, unit.unicode());
        }
    }
    return bytes;
}

QString fromWindows1250(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        text.append(code < 0x80 ? QChar(code) : QChar(kHighHalf[code - 0x80]));
    }
    return text;
}

QByteArray linesToWindows1250(const std::vector<std::string>& utf8Lines) {
    QString text;
    for (const auto& line : utf8Lines) {
        text += QString::fromStdString(line);
        text += QStringLiteral("\r\n");
    }
    return toWindows1250(text);
}

} // namespace blachorys::io
