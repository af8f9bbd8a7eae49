#pragma once

class wxWindow;

// Lets the controls inside `window` be as small as the dialog template places them: the GTK
// theme's minimum heights of buttons, drop-down lists, radio buttons and spin buttons are
// taller than the Windows controls the layout was made for.
void UseCompactControls(wxWindow* window);
