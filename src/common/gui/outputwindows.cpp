#include "common/gui/outputwindows.h"

#include "common/gui/drawingpreview.h"
#include "common/gui/twynikischemat.h"

namespace blachorys::gui {

OutputWindows::OutputWindows(QWidget* parent, std::function<QString()> activeSchemePicture)
    : m_parent(parent), m_activeSchemePicture(std::move(activeSchemePicture)) {}

TWynikiSchemat* OutputWindows::scheme() {
    if (m_scheme == nullptr) {
        m_scheme = new TWynikiSchemat(m_activeSchemePicture, m_parent);
        m_scheme->setWindowFlags(Qt::Dialog);
        m_scheme->hide();
    }
    return m_scheme;
}

DrawingPreview* OutputWindows::preview(const core::WindowDefinition& window) {
    const QString name = QString::fromStdString(window.previewName);
    QPointer<DrawingPreview>& preview = m_previews[name];
    if (preview == nullptr) {
        preview = new DrawingPreview(name, QString::fromStdString(window.previewCaption), m_parent);
        preview->setWindowFlags(Qt::Dialog);
        preview->hide();
    }
    return preview;
}

} // namespace blachorys::gui
