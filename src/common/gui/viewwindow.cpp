#include "common/gui/viewwindow.h"

#include "common/core/view3d/jointfit.h"
#include "common/core/view3d/viewscene.h"
#include "common/gui/filesaving.h"
#include "common/gui/prompts.h"
#include "common/gui/viewwidget.h"
#include "common/io/atomicfile.h"
#include "common/io/programsettings.h"
#include "common/render/outputtable.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace blachorys::gui {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

struct PresetButton {
    const char* objectName;
    const char* caption;
    core::ViewPreset preset;
    Qt::Key key;
};

constexpr PresetButton kPresets[] = {
    {"WidokPrzod", "Przód (1)", core::ViewPreset::Front, Qt::Key_1},
    {"WidokBok", "Bok (2)", core::ViewPreset::Side, Qt::Key_2},
    {"WidokGora", "Góra (3)", core::ViewPreset::Top, Qt::Key_3},
    {"WidokIzometria", "Izometria (4)", core::ViewPreset::Iso, Qt::Key_4},
};

const QString kOutdated =
    QStringLiteral("Dane zmienione - naciśnij \"Licz\", aby widok pokazał nowe obliczenie");

} // namespace

ViewWindow::ViewWindow(Prompts& prompts, const core::CalculatorDefinition& definition,
                       const QString& settingsDirectory, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_prompts(prompts), m_definition(definition),
      m_settingsDirectory(settingsDirectory) {
    setObjectName(QStringLiteral("TWidok3D"));
    setWindowTitle(QStringLiteral("Widok 3D - ") + q(definition.window.caption));

    auto* buttons = new QHBoxLayout;
    for (const PresetButton& preset : kPresets) {
        auto* button = new QPushButton(QString::fromUtf8(preset.caption), this);
        button->setObjectName(QString::fromLatin1(preset.objectName));
        connect(button, &QPushButton::clicked, this,
                [this, p = preset.preset] { m_view->turnTo(p); });
        buttons->addWidget(button);
    }
    auto* fit = new QPushButton(QStringLiteral("Dopasuj"), this);
    fit->setObjectName(QStringLiteral("WidokDopasuj"));
    buttons->addWidget(fit);
    buttons->addStretch(1);
    auto* save = new QPushButton(QStringLiteral("Zapisz obraz"), this);
    save->setObjectName(QStringLiteral("WidokZapiszObraz"));
    buttons->addWidget(save);

    m_view = new ViewWidget(this);
    m_view->setObjectName(QStringLiteral("WidokRysunek"));
    connect(fit, &QPushButton::clicked, m_view, &ViewWidget::fitIn);
    connect(save, &QPushButton::clicked, this, &ViewWindow::saveImage);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("WidokStatus"));
    status->setSizeGripEnabled(true);
    m_status = new QLabel(status);
    m_status->setObjectName(QStringLiteral("WidokSzczelina"));
    status->addWidget(m_status, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addLayout(buttons);
    layout->addWidget(m_view, 1);
    layout->addWidget(status);
}

void ViewWindow::showJoint(const core::CalculationOutputs& outputs) {
    core::ViewScene scene;
    QString text = QStringLiteral("Ten kalkulator nie ma widoku 3D");
    bool red = false;
    m_imageOptions = {};
    if (outputs.view) {
        const core::JointView joint = outputs.view();
        scene = core::buildViewScene(outputs.pattern, joint, &outputs.edges);
        const core::JointFit fit = core::measureFit(outputs.pattern, joint, &outputs.edges);
        m_imageOptions = render::fitCaption(q(m_definition.window.caption), fit);
        text = scene.problem.empty() ? q(core::fitText(fit))
                                     : QStringLiteral("Widok 3D: ") + q(scene.problem);
        red = m_imageOptions.captionWarning;
    }
    // In the window the fit stands in the status line, not over the drawing.
    render::ViewPaintOptions drawn = m_imageOptions;
    drawn.caption.clear();
    drawn.legend = true;
    m_view->setScene(std::move(scene), drawn);
    m_status->setStyleSheet(red ? QStringLiteral("color: rgb(200, 0, 0);") : QString());
    m_status->setText(text);
}

void ViewWindow::markOutdated() {
    m_status->setStyleSheet(QString());
    m_status->setText(kOutdated);
}

QString ViewWindow::statusText() const {
    return m_status->text();
}

void ViewWindow::saveImage() {
    const render::OutputRow& row = render::outputRow(render::OutputKind::View3d);
    // The view as it is turned now, with the calculator and the fit written below it.
    const QImage image =
        render::viewImage(m_view->scene(), m_view->camera(), m_view->size(), m_imageOptions);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        m_prompts.error(this, QString::fromUtf8(row.windowProblem) +
                                  QStringLiteral("nie udalo sie narysowac widoku"));
        return;
    }
    // Offered where the last image went in this window or, the first time, beside the last
    // file of any kind.
    QString offered = m_lastName;
    if (offered.isEmpty()) {
        offered =
            QDir(lastSaveFolder(m_settingsDirectory)).filePath(row.initialName(m_definition, 0));
    }
    const auto outcome =
        saveThroughDialog(m_prompts, this, render::dialogFilter(row), offered,
                          [&bytes](const QString& path, int) -> std::optional<QString> {
                              return io::writeFileAtomically(path, bytes);
                          });
    if (!outcome) {
        return;
    }
    m_lastName = outcome->path;
    if (outcome->written) {
        io::ProgramSettings(m_settingsDirectory)
            .setLastSaveFolder(QFileInfo(outcome->path).absolutePath());
    }
}

void ViewWindow::keyPressEvent(QKeyEvent* event) {
    for (const PresetButton& preset : kPresets) {
        if (event->key() == preset.key) {
            m_view->turnTo(preset.preset);
            event->accept();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

} // namespace blachorys::gui
