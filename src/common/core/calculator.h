#pragma once

#include "common/core/dxftemplatewriter.h"
#include "common/core/pointreport.h"
#include "common/core/previewdrawing.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace blachorys::core {

/** Which characters a field's key filter lets through. */
enum class FieldFilter {
    PositiveReal,    ///< digits, one ".", backspace
    SignedReal,      ///< digits, one ".", one "-", backspace
    PositiveInteger, ///< digits, backspace
};

enum class FieldKind { Real, Integer };

/** A note shown beside the fields while one of them has the focus. */
struct FieldNote {
    /** The note's lines for each development (one entry when there is no selector). */
    std::vector<std::vector<std::string>> linesPerDevelopment;
};

struct FieldDefinition {
    std::string name; ///< without "Edit_": "Dm"
    std::string label;
    std::string unit;
    std::string defaultText;
    FieldFilter filter = FieldFilter::PositiveReal;
    FieldKind kind = FieldKind::Real;
    /** Short hint "|" long hint; without a bar both are the same. */
    std::string hint;
    std::optional<FieldNote> note;
};

struct DevelopmentDefinition {
    std::string key;        ///< for the command line: "mniejsza"
    std::string objectName; ///< the radio button: "RadioButRozwRurM"
    std::string caption;    ///< the radio button's text
    std::string schemeButtonCaption;
    std::string schemePicture; ///< resource name of the scheme picture
};

/** Everything fixed about a calculator: names, fields, texts and file names. */
struct CalculatorDefinition {
    std::string key;        ///< lower-case name key: "rurarura"
    std::string windowName; ///< object name of the window: "Rurarura"
    std::string windowClass;
    std::string caption;
    /** Prefix of the window's component names ("RS" gives "RSZapiszWyniki"). */
    std::string componentPrefix;
    std::string resultsMemoName;
    std::string noteMemoName;
    std::vector<FieldDefinition> fields; ///< in creation order (saved-input and reading order)
    std::vector<std::size_t> tabOrder;   ///< indexes into fields
    std::vector<DevelopmentDefinition> developments;
    std::string schemeButtonCaption; ///< used when there is no development selector
    std::string savedInputsFileName;
    std::string txtFileName;
    std::string dxfFileName;
    std::string printJobTitle;
    std::string printHeading;
    std::string previewClass;
    std::string previewCaption;
};

enum class MessageKind { Warning, Error };

/** A message the window shows in its own box and the command line prints. */
struct Message {
    MessageKind kind = MessageKind::Warning;
    std::string text;
    friend bool operator==(const Message&, const Message&) = default;
};

/** The plain data every output reads: memo, TXT, printout, DXF, preview. */
struct CalculationOutputs {
    PointReport report;
    std::vector<DxfLine> dxfLines;
    PreviewDrawing preview;
};

struct CalculationResult {
    enum class Status {
        Calculated, ///< outputs are valid
        Refused,    ///< the inputs failed a check; messages say which
        Failed,     ///< the inputs passed but the construction failed; messages say why
    };
    Status status = Status::Refused;
    std::vector<Message> messages;
    std::optional<CalculationOutputs> outputs;
};

/** One calculator: its definition and its calculation from field texts. */
class Calculator {
public:
    virtual ~Calculator() = default;
    virtual const CalculatorDefinition& definition() const = 0;
    /**
     * Runs the calculation on the fields' texts (in creation order) for the development at
     * `developmentIndex`. Texts that are not numbers count as "0", as the window's first pass
     * makes them. `dateText` goes into the report's footer.
     */
    virtual CalculationResult calculate(const std::vector<std::string>& fieldTexts,
                                        std::size_t developmentIndex,
                                        const std::string& dateText) const = 0;
};

/** Backspace, the one control character the key filters let through. */
inline constexpr char32_t kBackspace = 8;

/**
 * Whether a field's key filter lets `character` through, given the field's current text
 * (not its selection: a "." typed over a selected "." is refused).
 */
bool keyFilterAccepts(FieldFilter filter, const std::string& currentText, char32_t character);

/** The window's first pass: every text that is not a real number becomes "0". */
std::vector<std::string> replaceNonNumbers(std::vector<std::string> fieldTexts);

/** The field texts after the first pass, read as numbers by their index in creation order. */
class FieldValues {
public:
    explicit FieldValues(std::vector<std::string> texts) : m_texts(std::move(texts)) {}
    /** A field's value as a real (every text is a real number after the first pass). */
    double real(std::size_t field) const;
    /** An integer field's value; readFields has made sure it is a whole number. */
    int integer(std::size_t field) const;

private:
    std::vector<std::string> m_texts;
};

struct FieldReading {
    FieldValues values;
    /** Set when an integer field holds no whole number ("24.5"): the calculation stops. */
    std::optional<Message> refusal;
};

/**
 * Reads the fields as "Licz" does: the first pass (missing texts count as empty), then every
 * integer field must convert to a whole number, or the reading is refused with an error
 * message naming the text.
 */
FieldReading readFields(const CalculatorDefinition& definition,
                        const std::vector<std::string>& fieldTexts);

/** Inputs refused by the case's checks: one warning per failed check, in order. */
CalculationResult refusedResult(const std::vector<std::string>& warnings);
/** Inputs refused before the checks (a field that cannot be read). */
CalculationResult refusedResult(Message message);
/** Inputs that passed the checks but could not be calculated: one error message. */
CalculationResult failedResult(std::string errorText);
CalculationResult calculatedResult(CalculationOutputs outputs);

/** The construction overflowed: some number of the pattern is not finite. */
inline constexpr const char* kDataTooLargeMessage =
    "Blad obliczen. Prawdopodobnie dane sa zbyt duze.";

/** Short part of a hint (before "|"), or the whole hint. */
std::string shortHint(const std::string& hint);
/** Long part of a hint (after "|"), or the whole hint. */
std::string longHint(const std::string& hint);

} // namespace blachorys::core
