#include "common/gui/fieldnotes.h"

#include "common/core/calculator/fieldreading.h"
#include "common/gui/numericlineedit.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

namespace blachorys::gui {

FieldNotes::FieldNotes(const core::CalculatorDefinition& definition,
                       const std::vector<NumericLineEdit*>& fields, QPlainTextEdit& memo,
                       std::function<std::size_t()> developmentIndex, QObject* parent)
    : QObject(parent), m_definition(definition), m_fields(fields), m_memo(memo),
      m_developmentIndex(std::move(developmentIndex)) {
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_definition.fields[i].note) {
            m_fields[i]->installEventFilter(this);
        }
    }
    if (m_definition.window.noteStyle == core::NoteStyle::Fixed) {
        // One text for every field that shows it, written once.
        const auto withNote =
            std::find_if(m_definition.fields.begin(), m_definition.fields.end(),
                         [](const auto& field) { return field.note.has_value(); });
        if (withNote != m_definition.fields.end()) {
            for (const auto& line : withNote->note->linesPerDevelopment.front()) {
                m_memo.appendPlainText(QString::fromStdString(line));
            }
        }
    }
}

bool FieldNotes::anyNonZero(const std::vector<std::string>& names) const {
    core::CalculatorInputs inputs;
    for (const NumericLineEdit* field : m_fields) {
        inputs.fieldTexts.push_back(field->text().toStdString());
    }
    return core::anyNonZero(m_definition, core::readFields(m_definition, inputs), names);
}

void FieldNotes::show(std::size_t fieldIndex) {
    const auto style = m_definition.window.noteStyle;
    if (style != core::NoteStyle::Fixed) {
        const core::FieldNote& note = *m_definition.fields[fieldIndex].note;
        const bool other = !note.otherWhenNonZero.empty() && anyNonZero(note.otherWhenNonZero);
        const auto& variants = other ? note.otherLinesPerDevelopment : note.linesPerDevelopment;
        const auto& lines = variants[std::min(m_developmentIndex(), variants.size() - 1)];
        m_memo.clear();
        for (const auto& line : lines) {
            m_memo.appendPlainText(QString::fromStdString(line));
        }
    }
    m_memo.show();
    if (style == core::NoteStyle::Refilled) {
        m_memo.moveCursor(QTextCursor::Start);
        m_memo.ensureCursorVisible();
    }
}

bool FieldNotes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const auto field = std::find(m_fields.begin(), m_fields.end(), watched);
        if (field != m_fields.end()) {
            if (event->type() == QEvent::FocusIn) {
                show(static_cast<std::size_t>(field - m_fields.begin()));
            } else {
                m_memo.hide();
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace blachorys::gui
