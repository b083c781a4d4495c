#pragma once

namespace blachorys::gui {

/**
 * Registers the pictures compiled into the gui library. The library is static: the linker
 * would leave the pictures out unless something names them. Safe to call any number of times.
 */
void initialiseResources();

} // namespace blachorys::gui
