#pragma once

#include "common/core/calculator.h"

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
     * `parent` owns the windows; `activeCalculator` tells the scheme dialog which calculator
     * window is active when it opens.
     */
    OutputWindows(QWidget* parent, std::function<QWidget*()> activeCalculator);

    /** Creates the scheme dialog (the first window made at start). */
    TWynikiSchemat* scheme();
    /** The preview window of a calculator, created on first use. */
    DrawingPreview* preview(const core::CalculatorDefinition& definition);
    /** Creates a preview window for a calculator that has none yet. */
    DrawingPreview* createPreview(const QString& className, const QString& caption);

private:
    QWidget* m_parent;
    std::function<QWidget*()> m_activeCalculator;
    QPointer<TWynikiSchemat> m_scheme;
    QMap<QString, QPointer<DrawingPreview>> m_previews;
};

} // namespace blachorys::gui
