#include "records/copy_options.h"

#include "geocode/geocoding_service.h"
#include "platform/private_profile.h"

CopyOptions loadCopyOptions(const std::string& settingsPath) {
    CopyOptions options;
    options.verify = GetPrivateProfileInt(kServiceSection, kVerifyCopiesKey, 1, settingsPath) != 0;
    return options;
}
