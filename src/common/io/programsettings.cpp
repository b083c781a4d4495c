#include "common/io/programsettings.h"

#include <QDir>
#include <QSettings>

#include <array>
#include <utility>

namespace blachorys::io {
namespace {

const QString kGeometryKey = QStringLiteral("okno/geometria");
const QString kInfoKey = QStringLiteral("okno/informacje_przy_powrocie");
const QString kLastFolderKey = QStringLiteral("foldery/ostatni");
const QString kFilterGroup = QStringLiteral("filtry/");
const QString kPaperKey = QStringLiteral("szablon/papier");
const QString kOrientationKey = QStringLiteral("szablon/orientacja");
const QString kOverlapKey = QStringLiteral("szablon/zakladka_mm");

const QString kRecentJobsKey = QStringLiteral("zlecenia/ostatnie");
const QString kPlateGroup = QStringLiteral("arkusz_");

/** Each plate text with its key in the window's group. */
constexpr std::array<std::pair<std::string core::PlateTexts::*, const char*>, 4> kPlateKeys{{
    {&core::PlateTexts::plate, "arkusz"},
    {&core::PlateTexts::material, "material"},
    {&core::PlateTexts::parts, "czesci"},
    {&core::PlateTexts::gap, "odstep_mm"},
}};

constexpr std::array<std::pair<core::PageOrientation, const char*>, 3> kOrientations{{
    {core::PageOrientation::Automatic, "auto"},
    {core::PageOrientation::Portrait, "portrait"},
    {core::PageOrientation::Landscape, "landscape"},
}};

} // namespace

ProgramSettings::ProgramSettings(const QString& directory)
    : m_path(QDir(directory).filePath(QString::fromLatin1(kProgramSettingsFileName))) {}

QByteArray ProgramSettings::mainWindowGeometry() const {
    return QSettings(m_path, QSettings::IniFormat).value(kGeometryKey).toByteArray();
}

void ProgramSettings::setMainWindowGeometry(const QByteArray& geometry) {
    QSettings(m_path, QSettings::IniFormat).setValue(kGeometryKey, geometry);
}

bool ProgramSettings::showInfoOnReturn() const {
    return QSettings(m_path, QSettings::IniFormat).value(kInfoKey, true).toBool();
}

void ProgramSettings::setShowInfoOnReturn(bool show) {
    QSettings(m_path, QSettings::IniFormat).setValue(kInfoKey, show);
}

QString ProgramSettings::lastSaveFolder() const {
    return QSettings(m_path, QSettings::IniFormat).value(kLastFolderKey).toString();
}

void ProgramSettings::setLastSaveFolder(const QString& folder) {
    QSettings(m_path, QSettings::IniFormat).setValue(kLastFolderKey, folder);
}

int ProgramSettings::lastFilter(const QString& kind) const {
    bool isNumber = false;
    const int index =
        QSettings(m_path, QSettings::IniFormat).value(kFilterGroup + kind).toInt(&isNumber);
    return isNumber && index >= 0 ? index : 0;
}

void ProgramSettings::setLastFilter(const QString& kind, int filterIndex) {
    QSettings(m_path, QSettings::IniFormat).setValue(kFilterGroup + kind, filterIndex);
}

core::TemplateSettings ProgramSettings::templateLayout(core::TemplateSettings settings) const {
    const QSettings file(m_path, QSettings::IniFormat);
    core::TemplateSettings saved = settings;
    if (const auto paper = core::paperNamed(file.value(kPaperKey).toString().toStdString())) {
        saved.paper = *paper;
    }
    const QString orientation = file.value(kOrientationKey).toString();
    for (const auto& [value, name] : kOrientations) {
        if (orientation == QLatin1String(name)) {
            saved.orientation = value;
        }
    }
    bool isNumber = false;
    const double overlap = file.value(kOverlapKey).toString().toDouble(&isNumber);
    // An overlap out of range (an edited file) leaves the one given.
    if (isNumber && overlap >= 0.0 && overlap <= core::kMaxOverlapMm) {
        saved.overlapMm = overlap;
    }
    return saved;
}

void ProgramSettings::setTemplateLayout(const core::TemplateSettings& settings) {
    QSettings file(m_path, QSettings::IniFormat);
    file.setValue(kPaperKey, QString::fromLatin1(core::paperOf(settings.paper).name));
    for (const auto& [value, name] : kOrientations) {
        if (value == settings.orientation) {
            file.setValue(kOrientationKey, QString::fromLatin1(name));
        }
    }
    file.setValue(kOverlapKey, QString::number(settings.overlapMm, 'g', 10));
}

core::PlateTexts ProgramSettings::plateTexts(const QString& windowKey) const {
    const QSettings file(m_path, QSettings::IniFormat);
    core::PlateTexts texts;
    for (const auto& [member, key] : kPlateKeys) {
        const QVariant value = file.value(kPlateGroup + windowKey + u'/' + QLatin1String(key));
        if (value.isValid()) {
            texts.*member = value.toString().toStdString();
        }
    }
    // An edited file that no longer reads leaves the first run's texts.
    return core::readPlateTexts(texts).settings ? texts : core::PlateTexts{};
}

void ProgramSettings::setPlateTexts(const QString& windowKey, const core::PlateTexts& texts) {
    QSettings file(m_path, QSettings::IniFormat);
    for (const auto& [member, key] : kPlateKeys) {
        file.setValue(kPlateGroup + windowKey + u'/' + QLatin1String(key),
                      QString::fromStdString(texts.*member));
    }
}

namespace {

const QString kEdgeGroup = QStringLiteral("krawedz_");
const QString kEdgeChoiceKey = QStringLiteral("/przygotowanie");
constexpr std::array<std::pair<std::string core::EdgeTexts::*, const char*>, 4> kEdgeKeys{{
    {&core::EdgeTexts::grooveAngle, "kat_rowka"},
    {&core::EdgeTexts::rootFace, "prog_mm"},
    {&core::EdgeTexts::rootGap, "odstep_mm"},
    {&core::EdgeTexts::bevelLimit, "ukos_glowicy"},
}};

} // namespace

core::EdgeTexts ProgramSettings::edgeTexts(const QString& windowKey) const {
    const QSettings file(m_path, QSettings::IniFormat);
    core::EdgeTexts texts;
    const QString group = kEdgeGroup + windowKey;
    const auto choice =
        core::edgeChoiceNamed(file.value(group + kEdgeChoiceKey).toString().toStdString());
    texts.choice = choice.value_or(core::EdgeChoice::Square);
    for (const auto& [member, key] : kEdgeKeys) {
        const QVariant value = file.value(group + u'/' + QLatin1String(key));
        if (value.isValid()) {
            texts.*member = value.toString().toStdString();
        }
    }
    // An edited file that no longer reads leaves the first run's texts.
    return core::readEdgeTexts(texts).settings ? texts : core::EdgeTexts{};
}

void ProgramSettings::setEdgeTexts(const QString& windowKey, const core::EdgeTexts& texts) {
    QSettings file(m_path, QSettings::IniFormat);
    const QString group = kEdgeGroup + windowKey;
    file.setValue(group + kEdgeChoiceKey, QString::fromStdString(core::edgeChoiceName(texts.choice)));
    for (const auto& [member, key] : kEdgeKeys) {
        file.setValue(group + u'/' + QLatin1String(key), QString::fromStdString(texts.*member));
    }
}

QStringList ProgramSettings::recentJobs() const {
    return QSettings(m_path, QSettings::IniFormat)
        .value(kRecentJobsKey)
        .toStringList()
        .mid(0, kRecentJobs);
}

void ProgramSettings::addRecentJob(const QString& path) {
    QStringList jobs = recentJobs();
    jobs.removeAll(path);
    jobs.prepend(path);
    QSettings(m_path, QSettings::IniFormat).setValue(kRecentJobsKey, jobs.mid(0, kRecentJobs));
}

} // namespace blachorys::io
