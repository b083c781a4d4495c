#include "common/cnc/cncdxf.h"

#include "common/cnc/dxfmemorywriter.h"

#include <dl_dxf.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace blachorys::cnc {
namespace {

/** AutoCAD Colour Index of each layer, the layer's entities by layer. */
constexpr int kCutColour = 7;
constexpr int kMarkingColour = 3;
constexpr int kTextColour = 5;
constexpr int kBevelColour = 30;
constexpr int kByLayer = 256;
constexpr int kDefaultLineweight = -3;
constexpr int kLineweightByLayer = -1;
/** INSUNITS: millimetres; MEASUREMENT: metric. */
constexpr int kMillimetres = 4;
constexpr int kMetric = 1;
/** The polyline's flag: closed. */
constexpr int kClosed = 1;
const char* const kTextStyle = "Standard";

DL_Attributes onLayer(const char* layer) {
    return DL_Attributes(layer, kByLayer, kLineweightByLayer, "BYLAYER", 1.0);
}

void headerVariable(DL_WriterA& w, const char* name, int code, int value) {
    w.dxfString(9, name);
    w.dxfInt(code, value);
}

void headerPoint(DL_WriterA& w, const char* name, core::PatternPoint p) {
    w.dxfString(9, name);
    w.dxfReal(10, p.x);
    w.dxfReal(20, p.y);
    w.dxfReal(30, 0.0);
}

/**
 * dxflib writes $ACADVER and $HANDSEED; the units and the extent, which it has no call for,
 * are written by hand through its writer.
 */
void writeHeader(DL_Dxf& dxf, DL_WriterA& w, const core::CncDrawing& drawing) {
    dxf.writeHeader(w);
    headerVariable(w, "$INSUNITS", 70, kMillimetres);
    headerVariable(w, "$MEASUREMENT", 70, kMetric);
    headerPoint(w, "$EXTMIN", drawing.extentMin);
    headerPoint(w, "$EXTMAX", drawing.extentMax);
    w.sectionEnd();
}

/**
 * The active viewport, as dxflib's writeVPort writes it, but looking at the drawing's view:
 * dxflib's own has a fixed centre and height (an A4 sheet at the origin), and a viewer opens
 * the file there.
 */
void writeViewport(DL_WriterA& w, const core::CncDrawing& drawing, bool r2000) {
    constexpr int kVportTableHandle = 0x8;
    const double height = std::max(drawing.viewSize.y, 1.0);
    const double aspect = std::max(drawing.viewSize.x, 1.0) / height;
    w.table("VPORT", 1, kVportTableHandle);
    w.dxfString(0, "VPORT");
    if (r2000) {
        w.handle();
        w.dxfString(100, "AcDbSymbolTableRecord");
        w.dxfString(100, "AcDbViewportTableRecord");
    }
    w.dxfString(2, "*Active");
    w.dxfInt(70, 0);
    const std::pair<int, double> reals[] = {{10, 0.0},
                                            {20, 0.0},
                                            {11, 1.0},
                                            {21, 1.0}, // the screen's corners
                                            {12, drawing.viewSize.x / 2},
                                            {22, drawing.viewSize.y / 2}, // the view's centre
                                            {13, 0.0},
                                            {23, 0.0},
                                            {14, 10.0},
                                            {24, 10.0},
                                            {15, 10.0},
                                            {25, 10.0}, // snap, grid
                                            {16, 0.0},
                                            {26, 0.0},
                                            {36, 1.0},
                                            {17, 0.0},
                                            {27, 0.0},
                                            {37, 0.0}, // direction, target
                                            {40, height},
                                            {41, aspect},
                                            {42, 50.0},
                                            {43, 0.0},
                                            {44, 0.0},
                                            {50, 0.0},
                                            {51, 0.0}};
    for (const auto& [code, value] : reals) {
        w.dxfReal(code, value);
    }
    const std::pair<int, int> flags[] = {{71, 0}, {72, 100}, {73, 1}, {74, 3},
                                         {75, 1}, {76, 1},   {77, 0}, {78, 0}};
    for (const auto& [code, value] : flags) {
        w.dxfInt(code, value);
    }
    if (r2000) {
        w.dxfInt(281, 0);
        w.dxfInt(65, 1);
        const std::pair<int, double> ucs[] = {{110, 0.0}, {120, 0.0}, {130, 0.0},
                                              {111, 1.0}, {121, 0.0}, {131, 0.0},
                                              {112, 0.0}, {122, 1.0}, {132, 0.0}};
        for (const auto& [code, value] : ucs) {
            w.dxfReal(code, value);
        }
        w.dxfInt(79, 0);
        w.dxfReal(146, 0.0);
    }
    w.tableEnd();
}

/** The tables, then the blocks: the layouts' and, named `blocks`, those of `contents`. */
void writeTables(DL_Dxf& dxf, DL_WriterA& w, const core::CncDrawing& drawing, bool r2000,
                 const std::vector<std::string>& blocks = {},
                 const std::function<void(std::size_t)>& contents = {}) {
    w.sectionTables();
    writeViewport(w, drawing, r2000);
    // dxflib leaves BYBLOCK and BYLAYER out of an R12 file itself.
    w.tableLinetypes(r2000 ? 3 : 1);
    dxf.writeLinetype(w, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(w, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(w, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    w.tableEnd();
    std::vector<std::pair<const char*, int>> layers = {{"0", 7},
                                                       {kCutLayer, kCutColour},
                                                       {kMarkingLayer, kMarkingColour},
                                                       {kTextLayer, kTextColour}};
    if (!drawing.bevels.empty()) {
        layers.emplace_back(kBevelLayer, kBevelColour);
    }
    w.tableLayers(static_cast<int>(layers.size()));
    for (const auto& [name, colour] : layers) {
        dxf.writeLayer(w, DL_LayerData(name, 0),
                       DL_Attributes("", colour, kDefaultLineweight, "CONTINUOUS", 1.0));
    }
    w.tableEnd();
    w.tableStyle(1);
    dxf.writeStyle(
        w, DL_StyleData(kTextStyle, 0, 0.0, 1.0, 0.0, 0, core::kCncLabelHeightMm, "txt", ""));
    w.tableEnd();
    dxf.writeView(w);
    dxf.writeUcs(w);
    w.tableAppid(1);
    dxf.writeAppid(w, "ACAD");
    w.tableEnd();
    dxf.writeDimStyle(w, 2.5, 1.25, 0.625, 0.625, 2.5);
    if (r2000) {
        // An R12 file has no block records, blocks for the layouts or objects.
        dxf.writeBlockRecord(w);
        for (const std::string& name : blocks) {
            dxf.writeBlockRecord(w, name);
        }
        w.tableEnd();
    }
    w.sectionEnd();
    if (r2000 || !blocks.empty()) {
        w.sectionBlocks();
        if (r2000) {
            dxf.writeBlock(w, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
            dxf.writeEndBlock(w, "*Model_Space");
            dxf.writeBlock(w, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
            dxf.writeEndBlock(w, "*Paper_Space");
        }
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            dxf.writeBlock(w, DL_BlockData(blocks[b], 0, 0.0, 0.0, 0.0));
            contents(b);
            dxf.writeEndBlock(w, blocks[b]);
        }
        w.sectionEnd();
    }
}

void writeCuts(DL_Dxf& dxf, DL_WriterA& w, const std::vector<core::CncCut>& cuts) {
    for (const core::CncCut& cut : cuts) {
        dxf.writePolyline(w, DL_PolylineData(static_cast<int>(cut.points.size()), 0, 0, kClosed),
                          onLayer(kCutLayer));
        for (const core::PatternPoint& p : cut.points) {
            dxf.writeVertex(w, DL_VertexData(p.x, p.y, 0.0, 0.0));
        }
        dxf.writePolylineEnd(w);
    }
}

void writeMarkings(DL_Dxf& dxf, DL_WriterA& w, const std::vector<core::CncMarking>& markings,
                   const char* layer = kMarkingLayer) {
    for (const core::CncMarking& m : markings) {
        dxf.writeLine(w, DL_LineData(m.from.x, m.from.y, 0.0, m.to.x, m.to.y, 0.0), onLayer(layer));
    }
}

void writeTexts(DL_Dxf& dxf, DL_WriterA& w, const std::vector<core::CncText>& texts) {
    for (const core::CncText& t : texts) {
        dxf.writeText(w,
                      DL_TextData(t.at.x, t.at.y, 0.0, 0.0, 0.0, 0.0, t.height, 1.0, 0, 0, 0,
                                  dxfText(t.text), kTextStyle, 0.0),
                      onLayer(kTextLayer));
    }
}

void writeEntities(DL_Dxf& dxf, DL_WriterA& w, const core::CncDrawing& drawing) {
    w.sectionEntities();
    writeCuts(dxf, w, drawing.cuts);
    writeMarkings(dxf, w, drawing.markings);
    writeMarkings(dxf, w, drawing.bevels, kBevelLayer);
    writeTexts(dxf, w, drawing.texts);
    w.sectionEnd();
}

/** The next code point of UTF-8 text at `i`, or U+FFFD for a broken sequence. */
char32_t nextCodePoint(const std::string& s, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i++);
    const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (more < 0) {
        return 0xFFFD;
    }
    char32_t code = lead & (0x3F >> more);
    for (int k = 0; k < more; ++k) {
        if (i >= s.size() || (byte(i) & 0xC0) != 0x80) {
            return 0xFFFD;
        }
        code = (code << 6) | (byte(i++) & 0x3F);
    }
    return code;
}

/**
 * The ASCII twin of a typographic character, or nothing: dashes, quotes and spaces that a
 * reader without the glyph shows as a box, and a plain character says as well.
 */
const char* asciiTwin(char32_t code) {
    switch (code) {
    case 0x00A0: // no-break space
        return " ";
    case 0x2010: // hyphen
    case 0x2011: // non-breaking hyphen
    case 0x2012: // figure dash
    case 0x2013: // en dash
    case 0x2014: // em dash
    case 0x2015: // horizontal bar
    case 0x2212: // minus sign
        return "-";
    case 0x2018:
    case 0x2019:
        return "'";
    case 0x201C:
    case 0x201D:
    case 0x201E:
        return "\"";
    case 0x2026:
        return "...";
    default:
        return nullptr;
    }
}

} // namespace

std::string dxfText(const std::string& utf8) {
    std::string text;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            text += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
            ++i;
            continue;
        }
        const char32_t code = nextCodePoint(utf8, i);
        if (const char* twin = asciiTwin(code)) {
            text += twin;
            continue;
        }
        char escape[16];
        std::snprintf(escape, sizeof escape, "\\U+%04X", static_cast<unsigned>(code));
        text += escape;
    }
    return text;
}

std::string cncDxfBytes(const core::CncDrawing& drawing, DxfVersion version) {
    const DL_Codes::version release = version == DxfVersion::R12 ? DL_VERSION_R12 : DL_VERSION_2000;
    DL_Dxf dxf;
    // out() is the only way to give DL_Dxf the release its entities are written for; with no
    // file name it opens nothing and returns no writer.
    std::unique_ptr<DL_WriterA>(dxf.out("", release));
    DxfMemoryWriter w(release);
    writeHeader(dxf, w, drawing);
    writeTables(dxf, w, drawing, version == DxfVersion::R2000);
    writeEntities(dxf, w, drawing);
    if (version == DxfVersion::R2000) {
        dxf.writeObjects(w);
        dxf.writeObjectsEnd(w);
    }
    w.dxfEOF();
    return w.bytes();
}

namespace {

/** The room between two plates side by side, and round them all, per mm of a plate's width. */
constexpr double kPlateSpacingPerWidth = 0.2;

std::vector<core::CncMarking> plateBorder(double length, double width) {
    const core::PatternPoint corners[] = {{0, 0}, {length, 0}, {length, width}, {0, width}};
    std::vector<core::CncMarking> border;
    for (std::size_t k = 0; k < 4; ++k) {
        border.push_back({corners[k], corners[(k + 1) % 4]});
    }
    return border;
}

} // namespace

std::string nestingDxfBytes(const core::NestingDrawing& nesting, DxfVersion version) {
    const DL_Codes::version release = version == DxfVersion::R12 ? DL_VERSION_R12 : DL_VERSION_2000;
    DL_Dxf dxf;
    std::unique_ptr<DL_WriterA>(dxf.out("", release));
    DxfMemoryWriter w(release);
    // The plates one above the other, each an insert of its own block at its place.
    const double step = nesting.widthMm * (1 + kPlateSpacingPerWidth);
    const double margin = nesting.widthMm * kPlateSpacingPerWidth;
    const auto count = static_cast<double>(nesting.sheets.size());
    core::CncDrawing extent;
    extent.extentMin = {-margin, -margin};
    extent.extentMax = {nesting.lengthMm + margin, step * count};
    extent.viewSize = {nesting.lengthMm + 2 * margin, step * count + margin};
    std::vector<std::string> blocks;
    for (std::size_t p = 0; p < nesting.sheets.size(); ++p) {
        blocks.push_back("ARKUSZ_" + std::to_string(p + 1));
    }
    const auto border = plateBorder(nesting.lengthMm, nesting.widthMm);
    writeHeader(dxf, w, extent);
    writeTables(dxf, w, extent, version == DxfVersion::R2000, blocks, [&](std::size_t p) {
        const core::NestedSheet& sheet = nesting.sheets[p];
        writeCuts(dxf, w, sheet.cuts);
        writeMarkings(dxf, w, sheet.markings);
        writeMarkings(dxf, w, border, kTextLayer);
        writeMarkings(dxf, w, sheet.leaders, kTextLayer);
        writeTexts(dxf, w, sheet.texts);
    });
    w.sectionEntities();
    for (std::size_t p = 0; p < blocks.size(); ++p) {
        dxf.writeInsert(w,
                        DL_InsertData(blocks[p], 0.0, step * static_cast<double>(p), 0.0, 1.0, 1.0,
                                      1.0, 0.0, 1, 1, 0.0, 0.0),
                        DL_Attributes("0", kByLayer, kLineweightByLayer, "BYLAYER", 1.0));
    }
    w.sectionEnd();
    if (version == DxfVersion::R2000) {
        dxf.writeObjects(w);
        dxf.writeObjectsEnd(w);
    }
    w.dxfEOF();
    return w.bytes();
}

} // namespace blachorys::cnc
