#include "common/gui/outputwindows.h"

#include "common/gui/drawingpreview.h"
#include "common/gui/twynikischemat.h"

namespace blachorys::gui {

OutputWindows::OutputWindows(QWidget* parent, std::function<QWidget*()> activeCalculator)
    : m_parent(parent), m_activeCalculator(std::move(activeCalculator)) {}

TWynikiSchemat* OutputWindows::scheme() {
    if (m_scheme == nullptr) {
        m_scheme = new TWynikiSchemat(m_activeCalculator, m_parent);
        m_scheme->setWindowFlags(Qt::Dialog);
        m_scheme->hide();
    }
    return m_scheme;
}

DrawingPreview* OutputWindows::createPreview(const QString& className, const QString& caption) {
    QPointer<DrawingPreview>& preview = m_previews[className];
    if (preview == nullptr) {
        preview = new DrawingPreview(className, caption, m_parent);
        preview->setWindowFlags(Qt::Dialog);
        preview->hide();
    }
    return preview;
}

DrawingPreview* OutputWindows::preview(const core::CalculatorDefinition& definition) {
    return createPreview(QString::fromStdString(definition.previewClass),
                         QString::fromStdString(definition.previewCaption));
}

} // namespace blachorys::gui
