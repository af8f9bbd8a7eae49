#pragma once

// Messages the workers post to the main window through the message queue.
inline constexpr unsigned UM_SEARCH_PROGRESS = 0xBD0;
inline constexpr unsigned UM_EXIF_PROGRESS = 0xBD1;
inline constexpr unsigned UM_COPY_PROGRESS = 0xBD3;
inline constexpr unsigned UM_SHOW_IMAGE = 0xBD4;
inline constexpr unsigned UM_THUMB_PROGRESS = 0xBD5;
inline constexpr unsigned UM_CHECK_SERVICE = 0xC34;
// The probe's answer: lParam is its result code, wParam 1 when the built-in geocoder answered.
inline constexpr unsigned UM_SERVICE_ANSWER = 0xC35;
// STEP3 asks the geocoding service no more in this pass: wParam is the result code that stopped
// it (kGeocodeRefused, kGeocodeOverQueryLimit or kGeocodeUnavailable). Posted once a pass.
inline constexpr unsigned UM_GEOCODE_STOPPED = 0xC36;
// The copy pass of STEP6, on a thread of its own, has ended.
inline constexpr unsigned UM_COPY_DONE = 0xC37;
