#include "common/cnc/dxfmemorywriter.h"

#include <charconv>
#include <cstdio>

namespace blachorys::cnc {

DxfMemoryWriter::DxfMemoryWriter(DL_Codes::version version) : DL_WriterA("", version) {}

std::string dxfRealText(double value) {
    char buffer[400];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    std::string text(buffer, written.ptr);
    const auto point = text.find('.');
    if (point != std::string::npos) {
        while (text.back() == '0' && text.size() > point + 2) {
            text.pop_back();
        }
    }
    return text == "-0.0" ? "0.0" : text;
}

void DxfMemoryWriter::group(int gc, const std::string& value) const {
    char code[16];
    std::snprintf(code, sizeof code, "%3d\n", gc);
    m_bytes += code;
    m_bytes += value;
    m_bytes += '\n';
}

void DxfMemoryWriter::dxfReal(int gc, double value) const {
    group(gc, dxfRealText(value));
}

void DxfMemoryWriter::dxfInt(int gc, int value) const {
    group(gc, std::to_string(value));
}

void DxfMemoryWriter::dxfHex(int gc, int value) const {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
    group(gc, text);
}

void DxfMemoryWriter::dxfString(int gc, const char* value) const {
    group(gc, value == nullptr ? std::string() : std::string(value));
}

void DxfMemoryWriter::dxfString(int gc, const std::string& value) const {
    group(gc, value);
}

} // namespace blachorys::cnc
