#pragma once

namespace blachorys::core {

// The maker's addresses, in one place: the two labels of every calculator and of the
// information window, the e-mail link and the report footer all read them from here.

/** The maker's web page, opened by the web label. */
inline constexpr const char* kMakerWebAddress = "https://www.blachorys.example/";
/** The site's name, shown on the web label. */
inline constexpr const char* kMakerWebLabel = "www.blachorys.example";
/** The maker's e-mail address, shown on the e-mail label. */
inline constexpr const char* kMakerEmail = "kontakt@blachorys.example";
/** Appended to "mailto:" + address so the mail program starts a message with subject and body. */
inline constexpr const char* kMailSubjectAndBody =
    "?subject=Blachorys (trabo) &body=Text_wiadmosci";
/** The last footer line of every report. */
inline constexpr const char* kMakerWebLine = "Strona programu : https://www.blachorys.example/";

} // namespace blachorys::core
