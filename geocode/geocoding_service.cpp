#include "geocode/geocoding_service.h"

#include "platform/private_profile.h"

GeocodingService loadGeocodingService(const std::string& settingsPath) {
    GeocodingService service;
    const std::string url =
        GetPrivateProfileString(kServiceSection, kGeocodeUrlKey, "", settingsPath);
    if (!url.empty()) {
        service.baseUrl = url;
    }
    service.apiKey = GetPrivateProfileString(kServiceSection, kApiKeyKey, "", settingsPath);
    return service;
}
