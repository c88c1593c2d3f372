#include "Unithread/RunConfig.h"

#include <cstdio>

#ifndef MIRVASO_PORTAL_BASE_URL
#define MIRVASO_PORTAL_BASE_URL "https://portal.example"
#endif

Text DefaultPortalBaseUrl() { return MIRVASO_PORTAL_BASE_URL; }

Text ListingPageUrl(const Text& baseUrl, int32_t area) {
  char number[16];
  std::snprintf(number, sizeof number, "%02d", static_cast<int>(area));
  return baseUrl + "/usedcar_shop/pref-" + number + "/index.html";
}

Text DetailPageUrl(const Text& baseUrl, const Text& shopId) {
  return baseUrl + "/usedcar_shop/" + shopId + "/detail.html";
}

Text ReviewPageUrl(const Text& baseUrl, const Text& shopId) {
  return baseUrl + "/user_review/" + shopId + "/detail.html";
}
