#pragma once

#include "titles/title_options_view.h"
#include "workflow/step_state.h"

#include <optional>
#include <string>
#include <vector>

struct QELFileInfo;

// The main window as the step workflow drives it: step buttons, folder displays, the folder
// chooser, the progress bar with its counter, the thumbnail preview, the image view and the
// title options.
class WorkflowView : public StepButtonsView {
public:
    // The chosen folder ending in '/', or nothing when the user cancelled.
    virtual std::optional<std::string> browseFolder(const std::string& initialFolder,
                                                    const std::string& title) = 0;
    virtual std::string sourceFolderText() const = 0;
    virtual void setSourceFolderText(const std::string& text) = 0;
    // What a search leaves on the card, shown with the source folder until the folder is shown
    // again; an empty note shows the folder alone.
    virtual void showSourceNote(const std::string& note) = 0;
    virtual std::string destinationFolderText() const = 0;
    virtual void setDestinationFolderText(const std::string& text) = 0;
    virtual void setProgressRange(int low, int high) = 0;
    virtual void setProgressPosition(int position) = 0;
    virtual void setCounterText(const std::string& text) = 0;
    // Shows the record's thumbnail (none for nullptr) in the preview and repaints it at once.
    virtual void showThumbnailPreview(const QELFileInfo* record) = 0;
    virtual void showImageView() = 0;
    virtual void setWaitCursor(bool waiting) = 0;
    // The service badge after the probe: coloured when the geocoding service answered, shown as
    // unavailable when it did not; crediting the built-in geocoder's data or the web service.
    virtual void showServiceAnswer(bool answered, bool builtin) = 0;
    // News the user must act on, shown once without stopping the work.
    virtual void showNotice(const std::string& text) = 0;
    // A message box with `text`; returns when the user has closed it.
    virtual void showMessage(const std::string& text) = 0;
    // While a copy runs no control takes input; the progress display goes on painting.
    virtual void setCopying(bool copying) = 0;
    // The note a finished copy leaves in the destination display: its counts, which are never
    // cut, and the destination.
    virtual void showCopyNote(const std::string& counts, const std::string& destination) = 0;
    // The outcome of a copy that failed somewhere: the counts and every failure with its reason;
    // returns when the user has closed it.
    virtual void showCopyFailures(const std::string& counts,
                                  const std::vector<std::string>& failures) = 0;
    // The title-option controls of the same window.
    virtual TitleOptionsView& titleOptionsView() = 0;
};
