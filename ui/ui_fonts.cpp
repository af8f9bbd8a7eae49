#include "ui/ui_fonts.h"

#include "ui/ui_scale.h"

#include <wx/fontenum.h>
#include <wx/settings.h>

namespace {

wxString DisplayFace() {
    static const wxString face = [] {
        for (const wxString& candidate :
             {wxString::FromUTF8("ＭＳ Ｐゴシック"), wxString("IPAPGothic")}) {
            if (wxFontEnumerator::IsValidFacename(candidate)) {
                return candidate;
            }
        }
        return wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).GetFaceName();
    }();
    return face;
}

} // namespace

wxFont DisplayFont(int pixelHeight, bool bold) {
    wxFontInfo info(wxSize(0, TextPixelHeight(pixelHeight, UiScale())));
    info.FaceName(DisplayFace()).Bold(bold);
    return wxFont(info);
}
