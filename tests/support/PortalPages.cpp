#include "support/PortalPages.h"

std::string ListingPageUtf8(const std::string& countText, const std::vector<std::string>& ids) {
  std::string page =
      "<html>\n<head><title>中古車販売店一覧</title></head>\n<body>\n"
      "<div class=\"result\">\n"
      "<p class=\"resultCount\">\n"
      "<span>" +
      countText +
      "</span>\n"
      "</p>\n</div>\n<ul class=\"shopList\">\n";
  for (const std::string& id : ids) {
    page += "<li>\n<h3 class=\"resultHead_title\">\n<a href=\"/usedcar_shop/" + id +
            "/detail.html\">販売店 " + id + "</a>\n</h3>\n</li>\n";
  }
  return page + "</ul>\n</body>\n</html>\n";
}

std::string DetailPageUtf8(const std::string& name) {
  return "<html>\n<body>\n<div class=\"shopHead\">\n"
         "<h1 class=\"shopName\">" +
         name +
         "</h1>\n"
         "<ul>\n"
         "<li class=\"type\">中古車販売店</li>\n"
         "<li>\n"
         "<p>" +
         name +
         "の紹介文です。</p>\n"
         "</li>\n</ul>\n</div>\n"
         "<em class=\"rating\">4.5</em>\n"
         "<table>\n<tr>\n"
         "<th>住所</th>\n"
         "<td>〒１２３−４５６７　東京都千代田区１−２−３</td>\n"
         "</tr>\n<tr>\n"
         "<th>TEL</th>\n"
         "<td>03-1234-5678</td>\n"
         "</tr>\n</table>\n"
         "<input type=\"hidden\" name=\"lat\" value=\"35.6812\" />\n"
         "<input type=\"hidden\" name=\"lon\" value=\"139.7671\" />\n"
         "</body>\n</html>\n";
}
