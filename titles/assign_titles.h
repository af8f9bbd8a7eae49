#pragma once

#include "catalogue/manage_qel_file_info.h"
#include "titles/title_options_view.h"

// Builds the result tree from the catalogue's photos — a folder per shooting year, in it a
// folder per month and day, in it the photos in shooting order — and titles it. Runs on the UI
// thread; it reads no field that a running thumbnail phase writes.
void assignTitles(CManageQELFileInfo& catalogue, TitleOptionsView* view);

// Recomposes every title of the result list with the current options; an entry the user has
// titled (setHandTitle) keeps that title. With a view the
// options are read from its controls and stored first; without one (the command line) the
// catalogue's options are used as they are.
void retitle(CManageQELFileInfo& catalogue, TitleOptionsView* view);
