#include "ui/button_faces.h"
#include "ui/control_ids.h"
#include "ui/dialog_units.h"
#include "ui/face_button.h"
#include "ui/progress_bar.h"
#include "ui/sunken_text.h"
#include "ui/tessaro_dlg.h"
#include "ui/tessaro_layout.h"
#include "ui/window_pictures.h"
#include "ui/window_stretch.h"
#include "ui/wnd_lb_qel_file.h"
#include "ui/wnd_view_qel_image.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>

#include <algorithm>
#include <iterator>

namespace {

// The divider mover reports only the direction of a step; it starts in the middle of a range
// that no user clicks to an end.
constexpr int kDividerRange = 1000000;

wxString Caption(const LayoutEntry& entry) {
    return wxString::FromUTF8(entry.caption);
}

wxBitmap PictureOf(Picture picture, const wxSize& size) {
    switch (picture) {
    case Picture::FirstLevelHeading:
        return HeadingPicture(Heading::FirstLevel, size);
    case Picture::SecondLevelHeading:
        return HeadingPicture(Heading::SecondLevel, size);
    case Picture::FileNameHeading:
        return HeadingPicture(Heading::FileName, size);
    case Picture::ArrowLeft:
    case Picture::ArrowRight:
        return ArrowPicture(picture == Picture::ArrowLeft, size);
    case Picture::None:
        break;
    }
    return wxBitmap(size, 24);
}

} // namespace

void CTessaroDlg::createControls() {
    for (const LayoutEntry& entry : MainWindowLayout()) {
        placed_.push_back({&entry, createControl(entry), PixelsOf(*this, entry.rect)});
    }
    dividerShare_ = {placedRect(kIdSourceList).width,
                     placedRect(kIdSourceList).width + placedRect(kIdResultList).width};
}

const wxRect& CTessaroDlg::placedRect(int id) const {
    const auto found = std::find_if(placed_.begin(), placed_.end(),
                                    [id](const PlacedControl& c) { return c.entry->id == id; });
    return found->atMinimum;
}

// Every control from its place at the minimum size: see window_stretch.h.
void CTessaroDlg::layoutControls() {
    // The window is sized once before its controls stand.
    if (placed_.empty()) {
        return;
    }
    const wxSize client = GetClientSize();
    const auto listRect = [](const wxRect& r) { return ListRect{r.x, r.y, r.width, r.height}; };
    const StretchContext context{
        listRect(placedRect(kIdSourceList)),
        listRect(placedRect(kIdResultList)),
        {std::max(0, client.x - minimumClient_.x), std::max(0, client.y - minimumClient_.y)},
        dividerShare_};
    for (const PlacedControl& control : placed_) {
        const ListRect r =
            StretchedRect(FollowOf(*control.entry), listRect(control.atMinimum), context);
        const wxRect target(r.x, r.y, r.width, r.height);
        if (control.window->GetRect() != target) {
            control.window->SetSize(target);
            control.window->Refresh(false);
        }
    }
}

// Tab goes through the steps in their order first, then the lists, the title options group by
// group, and the small buttons; the template's order would put the lists between the steps.
void CTessaroDlg::applyTabOrder() {
    wxWindow* previous = nullptr;
    for (const int id : kTabOrder) {
        wxWindow* control = FindWindow(id);
        if (previous != nullptr && control != nullptr) {
            control->MoveAfterInTabOrder(previous);
        }
        previous = control != nullptr ? control : previous;
    }
}

wxWindow* CTessaroDlg::createStepButton(const LayoutEntry& entry, const wxRect& box) {
    const auto* step = std::find(std::begin(kStepButtonIds), std::end(kStepButtonIds), entry.id);
    const auto index = static_cast<std::size_t>(step - std::begin(kStepButtonIds));
    stepButtons_.at(index) = new CFaceButton(this, entry.id, box.GetPosition(), box.GetSize());
    stepCaptions_.at(index) = Caption(entry);
    setStepFaces(static_cast<int>(index) + 1, StepFace::ToDo, DisabledFace::Grey);
    return stepButtons_.at(index);
}

wxWindow* CTessaroDlg::createFaceButton(const LayoutEntry& entry, const wxRect& box) {
    auto* button = new CFaceButton(this, entry.id, box.GetPosition(), box.GetSize());
    switch (entry.id) {
    case kIdImageButton:
    case kIdMapButton: {
        const ViewPicture picture =
            entry.id == kIdImageButton ? ViewPicture::Photo : ViewPicture::Map;
        button->setFaces(ViewButtonFace(picture, false, box.GetSize()),
                         ViewButtonFace(picture, true, box.GetSize()),
                         ViewButtonFace(picture, false, box.GetSize()));
        break;
    }
    case kIdServiceBadge:
        // Shows the service's state; there is nothing to press.
        button->setTakesFocus(false);
        serviceBadge_ = button;
        showServiceBadge(BadgeState::Waiting, false);
        break;
    default:
        // 1033 has no function and is never shown.
        button->setTakesFocus(false);
        button->Hide();
        break;
    }
    return button;
}

wxWindow* CTessaroDlg::createControl(const LayoutEntry& entry) {
    const wxRect box = PixelsOf(*this, entry.rect);
    const wxPoint at = box.GetPosition();
    const wxSize size = box.GetSize();
    switch (entry.kind) {
    case ControlKind::StepButton:
        return createStepButton(entry, box);
    case ControlKind::FaceButton:
        return createFaceButton(entry, box);
    case ControlKind::PushButton:
        return new wxButton(this, entry.id, Caption(entry), at, size);
    case ControlKind::FolderText: {
        auto* text = new CSunkenText(this, entry.id, at, size, false);
        (entry.id == kIdSourceFolder ? sourceFolderDisplay_ : destinationFolderDisplay_) = text;
        return text;
    }
    case ControlKind::CounterText:
        counter_ = new CSunkenText(this, entry.id, at, size, true);
        return counter_;
    case ControlKind::List:
        return (entry.id == kIdSourceList ? sourceList_ : resultList_) =
                   new CWndLbQELFile(this, entry.id, at, size);
    case ControlKind::GroupBox:
        return new wxStaticBox(this, wxID_ANY, Caption(entry), at, size);
    case ControlKind::Radio: {
        auto* radio = new wxRadioButton(this, entry.id, Caption(entry), at, size,
                                        entry.startsGroup ? wxRB_GROUP : 0);
        titleOptions_.addRadio(entry.id, radio);
        return radio;
    }
    case ControlKind::Choice: {
        auto* choice = new wxChoice(this, entry.id, at, size);
        titleOptions_.addChoice(entry.id, choice);
        return choice;
    }
    case ControlKind::Progress:
        progress_ = new CProgressBar(this, entry.id, at, size);
        return progress_;
    case ControlKind::Divider:
        divider_ = new wxSpinButton(this, entry.id, at, size, wxSP_HORIZONTAL | wxSP_ARROW_KEYS);
        divider_->SetRange(0, kDividerRange);
        divider_->SetValue(kDividerRange / 2);
        return divider_;
    case ControlKind::Picture:
        return new wxStaticBitmap(this, wxID_ANY, PictureOf(entry.picture, size), at, size);
    case ControlKind::Preview:
        preview_ = new CWndViewQELImage(this, entry.id, at, size);
        return preview_;
    }
    return nullptr;
}
