#pragma once
// Small portal pages in UTF-8 with the line shapes the readers look for; the test
// portal serves them as EUC-JP.
#include <string>
#include <vector>

// A prefecture's listing page: the stated count text (for example "3件") and one
// shop heading per identifier.
std::string ListingPageUtf8(const std::string& countText, const std::vector<std::string>& ids);

// A shop's detail page with a name, a type, an introduction, a rating, an address
// row, a telephone row and the map inputs.
std::string DetailPageUtf8(const std::string& name);
