#pragma once

namespace blachorys::cli {

/**
 * Marks the upper halves of the processor's vector registers unused. Starting Qt's drawing
 * layer leaves them marked in use, and while they are every floating-point instruction after
 * it waits on them: a pipe joint's exact hole took 10 s instead of 1 s whenever a template, a
 * view or a nesting PDF was asked for. Nothing where the processor has no such registers.
 */
void clearUpperVectorState();

} // namespace blachorys::cli
