#pragma once

#include <dl_writer_ascii.h>

#include <string>

namespace blachorys::cnc {

/**
 * dxflib's ASCII writer into memory instead of a file, so that the bytes go through the
 * program's atomic save. DL_Dxf writes through DL_WriterA, whose every group is one of the
 * virtual calls below; the file the base class would open is none (an empty name opens
 * nothing). Reals are written with six decimals, trailing zeros dropped, the same on every
 * locale.
 */
class DxfMemoryWriter : public DL_WriterA {
public:
    explicit DxfMemoryWriter(DL_Codes::version version);

    void dxfReal(int gc, double value) const override;
    void dxfInt(int gc, int value) const override;
    void dxfHex(int gc, int value) const override;
    void dxfString(int gc, const char* value) const override;
    void dxfString(int gc, const std::string& value) const override;

    const std::string& bytes() const { return m_bytes; }

private:
    void group(int gc, const std::string& value) const;

    mutable std::string m_bytes;
};

/** A real as the writer writes it: "12.5", "-0.000001", "0.0". */
std::string dxfRealText(double value);

} // namespace blachorys::cnc
