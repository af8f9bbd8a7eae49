#pragma once

struct QELFileInfo;

// Gives a photo its DCF name unless it has one: its own name in upper case when that has the
// DCF form ABCD1234.JPG (letters, digits or '_' in the first four bytes, as in IMG_0105.JPG),
// else "TS<hour><minute><n>.JPG" from its shooting time and a process-wide counter that runs
// 1..255 and then starts at 1 again.
void assignDcfName(QELFileInfo& photo);
