#pragma once

#include "common/core/calculator/calculationresult.h"
#include "common/core/calculator/calculatordefinition.h"
#include "common/render/viewpainter.h"

#include <QString>
#include <QWidget>

class QLabel;

namespace blachorys::gui {

class Prompts;
class ViewWidget;

/**
 * A calculator's 3-D view ("Widok 3D - <title>"): the joint rolled from the pattern it is
 * about to cut, buttons (and keys 1 to 4) for the front, side, top and isometric views,
 * "Dopasuj" to fit it in, "Zapisz obraz" to save it as a PNG, and the fit in the status line.
 * Modeless, a tool window of its calculator: it stays above it, open beside it, and shows
 * each new calculation; a legend in its corner says what each colour is.
 */
class ViewWindow final : public QWidget {
    Q_OBJECT

public:
    /** `settingsDirectory` holds blachorys.ini, where the folder of the last image is kept. */
    ViewWindow(Prompts& prompts, const core::CalculatorDefinition& definition,
               const QString& settingsDirectory, QWidget* parent = nullptr);

    /** The joint of a calculation, at the view's turn; the fit in the status line. */
    void showJoint(const core::CalculationOutputs& outputs);
    /** The inputs changed since: the status line says the view is not theirs. */
    void markOutdated();

    ViewWidget* view() const { return m_view; }
    /** The status line's text. */
    QString statusText() const;

public slots:
    void saveImage();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Prompts& m_prompts;
    const core::CalculatorDefinition& m_definition;
    ViewWidget* m_view = nullptr;
    QLabel* m_status = nullptr;
    QString m_settingsDirectory;
    /** The path last saved to in this window; none yet. */
    QString m_lastName;
    /** What a saved image shows besides the joint: the calculator, the fit. */
    render::ViewPaintOptions m_imageOptions;
};

} // namespace blachorys::gui
