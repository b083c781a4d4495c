#pragma once

#include "common/core/calculator/calculatordefinition.h"

#include <QMap>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

namespace blachorys::gui {

class DrawingPreview;
class TWynikiSchemat;

/**
 * The preview window of each calculator and the scheme dialog: created once, hidden, and
 * shown modally whenever a calculator asks for them.
 */
class OutputWindows {
public:
    /**
     * `parent` owns the windows; `activeSchemePicture` tells the scheme dialog which picture
     * the active calculator window shows (empty when no calculator window is active).
     */
    OutputWindows(QWidget* parent, std::function<QString()> activeSchemePicture);

    /** The scheme dialog, created on first use (the first window made at start). */
    TWynikiSchemat* scheme();
    /** The preview window of a calculator, created on first use. */
    DrawingPreview* preview(const core::WindowDefinition& window);

private:
    QWidget* m_parent;
    std::function<QString()> m_activeSchemePicture;
    QPointer<TWynikiSchemat> m_scheme;
    QMap<QString, QPointer<DrawingPreview>> m_previews;
};

} // namespace blachorys::gui
