#pragma once

#include "catalogue/manage_qel_file_info.h"

#include <string>

// What a title typed by the user becomes: cleaned as composed titles are, and for a photo with
// a ".jpg" extension, in any case as typed, or else with its photo's own extension added. Empty
// when no name is left (nothing typed, only an extension, dots or control characters).
std::string handTitle(const QELFileInfo& entry, const std::string& typed);

// Gives `entry` the title the user typed, kept through every re-titling until 初期設定 or a new
// STEP4; a text that leaves no name gives the entry back its composed title. Run `retitle`
// afterwards, which puts it in place and keeps the folder's names distinct.
void setHandTitle(QELFileInfo& entry, const std::string& typed);

// Every entry of the result list goes back to its composed title at the next re-titling.
void dropHandTitles(CManageQELFileInfo& catalogue);
