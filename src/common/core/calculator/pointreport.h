#pragma once

#include "common/core/base/numbertext.h"

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace blachorys::core {

/** Characters a header or result line holds; a longer line is cut. */
inline constexpr int kReportLineCapacity = 100;
/** Characters a footer line holds. */
inline constexpr int kFooterLineCapacity = 80;

/** The caption before the sheet's size, the last lines of every results section. */
inline constexpr const char* kSheetCaption = "Gabaryty arkusza blachy :";

/**
 * What a case's report says above its results; every case's header has this shape: the title,
 * a rule, "DANE :", the input lines, the wall lines, a rule, the results caption.
 */
struct ReportHeading {
    std::string title; ///< "Rozwiniecie RURA - RURA"
    int titleRule = 0; ///< the "-" under the title
    /** The inputs, name " = " value [unit], items separated by " , ". */
    std::vector<std::string> inputLines;
    /** The walls and how the parts are made, after the inputs; none without a thickness. */
    std::vector<std::string> wallLines;
    int inputsRule = 0; ///< the "-" under the inputs
    /** "WYNIKI : " with its trailing space, or "WYNIKI :". */
    bool captionSpace = false;
};

/** The end of a results section: a rule, the sheet caption and the sheet's size. */
struct ReportSheet {
    int rule = 0;
    /** "942.5 x 506.4"; the elbow's names both of its patterns. */
    std::string size;
};

/**
 * A calculation's report, by its parts: the heading that repeats the inputs, the results shown
 * in the memo (their body, then the sheet), and the footer every calculator shares. Text is
 * UTF-8; files get it in Windows-1250. Every part is cut to its line's capacity.
 */
struct PointReport {
    ReportHeading heading;
    /** The results before the sheet: the development's title, the points, outline blocks. */
    std::vector<std::string> resultBody;
    ReportSheet sheet;
    /** "Obliczenia wykonano w dniu : <date> programem - Blachorys" */
    std::string dateLine;
    /** The maker's web line, the report's last. */
    std::string makerLine;
    /**
     * What the outputs that are cut along (the full-scale template's first page, the cutting
     * table's DXF) say beside the report, and the report's file does not: where their exact
     * lines leave the point table.
     */
    std::vector<std::string> cutNotes;
    /**
     * What the job is cut from, after the sheet: each piece with its count, area and mass, the
     * plates it takes; none unless a plate thickness is given.
     */
    std::vector<std::string> materialList;
    /**
     * The welded edges' preparation, after the sheet: the choice and its sizes, then ψ, the
     * tilt and where the cut leaves each face at every point; none for a square cut.
     */
    std::vector<std::string> edgeTable;
    /**
     * Some header or result line was longer than its capacity and has been cut: a number in it
     * may be cut short and read as another. Only values far beyond any sheet are that long.
     */
    bool linesCut = false;

    /** The header in file order. */
    std::vector<std::string> headerLines() const;
    /** The results section in file order. */
    std::vector<std::string> resultLines() const;
    /**
     * What the window's memo and the command line show: the results, after the header's wall
     * lines under their rule where a wall has a thickness, so that what the typed sizes mean
     * and the surface developed stand beside the points.
     */
    std::vector<std::string> memoLines() const;
    /** An empty line, a rule of "=", the date line, the maker's line. */
    std::array<std::string, 4> footerLines() const;
    /** Header and results in file order: what a printout prints line by line. */
    std::vector<std::string> bodyLines() const;
    /** Header, results and footer in file order. */
    std::vector<std::string> allLines() const;
    /** The sheet's caption and size on one line: "Gabaryty arkusza blachy : 942.5 x 506.4". */
    std::string sheetLine() const;
};

/**
 * The report of a case's heading, result body and sheet, each line cut to its capacity, with
 * the footer dated `dateText` (the day of the calculation, already formatted).
 */
PointReport makePointReport(ReportHeading heading, std::vector<std::string> resultBody,
                            ReportSheet sheet, std::string_view dateText);

/** A label and the number that follows it, aligned to 8: "     h=" and 353.6. */
struct LabelledValue {
    std::string_view label;
    double value = 0.0;
};

/** Each label followed by its value aligned to 8: "a : X=     0.0     Y=     0.0". */
std::string labelledValues(std::initializer_list<LabelledValue> values);

/**
 * A numbered point line: the number aligned to 3, then `gap`, then the labelled values:
 * "  0   L=     0.0     h=   353.6" (gap of three spaces, labels "L=" and "     h=").
 */
std::string pointLine(int number, std::string_view gap,
                      std::initializer_list<LabelledValue> values);

/** The sheet of `width` × `height` under a rule of `ruleLength` "-". */
ReportSheet sheetOf(int ruleLength, double width, double height);

/**
 * The title line of a cutting table's file: the calculator's heading, the report's input and wall
 * lines, its notes for the cut and its date line: "Rozwiniecie STOZKA ; Dsm = 200.0 [mm] , ... ;
 * Obliczenia wykonano w dniu : 8-12-2026 programem - Blachorys".
 */
std::string cncTitleLine(const std::string& heading, const PointReport& report);

} // namespace blachorys::core
