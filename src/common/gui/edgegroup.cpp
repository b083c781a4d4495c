#include "common/gui/edgegroup.h"

#include "common/gui/hintrouter.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

namespace blachorys::gui {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

EdgeGroup::EdgeGroup(HintRouter& hints, QWidget* parent)
    : QGroupBox(QStringLiteral("Przygotowanie krawędzi"), parent) {
    setObjectName(QStringLiteral("GroupKrawedz"));
    const std::array<std::pair<const char*, const char*>, 3> choices{{
        {"proste", "RadioButKrawedzProsta"},
        {"dopasowane", "RadioButKrawedzDopasowana"},
        {"pod spoinę", "RadioButKrawedzPodSpoine"},
    }};
    auto* row = new QHBoxLayout;
    for (std::size_t k = 0; k < choices.size(); ++k) {
        m_choices[k] = new QRadioButton(QString::fromUtf8(choices[k].first), this);
        m_choices[k]->setObjectName(QString::fromLatin1(choices[k].second));
        row->addWidget(m_choices[k]);
        connect(m_choices[k], &QRadioButton::toggled, this, &EdgeGroup::enableSizes);
    }
    hints.attach(m_choices[0], QStringLiteral("Krawędź prosta|Cięcie prostopadle do blachy, jak "
                                              "rysuje rozwinięcie"));
    hints.attach(m_choices[1],
                 QStringLiteral("Krawędź dopasowana|Palnik pochylony w każdym punkcie tak, że "
                                "cała grubość ścianki przylega do drugiej części"));
    hints.attach(m_choices[2],
                 QStringLiteral("Krawędź pod spoinę|Ukos pojedynczy: kąt rowka, próg c i odstęp "
                                "b od drugiej części; gdzie cięcie proste daje już taki rowek, "
                                "zostaje proste"));
    const auto edit = [this, &hints](const char* name, const char* hint) {
        auto* line = new QLineEdit(this);
        line->setObjectName(QString::fromLatin1(name));
        hints.attach(line, QString::fromUtf8(hint));
        return line;
    };
    m_grooveAngle = edit("EditKatRowka", "Kąt rowka [°]|Kąt między ukosem a powierzchnią "
                                         "drugiej części [°]");
    m_rootFace = edit("EditProg", "Próg c [mm]|Grubość progu u nasady spoiny [mm]");
    m_rootGap = edit("EditOdstepSpoiny", "Odstęp b [mm]|Odstęp nasady od drugiej części [mm]");
    m_bevelLimit = edit("EditUkosGlowicy", "Ukos głowicy [°]|Największe pochylenie palnika; "
                                           "punkty ponad nim raport wymienia [°]");
    auto* layout = new QFormLayout(this);
    layout->addRow(row);
    layout->addRow(QStringLiteral("Kąt rowka [°]"), m_grooveAngle);
    layout->addRow(QStringLiteral("Próg c [mm]"), m_rootFace);
    layout->addRow(QStringLiteral("Odstęp b [mm]"), m_rootGap);
    layout->addRow(QStringLiteral("Ukos głowicy [°]"), m_bevelLimit);
    setTexts({});
}

core::EdgeTexts EdgeGroup::texts() const {
    core::EdgeTexts texts;
    for (std::size_t k = 0; k < m_choices.size(); ++k) {
        if (m_choices[k]->isChecked()) {
            texts.choice = static_cast<core::EdgeChoice>(k);
        }
    }
    texts.grooveAngle = m_grooveAngle->text().toStdString();
    texts.rootFace = m_rootFace->text().toStdString();
    texts.rootGap = m_rootGap->text().toStdString();
    texts.bevelLimit = m_bevelLimit->text().toStdString();
    return texts;
}

void EdgeGroup::setTexts(const core::EdgeTexts& texts) {
    choice(texts.choice)->setChecked(true);
    m_grooveAngle->setText(q(texts.grooveAngle));
    m_rootFace->setText(q(texts.rootFace));
    m_rootGap->setText(q(texts.rootGap));
    m_bevelLimit->setText(q(texts.bevelLimit));
    enableSizes();
}

void EdgeGroup::enableSizes() {
    const bool groove = choice(core::EdgeChoice::Groove)->isChecked();
    for (QLineEdit* size : {m_grooveAngle, m_rootFace, m_rootGap}) {
        size->setEnabled(groove);
    }
    m_bevelLimit->setEnabled(!choice(core::EdgeChoice::Square)->isChecked());
}

} // namespace blachorys::gui
