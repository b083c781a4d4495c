#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace blachorys::core {

/** Which characters a field's key filter lets through. */
enum class FieldFilter {
    PositiveReal,    ///< digits, one ".", backspace
    SignedReal,      ///< digits, one ".", one "-", backspace
    PositiveInteger, ///< digits, backspace
    Unfiltered,      ///< every key, as the cone-pipe window's P field takes it
};

enum class FieldKind { Real, Integer };

/** A note shown beside the fields while one of them has the focus. */
struct FieldNote {
    /** The note's lines for each development (one entry when there is no selector). */
    std::vector<std::vector<std::string>> linesPerDevelopment;
    /**
     * Fields, by name, any of which holding a number other than 0 shows `otherLines` instead
     * (the branch's diameters mean another thing once a wall thickness is given).
     */
    std::vector<std::string> otherWhenNonZero;
    std::vector<std::vector<std::string>> otherLinesPerDevelopment;
};

struct FieldDefinition {
    std::string name; ///< without "Edit_": "Dm"
    std::string label;
    std::string unit;
    std::string defaultText;
    FieldFilter filter = FieldFilter::PositiveReal;
    /** Short hint "|" long hint; without a bar both are the same. */
    std::string hint;
    std::optional<FieldNote> note;
    /** Set from the inputs member the field is read into. */
    FieldKind kind = FieldKind::Real;
};

struct DevelopmentDefinition {
    std::string key;        ///< for the command line: "mniejsza"
    std::string objectName; ///< the radio button: "RadioButRozwRurM"
    std::string caption;    ///< the radio button's text
    std::string schemeButtonCaption;
    std::string schemePicture; ///< the scheme picture: "w_rr_r"
};

/** One choice of a selector: a radio button. */
struct ChoiceDefinition {
    std::string key;        ///< for the command line: "set-on"
    std::string objectName; ///< the radio button: "RadioButNakladany"
    std::string caption;    ///< the radio button's text
};

/**
 * A choice the inputs hold besides the fields' numbers and the development: a group of radio
 * buttons below the fields. Saved after the fields, as "name=key".
 */
struct SelectorDefinition {
    std::string name;                      ///< for the command line, "--" before it: "joint"
    std::string caption;                   ///< the group's title
    std::string hint;                      ///< short "|" long, as a field's
    std::vector<ChoiceDefinition> choices; ///< the first one is the default
    /**
     * Fields, by name, that must hold a number other than 0 (any one of them) for the choice to
     * change anything; while none does, the window disables the choice. Empty: it always acts.
     */
    std::vector<std::string> activeWhenNonZero;
};

/** How the note memo beside the fields behaves. */
enum class NoteStyle {
    /** Cleared, filled with the focused field's lines, caret moved to the start. */
    Refilled,
    /** Cleared and filled, but neither caret nor scroll position moved. */
    RefilledUnscrolled,
    /** One fixed text, filled once; focus only shows and hides it. */
    Fixed,
};

/** Names of a calculator window's components, where the windows name them differently. */
struct ComponentNames {
    std::string calculateButton = "Button1";
    std::string resultsMemo;
    std::string noteMemo;
    std::string statusBar;
    std::string schemeButton;
    /** The output buttons and the results box: prefix + "ZapiszWyniki", "Wyniki" and so on. */
    std::string outputPrefix;
};

/** Components named by the common pattern: a case prefix before every role's name. */
ComponentNames prefixedComponentNames(const std::string& prefix);

/** What only a calculator's window reads: its names, pictures and captions. */
struct WindowDefinition {
    std::string formName; ///< object name of the window; its capitals are the name key
    std::string caption;
    std::string menuCaption;
    std::string menuHandler; ///< object name of the menu action: its handler's name
    ComponentNames components;
    NoteStyle noteStyle = NoteStyle::Refilled;
    std::string jointPicture; ///< resource path of the picture of the joint
    int jointPictureWidth = 318;
    int jointPictureHeight = 330;
    /** Scheme button caption and picture when there is no development selector. */
    std::string schemeButtonCaption;
    std::string schemePicture;
    std::string previewName; ///< object name of the preview window: "TWynikiRysunek"
    std::string previewCaption;
    /** Preview windows are made at start-up in this order (0 first, before the information window).
     */
    int previewStartupOrder = 0;
};

/** A named set of inputs worth calculating: samples, renderings, benchmarks, sweeps. */
struct ExampleInputs {
    std::string name;
    std::string development; ///< development key; empty for the first (or only) one
    /** Field name and text, or selector name and choice key; the others keep their defaults. */
    std::vector<std::pair<std::string, std::string>> fieldTexts;
};

/** Everything fixed about a calculator: names, fields, texts and file names. */
struct CalculatorDefinition {
    std::string key;                     ///< command-line name, lower case
    std::vector<FieldDefinition> fields; ///< in creation order (saved-input and reading order)
    std::vector<std::string> tabOrder;   ///< field names, in the order Tab walks them
    std::vector<DevelopmentDefinition> developments; ///< empty: no selector
    /** Other choices of the inputs, below the fields. */
    std::vector<SelectorDefinition> selectors;
    /** The most parts N may divide the pattern into. */
    int largestN = 0;
    std::string savedInputsFileName;
    /**
     * How many fields, from the first, the saved-input file holds one per line by position, as
     * its files have always held them; the fields after them and every selector's choice follow
     * as "name=value" lines, so that a field added later never reads another's line.
     */
    std::size_t positionalSavedFields = 0;
    std::string txtFileName;
    std::string dxfFileName;
    std::string printJobTitle;
    std::string printHeading;
    WindowDefinition window;
    std::vector<ExampleInputs> examples;
    /** A development's cut is welded to another part: the window offers its edge's preparation. */
    bool weldedCut = false;
    /**
     * For each development (one entry where there are none), the field that places its rolled
     * piece's longitudinal seam; empty where the seam stays where the construction puts it.
     */
    std::vector<std::string> seamFields;
};

/** The index of the field of this name in creation order, or nothing. */
std::optional<std::size_t> fieldIndex(const CalculatorDefinition& definition,
                                      const std::string& name);

/** The index of the development of this key, or nothing; "" is the first one. */
std::optional<std::size_t> developmentIndex(const CalculatorDefinition& definition,
                                            const std::string& key);

/** The index of the selector's choice of this key, or nothing. */
std::optional<std::size_t> choiceIndex(const SelectorDefinition& selector, const std::string& key);

/** The index of the selector of this name, or nothing. */
std::optional<std::size_t> selectorIndex(const CalculatorDefinition& definition,
                                         const std::string& name);

/** What a calculator is given: each field's text and each selector's choice. */
struct CalculatorInputs {
    std::vector<std::string> fieldTexts; ///< one per field, in creation order
    std::vector<std::size_t> choices;    ///< one per selector: the index of its choice
    friend bool operator==(const CalculatorInputs&, const CalculatorInputs&) = default;
};

/** The defaults: every field's default text and every selector's first choice. */
CalculatorInputs defaultInputs(const CalculatorDefinition& definition);

/** The defaults with an example's texts and choices in place. */
CalculatorInputs exampleInputs(const CalculatorDefinition& definition,
                               const ExampleInputs& example);

/** The name key the main window knows a calculator window by: its form name in capitals. */
std::string nameKey(const CalculatorDefinition& definition);

} // namespace blachorys::core
