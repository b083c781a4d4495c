#pragma once

class QFont;
class QPlainTextEdit;

namespace blachorys::gui {

/**
 * How far apart a plain-text memo in `font` sets its lines, pixels: the font's line spacing with
 * its leading, rounded up, as QPlainTextEdit lays each line. Some fonts' leading makes this a
 * pixel more than QFontMetrics::lineSpacing() says (Nimbus Mono PS at 12 pixels: 18, not 17).
 */
int memoLinePitch(const QFont& font);

/** How tall `memo` must be to show `lines` whole lines of its font, pixels, frame included. */
int memoHeightForLines(const QPlainTextEdit& memo, int lines);

} // namespace blachorys::gui
