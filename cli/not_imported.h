#pragma once

#include "catalogue/left_on_card.h"
#include "catalogue/unread_folder.h"

#include <string>

// "not imported: 12 videos / 3 RAW only / 2 other pictures / 5 other files / 4 photos in hidden
// folders", kinds without a file left out; empty when nothing stays behind.
std::string NotImportedLine(const LeftOnCard& left);

// Prints the line when there is one and, when `each`, every such file as "<kind>\t<path>".
void PrintNotImported(const LeftOnCard& left, bool each);

// "could not read folder: PATH: reason" on standard error for each folder the walk could not read.
void PrintUnreadFolders(const UnreadFolders& unread);

// "2 folders could not be read", when any could not.
void PrintUnreadCount(const UnreadFolders& unread);
