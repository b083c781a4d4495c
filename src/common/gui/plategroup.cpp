#include "common/gui/plategroup.h"

#include "common/core/calculator/platetexts.h"
#include "common/core/plate/platematerial.h"
#include "common/gui/hintrouter.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

namespace blachorys::gui {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

QComboBox* editableList(const QStringList& items, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    return box;
}

} // namespace

PlateGroup::PlateGroup(HintRouter& hints, QWidget* parent)
    : QGroupBox(QStringLiteral("Arkusz i materiał"), parent) {
    setObjectName(QStringLiteral("GroupArkusz"));
    QStringList plates;
    for (const core::Plate& plate : core::standardPlates()) {
        plates << q(core::plateText(plate));
    }
    QStringList materials;
    for (const core::StandardMaterial& material : core::standardMaterials()) {
        materials << q(material.material.name);
    }
    m_plate = editableList(plates, this);
    m_plate->setObjectName(QStringLiteral("ComboArkusz"));
    hints.attach(m_plate, QStringLiteral("Arkusz blachy [mm]|Arkusz blachy, z listy lub wpisany "
                                         "jako szerokość x długość [mm]"));
    m_material = editableList(materials, this);
    m_material->setObjectName(QStringLiteral("ComboMaterial"));
    hints.attach(m_material,
                 QStringLiteral("Materiał|Materiał z listy lub wpisana gęstość [kg/dm3]"));
    m_gap = new QLineEdit(this);
    m_gap->setObjectName(QStringLiteral("EditOdstep"));
    hints.attach(m_gap, QStringLiteral("Odstęp [mm]|Odstęp między elementami na arkuszu i od "
                                       "brzegu arkusza [mm]"));
    m_parts = new QLineEdit(this);
    m_parts->setObjectName(QStringLiteral("EditCzesci"));
    hints.attach(m_parts, QStringLiteral("Podział na części|Na ile części podzielić element, "
                                         "który nie mieści się na arkuszu (1 - w całości)"));
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Arkusz"), m_plate);
    layout->addRow(QStringLiteral("Materiał"), m_material);
    layout->addRow(QStringLiteral("Odstęp [mm]"), m_gap);
    layout->addRow(QStringLiteral("Podział na części"), m_parts);
    for (QLineEdit* edit : {m_gap, m_parts}) {
        connect(edit, &QLineEdit::textChanged, this, &PlateGroup::changed);
    }
    for (QComboBox* box : {m_plate, m_material}) {
        connect(box, &QComboBox::currentTextChanged, this, &PlateGroup::changed);
    }
    setTexts({});
}

core::PlateTexts PlateGroup::texts() const {
    core::PlateTexts texts;
    texts.plate = m_plate->currentText().toStdString();
    texts.material = m_material->currentText().toStdString();
    texts.gap = m_gap->text().toStdString();
    texts.parts = m_parts->text().toStdString();
    return texts;
}

void PlateGroup::setTexts(const core::PlateTexts& texts) {
    m_plate->setCurrentText(q(texts.plate));
    m_material->setCurrentText(q(texts.material));
    m_gap->setText(q(texts.gap));
    m_parts->setText(q(texts.parts));
}

} // namespace blachorys::gui
