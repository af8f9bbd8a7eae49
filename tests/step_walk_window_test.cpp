#include "tests/window_fixture.h"
#include "ui/sunken_text.h"
#include "workflow/workflow_texts.h"

#include <wx/dcclient.h>

// The widest counts a large card gives fit the counter without losing a digit.
TEST_F(MainWindow, theCounterHoldsTheLongestCountsWhole) {
    open({});
    wxWindow* counter = window->FindWindow(kIdCounter);
    wxClientDC dc(counter);
    dc.SetFont(counter->GetFont());
    const int room = counter->GetClientSize().x - 2 * CSunkenText::kPadding;
    for (const std::string& text :
         {PhotoCountText(99999), ProgressCountText(kAnalysisCountWord, 99999, 99999),
          ProgressCountText("コピー", 99999, 99999)}) {
        EXPECT_LE(dc.GetTextExtent(wxString::FromUTF8(text)).x, room) << text;
    }
}
