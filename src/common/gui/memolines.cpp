#include "common/gui/memolines.h"

#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

namespace blachorys::gui {

int memoLinePitch(const QFont& font) {
    QTextLayout layout(QStringLiteral("8"), font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLeadingIncluded(true);
    layout.endLayout();
    return static_cast<int>(std::ceil(line.height()));
}

int memoHeightForLines(const QPlainTextEdit& memo, int lines) {
    // The first line starts below the document's margin; the last needs none under it.
    const auto topMargin = static_cast<int>(std::ceil(memo.document()->documentMargin()));
    return 2 * memo.frameWidth() + topMargin + lines * memoLinePitch(memo.font());
}

} // namespace blachorys::gui
