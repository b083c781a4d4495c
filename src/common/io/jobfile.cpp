#include "common/io/jobfile.h"

#include "common/core/calculator/savedinputformat.h"
#include "common/io/atomicfile.h"
#include "common/io/savedinputs.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <array>
#include <cmath>
#include <set>

namespace blachorys::io {
namespace {

/** The plate's texts are at most this long: "1500 x 3000", "stal nierdzewna". */
constexpr qsizetype kLongestPlateText = 40;
/** No plate a workshop cuts is thicker, mm. */
constexpr double kThickestPlateMm = 1000.0;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

/** Why the file is refused; thrown while reading and caught once, at the top. */
struct Refusal {
    QString text;
};

[[noreturn]] void refuse(const QString& text) {
    throw Refusal{text};
}

QString stringOf(const QJsonObject& object, const QString& key, qsizetype longest,
                 const QString& where) {
    const QJsonValue value = object.value(key);
    if (!value.isString()) {
        refuse(where + QStringLiteral("brak tekstu \"") + key + u'"');
    }
    const QString text = value.toString();
    if (text.size() > longest) {
        refuse(where + QStringLiteral("tekst \"") + key + QStringLiteral("\" zbyt dlugi"));
    }
    return text;
}

/** A whole number from `least` to `most`, or the file is refused. */
int integerOf(const QJsonObject& object, const QString& key, int least, int most,
              const QString& where) {
    const QJsonValue value = object.value(key);
    const double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || !(number >= least && number <= most) || number != std::floor(number)) {
        refuse(where + u'"' + key + QStringLiteral("\" musi byc liczba calkowita od ") +
               QString::number(least) + QStringLiteral(" do ") + QString::number(most));
    }
    return static_cast<int>(number);
}

QJsonArray arrayOf(const QJsonObject& object, const QString& key, qsizetype most,
                   const QString& where) {
    const QJsonValue value = object.value(key);
    if (!value.isArray()) {
        refuse(where + QStringLiteral("brak listy \"") + key + u'"');
    }
    const QJsonArray array = value.toArray();
    if (array.size() > most) {
        refuse(where + QStringLiteral("lista \"") + key + QStringLiteral("\" ma ponad ") +
               QString::number(most) + QStringLiteral(" pozycji"));
    }
    return array;
}

std::vector<std::size_t> developmentsOf(const QJsonObject& object,
                                        const core::CalculatorDefinition& definition,
                                        const QString& where) {
    if (definition.developments.empty()) {
        if (object.contains(QStringLiteral("developments")) &&
            !object.value(QStringLiteral("developments")).toArray().isEmpty()) {
            refuse(where + QStringLiteral("kalkulator ") + q(definition.key) +
                   QStringLiteral(" nie ma rozwiniec do wyboru"));
        }
        return {0};
    }
    const QJsonArray keys = arrayOf(object, QStringLiteral("developments"),
                                    static_cast<qsizetype>(definition.developments.size()), where);
    std::set<std::size_t> chosen;
    for (const QJsonValue& key : keys) {
        const auto index = key.isString()
                               ? core::developmentIndex(definition, key.toString().toStdString())
                               : std::nullopt;
        if (!index || key.toString().isEmpty() || !chosen.insert(*index).second) {
            refuse(where + QStringLiteral("bledne rozwiniecie \"") + key.toString() + u'"');
        }
    }
    if (chosen.empty()) {
        refuse(where + QStringLiteral("nie wybrano zadnego rozwiniecia"));
    }
    return {chosen.begin(), chosen.end()};
}

/**
 * The inputs, which must be the calculator's saved-input lines as it writes them: the positional
 * ones in their places, each named one as written, in any order. A field or choice added since
 * the job was saved is not named in it and keeps its default.
 */
core::CalculatorInputs inputsOf(const QJsonObject& object,
                                const core::CalculatorDefinition& definition,
                                const QString& where) {
    const std::size_t count = core::savedLineCount(definition);
    const QJsonArray array =
        arrayOf(object, QStringLiteral("inputs"), static_cast<qsizetype>(count), where);
    std::vector<std::string> lines;
    for (const QJsonValue& line : array) {
        if (!line.isString() || line.toString().size() > kSavedLineBytes) {
            refuse(where + QStringLiteral("bledny wiersz danych"));
        }
        lines.push_back(line.toString().toStdString());
    }
    core::CalculatorInputs inputs = core::inputsFromSavedLines(definition, lines);
    const std::vector<std::string> expected = core::savedInputLines(definition, inputs);
    const std::size_t positional = std::min(definition.positionalSavedFields, expected.size());
    std::set<std::string> named(expected.begin() + static_cast<std::ptrdiff_t>(positional),
                                expected.end());
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const bool fits = k < positional ? lines[k] == expected[k] : named.erase(lines[k]) == 1;
        if (!fits) {
            refuse(where + QStringLiteral("wiersz danych ") + QString::number(k + 1) +
                   QStringLiteral(" \"") + q(lines[k]) + QStringLiteral("\" nie jest danymi ") +
                   q(definition.key));
        }
    }
    if (lines.size() < positional) {
        refuse(where + QStringLiteral("brak danych od wiersza ") +
               QString::number(lines.size() + 1));
    }
    return inputs;
}

/** The entry's edge texts under their keys, beside the choice's command-line name. */
const std::array<std::pair<const char*, std::string core::EdgeTexts::*>, 4> kEdgeSizes{{
    {"grooveAngle", &core::EdgeTexts::grooveAngle},
    {"rootFace", &core::EdgeTexts::rootFace},
    {"rootGap", &core::EdgeTexts::rootGap},
    {"bevelLimit", &core::EdgeTexts::bevelLimit},
}};
/** An edge size's text is at most this long: "1.5", "45". */
constexpr qsizetype kLongestEdgeText = 16;

/** An entry's edge: the square cut where the file names none (every job saved before edges). */
core::EdgeTexts edgeOf(const QJsonObject& entry, const QString& where) {
    core::EdgeTexts edge;
    if (!entry.contains(QStringLiteral("edge"))) {
        return edge;
    }
    const QJsonValue value = entry.value(QStringLiteral("edge"));
    if (!value.isObject()) {
        refuse(where + QStringLiteral("\"edge\" nie jest obiektem"));
    }
    const QJsonObject object = value.toObject();
    const QString choice = stringOf(object, QStringLiteral("choice"), kLongestEdgeText, where);
    const std::optional<core::EdgeChoice> named = core::edgeChoiceNamed(choice.toStdString());
    if (!named) {
        refuse(where + QStringLiteral("nieznana krawedz \"") + choice + u'"');
    }
    edge.choice = *named;
    for (const auto& [key, text] : kEdgeSizes) {
        edge.*text =
            stringOf(object, QString::fromLatin1(key), kLongestEdgeText, where).toStdString();
    }
    if (const core::EdgeReading reading = core::readEdgeTexts(edge); !reading.settings) {
        refuse(where + q(reading.problem));
    }
    return edge;
}

QJsonObject edgeObject(const core::EdgeTexts& edge) {
    QJsonObject object{{QStringLiteral("choice"), q(core::edgeChoiceName(edge.choice))}};
    for (const auto& [key, text] : kEdgeSizes) {
        object[QString::fromLatin1(key)] = q(edge.*text);
    }
    return object;
}

core::JobEntry entryOf(const QJsonValue& value, std::size_t index,
                       const core::CalculatorLookup& lookup, std::set<std::string>& marks) {
    QString where = QStringLiteral("pozycja ") + QString::number(index + 1) + QStringLiteral(" : ");
    if (!value.isObject()) {
        refuse(where + QStringLiteral("nie jest obiektem"));
    }
    const QJsonObject object = value.toObject();
    core::JobEntry entry;
    entry.mark =
        stringOf(object, QStringLiteral("mark"), core::kLongestMark + 1, where).toStdString();
    if (const auto problem = core::markProblem(entry.mark)) {
        refuse(where + q(*problem));
    }
    if (!marks.insert(entry.mark).second) {
        refuse(where + QStringLiteral("oznaczenie ") + q(entry.mark) +
               QStringLiteral(" powtarza sie"));
    }
    where = QStringLiteral("pozycja ") + q(entry.mark) + QStringLiteral(" : ");
    const QString key = stringOf(object, QStringLiteral("calculator"), 32, where);
    const core::Calculator* calculator = lookup(key.toStdString());
    if (calculator == nullptr) {
        refuse(where + QStringLiteral("nieznany kalkulator \"") + key + u'"');
    }
    const core::CalculatorDefinition& definition = calculator->definition();
    entry.calculator = definition.key;
    entry.count = integerOf(object, QStringLiteral("count"), 1, core::kMostEntryCopies, where);
    entry.developments = developmentsOf(object, definition, where);
    entry.inputs = inputsOf(object, definition, where);
    entry.edge = edgeOf(object, where);
    return entry;
}

core::Job jobOf(const QJsonObject& root, const core::CalculatorLookup& lookup) {
    const QString where;
    core::Job job;
    job.name = stringOf(root, QStringLiteral("name"), core::kLongestJobName, where).toStdString();
    job.plate.plate =
        stringOf(root, QStringLiteral("plate"), kLongestPlateText, where).toStdString();
    job.plate.material =
        stringOf(root, QStringLiteral("material"), kLongestPlateText, where).toStdString();
    job.plate.parts =
        stringOf(root, QStringLiteral("parts"), kLongestPlateText, where).toStdString();
    job.plate.gap = stringOf(root, QStringLiteral("gap"), kLongestPlateText, where).toStdString();
    if (const core::PlateReading plate = core::readPlateTexts(job.plate); !plate.settings) {
        refuse(q(plate.problem));
    }
    const QJsonArray materials = arrayOf(root, QStringLiteral("materials"),
                                         static_cast<qsizetype>(core::kMostJobMaterials), where);
    for (const QJsonValue& value : materials) {
        const QJsonObject object = value.toObject();
        const double thickness = object.value(QStringLiteral("t")).toDouble(-1.0);
        const QString material =
            stringOf(object, QStringLiteral("material"), kLongestPlateText, where);
        if (!(thickness > 0.0 && thickness <= kThickestPlateMm) ||
            !core::parseMaterial(material.toStdString())) {
            refuse(QStringLiteral("bledny material \"") + material +
                   QStringLiteral("\" grubosci ") + QString::number(thickness));
        }
        job.materials.push_back({thickness, material.toStdString()});
    }
    const QJsonArray entries = arrayOf(root, QStringLiteral("entries"),
                                       static_cast<qsizetype>(core::kMostJobEntries), where);
    std::set<std::string> marks;
    for (qsizetype k = 0; k < entries.size(); ++k) {
        job.entries.push_back(entryOf(entries[k], static_cast<std::size_t>(k), lookup, marks));
    }
    return job;
}

JobReading refused(const QString& problem) {
    return {std::nullopt, QStringLiteral("Nie mozna otworzyc zlecenia : ") + problem};
}

} // namespace

QByteArray jobFileBytes(const core::Job& job, const core::CalculatorLookup& lookup) {
    QJsonObject root;
    root[QStringLiteral("version")] = kJobFileVersion;
    root[QStringLiteral("name")] = q(job.name);
    root[QStringLiteral("plate")] = q(job.plate.plate);
    root[QStringLiteral("material")] = q(job.plate.material);
    root[QStringLiteral("parts")] = q(job.plate.parts);
    root[QStringLiteral("gap")] = q(job.plate.gap);
    QJsonArray materials;
    for (const core::ThicknessMaterial& material : job.materials) {
        materials.append(QJsonObject{{QStringLiteral("t"), material.thicknessMm},
                                     {QStringLiteral("material"), q(material.material)}});
    }
    root[QStringLiteral("materials")] = materials;
    QJsonArray entries;
    for (const core::JobEntry& entry : job.entries) {
        QJsonObject object{{QStringLiteral("mark"), q(entry.mark)},
                           {QStringLiteral("calculator"), q(entry.calculator)},
                           {QStringLiteral("count"), entry.count}};
        if (const core::Calculator* calculator = lookup(entry.calculator)) {
            const core::CalculatorDefinition& definition = calculator->definition();
            if (!definition.developments.empty()) {
                QJsonArray developments;
                for (const std::size_t d : entry.developments) {
                    if (d < definition.developments.size()) {
                        developments.append(q(definition.developments[d].key));
                    }
                }
                object[QStringLiteral("developments")] = developments;
            }
            QJsonArray inputs;
            for (const std::string& line : core::savedInputLines(definition, entry.inputs)) {
                inputs.append(q(line));
            }
            object[QStringLiteral("inputs")] = inputs;
        }
        // A square cut is what a job saved before edges holds: its file stays as it was.
        if (entry.edge != core::EdgeTexts{}) {
            object[QStringLiteral("edge")] = edgeObject(entry.edge);
        }
        entries.append(object);
    }
    root[QStringLiteral("entries")] = entries;
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

JobReading readJobFile(const QByteArray& bytes, const core::CalculatorLookup& lookup) {
    if (bytes.size() > kLargestJobFileBytes) {
        return refused(QStringLiteral("plik jest zbyt duzy"));
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        return refused(QStringLiteral("plik jest uszkodzony lub niepelny (") + error.errorString() +
                       QStringLiteral(" w znaku ") + QString::number(error.offset) + u')');
    }
    if (!document.isObject()) {
        return refused(QStringLiteral("to nie jest plik zlecenia"));
    }
    const QJsonObject root = document.object();
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || !(version.toDouble() >= 1.0) ||
        version.toDouble() != std::floor(version.toDouble())) {
        return refused(QStringLiteral("to nie jest plik zlecenia (brak wersji)"));
    }
    if (version.toDouble() > kJobFileVersion) {
        return refused(QStringLiteral("plik zapisano nowsza wersja programu (wersja pliku ") +
                       QString::number(version.toDouble()) +
                       QStringLiteral(", ten program czyta ") + QString::number(kJobFileVersion) +
                       u')');
    }
    try {
        return {jobOf(root, lookup), {}};
    } catch (const Refusal& refusal) {
        return refused(refusal.text);
    }
}

JobReading loadJobFile(const QString& path, const core::CalculatorLookup& lookup) {
    QFile file(path);
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) {
        return refused(QStringLiteral("nie moge czytac pliku ") + path);
    }
    // One byte more than the largest file shows a file too large without reading all of it.
    return readJobFile(file.read(kLargestJobFileBytes + 1), lookup);
}

std::optional<QString> saveJobFile(const QString& path, const core::Job& job,
                                   const core::CalculatorLookup& lookup) {
    return writeFileAtomically(path, jobFileBytes(job, lookup));
}

} // namespace blachorys::io
