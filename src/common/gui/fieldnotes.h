#pragma once

#include "common/core/calculator/calculatordefinition.h"

#include <QObject>

#include <functional>
#include <vector>

class QPlainTextEdit;

namespace blachorys::gui {

class NumericLineEdit;

/**
 * The note beside the fields: shown while a field that has one holds the focus, with its lines
 * for the development checked now (or its other lines, while the fields it names are not 0),
 * and hidden when the focus leaves it.
 */
class FieldNotes : public QObject {
    Q_OBJECT
public:
    FieldNotes(const core::CalculatorDefinition& definition,
               const std::vector<NumericLineEdit*>& fields, QPlainTextEdit& memo,
               std::function<std::size_t()> developmentIndex, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(std::size_t fieldIndex);
    /** Whether any of the named fields holds a number other than 0 now. */
    bool anyNonZero(const std::vector<std::string>& names) const;

    const core::CalculatorDefinition& m_definition;
    std::vector<NumericLineEdit*> m_fields;
    QPlainTextEdit& m_memo;
    std::function<std::size_t()> m_developmentIndex;
};

} // namespace blachorys::gui
