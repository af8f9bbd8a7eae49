#pragma once

#include "records/copy_photos.h"
#include "records/copy_verifier.h"
#include "records/photo_group.h"

// Copies the group's companions into `folder` beside its photo, named `photoName` there, each
// under the photo's stem; a name that holds a companion's very bytes is that companion, already
// there, and one that a different file bears is left to it. The entry's `companions` then hold
// where each lies; one that could not be copied keeps its source path and is reported. Each fresh
// copy goes to `verifier`; one that reads back other bytes is counted failed and keeps its
// source path, as if it had not been copied. `folder` lies below `root` and is written through it.
void PlaceCompanions(const PhotoGroup& group, const std::string& folder,
                     const std::string& photoName, QELFileInfo& entry, CopyTally& tally,
                     CopyVerifier& verifier, const DestinationRoot& root);

// The companions of a photo that could not be copied stay on the card with it.
void ReportCompanionsLeft(const PhotoGroup& group, CopyTally& tally);
