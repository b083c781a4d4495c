#include "common/gui/twynikischemat.h"

#include "common/gui/resources.h"

#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSvgRenderer>

#include <array>

namespace blachorys::gui {
namespace {

/**
 * A calculator window is known by the first seven letters of its name. Where it offers two
 * developments, the named radio button picks the first picture, otherwise the second.
 */
struct SchemeChoice {
    const char* namePrefix;
    const char* radioButton; ///< nullptr: one picture only
    const char* checkedPicture;
    const char* otherPicture;
};

constexpr std::array kChoices{
    SchemeChoice{"RURARUR", "RadioButRozwRurM", "w_rr_r", "w_rr_p"},
    SchemeChoice{"RURASTO", "RSRadioButRozwRur", "w_rs_r", "w_rs_p"},
    SchemeChoice{"STOZEK_", nullptr, "w_s", "w_s"},
    SchemeChoice{"KOLANOS", nullptr, "w_ks", "w_ks"},
    SchemeChoice{"KOLOPRO", nullptr, "w_kp", "w_kp"},
    SchemeChoice{"STOZEKR", "SRRadioButRozwStozka", "w_sr_s", "w_sr_p"},
};
constexpr qsizetype kPrefixLength = 7;

bool isChecked(const QWidget& calculator, const char* radioButton) {
    const auto* button = calculator.findChild<QRadioButton*>(QString::fromLatin1(radioButton));
    return button != nullptr && button->isChecked();
}

QLabel* centredLine(QWidget* parent, const QString& text, int y) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setGeometry(0, y, TWynikiSchemat::kClientWidth, 16);
    return label;
}

} // namespace

TWynikiSchemat::TWynikiSchemat(std::function<QWidget*()> activeCalculator, QWidget* parent)
    : QDialog(parent), m_activeCalculator(std::move(activeCalculator)) {
    initialiseResources();
    setObjectName(QStringLiteral("TWynikiSchemat"));
    setWindowTitle(QStringLiteral("Wyniki - Schemat"));
    setFixedSize(kClientWidth, kClientHeight);
    QFont boldArial(QStringLiteral("Arial"));
    boldArial.setPixelSize(12);
    boldArial.setBold(true);
    setFont(boldArial);

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(8, 8, kPictureWidth, kPictureHeight);
    m_image->setPixmap(renderPicture(QString()));

    centredLine(this, QStringLiteral("Rysunek jest tylko ogólnym schematem wyników obliczen"), 366);
    centredLine(this, QStringLiteral("Aby zobaczyć rysunek rozwinięcia odpowiadający"), 382);
    centredLine(this,
                QStringLiteral("wprowadzonym danym nalezy kliknac przycisk- \"Zobacz rysunek\""),
                398);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ButtonOK"));
    ok->setGeometry(189, 424, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QString TWynikiSchemat::resourcePath(const QString& name) {
    return QStringLiteral(":/schemes/%1.svg").arg(name);
}

QPixmap TWynikiSchemat::renderPicture(const QString& path) {
    QPixmap pixmap(kPictureWidth, kPictureHeight);
    pixmap.fill(Qt::white);
    // Checked first: the renderer would log every picture that is not there yet.
    if (path.isEmpty() || !QFile::exists(path)) {
        return pixmap;
    }
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) {
        return pixmap;
    }
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(pixmap.rect()));
    return pixmap;
}

void TWynikiSchemat::choosePicture() {
    QWidget* calculator = m_activeCalculator ? m_activeCalculator() : nullptr;
    if (calculator == nullptr) {
        return;
    }
    const QString prefix = calculator->objectName().left(kPrefixLength).toUpper();
    for (const auto& choice : kChoices) {
        if (prefix != QLatin1String(choice.namePrefix)) {
            continue;
        }
        const bool first =
            choice.radioButton == nullptr || isChecked(*calculator, choice.radioButton);
        const QString name =
            QString::fromLatin1(first ? choice.checkedPicture : choice.otherPicture);
        if (name != m_pictureName) {
            m_pictureName = name;
            m_image->setPixmap(renderPicture(resourcePath(name)));
        }
        return;
    }
}

bool TWynikiSchemat::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        choosePicture();
    }
    return QDialog::event(event);
}

void TWynikiSchemat::showEvent(QShowEvent* event) {
    choosePicture();
    QDialog::showEvent(event);
}

} // namespace blachorys::gui
