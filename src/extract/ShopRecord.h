#pragma once
// The eighteen values of one shop, in output column order.
#include <array>

#include "Unicommon/Text.h"

struct ShopRecord {
  Text ShopId, ShopName, ShopType, Introduction, PostalCode, Address, Phone, Fax, BusinessHours,
      ClosingDays, ShopFeatures, CarsListed, ReviewRating, ReviewCount, Latitude, Longitude,
      ReviewPageUrl, DetailPageUrl;

  static constexpr int kFieldCount = 18;
  std::array<const Text*, kFieldCount> Fields() const {
    return {&ShopId,       &ShopName,      &ShopType,     &Introduction,  &PostalCode,
            &Address,      &Phone,         &Fax,          &BusinessHours, &ClosingDays,
            &ShopFeatures, &CarsListed,    &ReviewRating, &ReviewCount,   &Latitude,
            &Longitude,    &ReviewPageUrl, &DetailPageUrl};
  }
};
