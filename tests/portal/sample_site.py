#!/usr/bin/env python3
"""Sample dataset for the local test portal: a few prefectures with a few shops each.

  sample_site.py DIR     writes the site into DIR (portal.py --sample does the same)

Pages are EUC-JP, laid out line by line the way the portal's pages are:
  /usedcar_shop/pref-NN/index.html   listing page of prefecture NN
  /usedcar_shop/<ID>/detail.html     detail page of one shop
Review pages (/user_review/<ID>/detail.html) are linked but not part of the site.

Besides the pages, DIR/expected.tsv holds the record each shop should yield, in the
order a run over all the listed prefectures reads them: UTF-8, one line per shop, the
eighteen fields separated by tabs, with "{base}" standing for the portal base address.
Prefecture 3 states no shops; its page lists none.

The output is the same on every run.
"""

import os
import sys

# Numbers and names of the prefectures served, with their shops in listing order.
PREFECTURES = [
    (1, "北海道"),
    (3, "岩手県"),
    (13, "東京都"),
    (27, "大阪府"),
    (47, "沖縄県"),
]

# Fields a shop's page is built from. "name"/"hours" are as shown on the page; the
# values the readers store are derived in expected_record().
SHOPS = [
    dict(pref=1, id="0110234567", name="オートガレージ　北斗", type="中古車販売店",
         intro="札幌市内で創業３０年。軽自動車から輸入車まで幅広く取り揃えております。",
         postal="〒０６０−０００５", address="北海道札幌市中央区北５条西２丁目１",
         tel="011-222-3344", tel_row="th", fax="011-222-3345",
         hours="９：００〜１９：００", closed="毎週水曜日・第２火曜日",
         icons=["101", "102", "107", "999", "shop_icon_total_price"],
         rating="4.3", reviews="18", cars="52", lat="43.0621", lon="141.3544"),
    dict(pref=1, id="0110876543", name="カーランド〜すずらん〜", type="中古車販売店",
         intro="旭川の地域密着店です。冬道に強い４ＷＤ車を多数ご用意しています。",
         postal="〒０７０−００３１", address="北海道旭川市１条通８丁目",
         tel="0166-23-4567", tel_row="dd", fax="",
         hours="１０：００〜１８：３０", closed="年中無休",
         icons=["302", "502"],
         rating="-", reviews="0", cars="9", lat="43.7707", lon="142.3650"),
    dict(pref=1, id="0111000222", name="函館モータース", type="自動車整備工場",
         intro="車検・整備のことなら当社にお任せください。",
         postal="〒０４０−００６３", address="北海道函館市若松町１２−５",
         tel="0138-22-1111", tel_row="th", fax="0138-22-1112",
         hours="８：３０〜１７：３０", closed="日曜日・祝日",
         icons=[],
         rating="3.8", reviews="5", cars="14", lat="41.7738", lon="140.7263"),
    dict(pref=13, id="1310045678", name="ＴＯＫＹＯ　ＣＡＲ　ＳＴＡＴＩＯＮ", type="輸入車専門店",
         intro="欧州車を中心に常時１００台以上を展示。全車保証付きで安心です。",
         postal="〒１５３−００４３", address="東京都目黒区東山２−１５−１",
         tel="03-5555-0101", tel_row="th", fax="03-5555-0102",
         hours="１０：００〜２０：００", closed="火曜日",
         icons=["201", "311", "316", "111", "501"],
         rating="4.7", reviews="124", cars="138", lat="35.6465", lon="139.6896"),
    dict(pref=13, id="1310098765", name="ダイトーオート　足立店", type="中古車販売店",
         intro="お手頃価格の軽自動車とコンパクトカーが充実しています。",
         postal="〒１２０−００３４", address="東京都足立区千住３−９２",
         tel="03-3888-1234", tel_row="th", fax="03-3888-1235",
         hours="１０：００〜１９：００", closed="水曜日",
         icons=["309", "104", "110"],
         rating="3.9", reviews="31", cars="76", lat="35.7497", lon="139.8047"),
    dict(pref=13, id="1310111213", name="八王子カーセンター", type="新車・中古車販売店",
         intro="新車も中古車も、ご購入後のアフターサービスまでお任せください。",
         postal="〒１９２−００８２", address="東京都八王子市東町７−６",
         tel="042-600-7788", tel_row="dd", fax="042-600-7789",
         hours="９：３０〜１８：００", closed="第１・第３月曜日",
         icons=["105", "120", "122", "shop_icon_total_price"],
         rating="4.0", reviews="9", cars="41", lat="35.6580", lon="139.3389"),
    dict(pref=13, id="1310131415", name="オートプラザ　多摩", type="買取専門店",
         intro="高価買取実施中！他店の査定額もお持ちください。",
         postal="〒２０６−００３３", address="東京都多摩市落合１−４３",
         tel="042-311-2020", tel_row="th", fax="",
         hours="１０：００〜１９：００", closed="なし",
         icons=["318", "122"],
         rating="-", reviews="0", cars="3", lat="35.6249", lon="139.4243"),
    dict(pref=27, id="2710024680", name="なにわ自動車販売", type="中古車販売店",
         intro="大阪市内最大級の展示場。ローンのご相談もお気軽にどうぞ。",
         postal="〒５５６−００１１", address="大阪府大阪市浪速区難波中２−１０−７０",
         tel="06-6633-0001", tel_row="th", fax="06-6633-0002",
         hours="１０：００〜２０：００", closed="年末年始",
         icons=["202", "107", "106", "108"],
         rating="4.1", reviews="57", cars="95", lat="34.6627", lon="135.5022"),
    dict(pref=27, id="2710013579", name="堺オートサービス", type="自動車整備工場",
         intro="民間車検場を完備。整備から板金塗装まで自社工場で対応します。",
         postal="〒５９０−００７８", address="大阪府堺市堺区南瓦町３−１",
         tel="072-238-4455", tel_row="th", fax="072-238-4456",
         hours="９：００〜１８：００", closed="日曜日",
         icons=["101", "121", "103"],
         rating="3.5", reviews="12", cars="22", lat="34.5733", lon="135.4830"),
    dict(pref=47, id="4710011223", name="美らカーズ", type="中古車販売店",
         intro="沖縄本島どこでも出張納車いたします。",
         postal="〒９００−０００６", address="沖縄県那覇市おもろまち４−２−５",
         tel="098-861-5566", tel_row="dd", fax="098-861-5567",
         hours="１０：００〜１９：００", closed="毎週日曜日",
         icons=["110", "109", "503"],
         rating="4.5", reviews="22", cars="37", lat="26.2172", lon="127.6948"),
]

ICON_LABELS = {
    "101": "車検できます", "102": "修理・整備ＯＫ", "103": "板金塗装できます",
    "104": "買取り積極的です", "105": "新車販売もできます", "106": "各種損害＆自動車保険取扱店",
    "107": "各種ローン取扱店", "108": "室内展示場なのできれいです", "109": "試乗可能です",
    "110": "出張納車可能です", "111": "各種保証付", "120": "自社認定工場", "121": "自社指定工場",
    "122": "査定士がいます", "201": "常時、在庫１００台以上です", "202": "常時、在庫５０台以上です",
    "302": "４ＷＤ専門店", "309": "軽自動車専門店", "311": "輸入車専門店", "316": "欧州車専門店",
    "318": "買取専門店", "501": "駐車場完備", "502": "年中無休", "503": "スタッフ募集しています",
    "shop_icon_total_price": "支払総額推奨店",
}

HEAD = """<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">
<html xmlns="http://www.w3.org/1999/xhtml" lang="ja" xml:lang="ja">
<head>
<meta http-equiv="Content-Type" content="text/html; charset=EUC-JP" />
<title>{title}｜中古車販売店検索</title>
<link rel="stylesheet" type="text/css" href="/css/common.css" />
</head>
<body>
<div id="header">
<ul class="globalNav">
<li><a href="/">トップ</a></li>
<li><a href="/usedcar_shop/">販売店を探す</a></li>
</ul>
</div>"""

FOOT = """<div id="footer">
<p class="copyright">Copyright (C) Sample Motor Portal. All Rights Reserved.</p>
</div>
</body>
</html>"""


def listing_page(pref_no, pref_name, shops):
    lines = [HEAD.format(title=pref_name + "の中古車販売店一覧"), '<div id="contents">',
             '<h2 class="pageTitle">%sの中古車販売店</h2>' % pref_name,
             '  <div class="result">',
             '    <p class="resultLabel">検索結果</p>',
             '    <p class="resultNum"><span>%d</span>件</p>' % len(shops),
             '  </div>']
    if not shops:
        lines.append('<p class="noResult">該当する販売店はありません。</p>')
    else:
        lines.append('<ul class="resultList">')
        for shop in shops:
            lines += ['<li class="resultItem">',
                      '  <h3 class="resultHead_title">',
                      '    <a href="/usedcar_shop/%s/detail.html">%s</a>' % (shop["id"], shop["name"]),
                      '  </h3>',
                      '  <p class="resultAddress">%s</p>' % shop["address"],
                      '</li>']
        lines.append('</ul>')
    lines += ['</div>', FOOT]
    return "\n".join(lines) + "\n"


def detail_page(shop):
    sid = shop["id"]
    lines = [HEAD.format(title=shop["name"]), '<div id="contents">',
             '<ul class="shopHeader">',
             '<li class="shopHeader_main">',
             '<h1 class="shopName">%s</h1>' % shop["name"],
             '<div class="shopType">',
             '<span class="shopType_label">%s</span>' % shop["type"],
             '</div>',
             '<div class="shopIntro">',
             '<p>%s</p>' % shop["intro"],
             '</div>',
             '</li>',
             '</ul>',
             '<div class="reviewBox">',
             '<p class="reviewBox_title">ユーザーレビュー</p>',
             '<em class="rating">%s</em>' % shop["rating"],
             '<dl class="reviewBox_count">',
             '<dt>',
             '<a href="/user_review/%s/detail.html">投稿数</a>' % sid,
             '<span class="num">%s</span>' % shop["reviews"],
             '</dt>',
             '<dt>',
             '<a href="/usedcar_shop/%s/stock.html">掲載台数</a>' % sid,
             '<span class="num">%s</span>' % shop["cars"],
             '</dt>',
             '</dl>',
             '</div>',
             '<div class="shopData">']
    if shop["tel_row"] == "dd":
        lines += ['<dl class="shopData_tel">',
                  '<dt>電話番号</dt>',
                  '<dd class="telArea">%s</dd>' % shop["tel"],
                  '</dl>']
    lines += ['<table class="shopData_table">',
              '<tr>',
              '<th>住所</th>',
              '<td>%s　%s</td>' % (shop["postal"], shop["address"]),
              '</tr>']
    if shop["tel_row"] == "th":
        lines += ['<tr>', '<th>TEL</th>', '<td>%s</td>' % shop["tel"], '</tr>']
    if shop["fax"]:
        lines += ['<tr>', '<th>FAX</th>', '<td>%s</td>' % shop["fax"], '</tr>']
    lines += ['<tr>', '<th>営業時間</th>', '<td>%s</td>' % shop["hours"], '</tr>',
              '<tr>', '<th>定休日</th>', '<td>%s</td>' % shop["closed"], '</tr>',
              '</table>',
              '<ul class="shopIcon">']
    for code in shop["icons"]:
        alt = ICON_LABELS.get(code, "")
        lines.append('<li><img src="/img/icon/%s.gif" alt="%s" width="80" height="20" /></li>'
                     % (code, alt))
    lines += ['</ul>',
              '<div class="shopMap">',
              '<div id="map_canvas"></div>',
              '<input type="hidden" name="lat" value="%s" />' % shop["lat"],
              '<input type="hidden" name="lon" value="%s" />' % shop["lon"],
              '</div>',
              '</div>',
              '</div>',
              FOOT]
    return "\n".join(lines) + "\n"


def to_ascii_width(text):
    table = {ord("　"): " ", ord("−"): "-", ord("："): ":"}
    table.update({0xFF10 + d: str(d) for d in range(10)})
    return text.translate(table)


def expected_record(shop):
    """The eighteen fields the readers should store, UTF-8, "{base}" for the base."""
    name = shop["name"].replace("　", " ").replace("〜", "～").strip()
    address_value = to_ascii_width(shop["postal"] + "　" + shop["address"])
    postal, address = address_value.split(" ", 1)
    hours = to_ascii_width(shop["hours"].replace("〜", "～"))
    features = "、".join(ICON_LABELS[c] for c in shop["icons"] if c in ICON_LABELS)
    review_url = "" if shop["rating"] == "-" else "{base}/user_review/%s/detail.html" % shop["id"]
    return [shop["id"], name, shop["type"], shop["intro"], postal, address, shop["tel"],
            shop["fax"], hours, shop["closed"], features, shop["cars"], shop["rating"],
            shop["reviews"], shop["lat"], shop["lon"], review_url,
            "{base}/usedcar_shop/%s/detail.html" % shop["id"]]


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(text.encode("euc_jp"))


def generate(site_dir):
    expected = []
    for pref_no, pref_name in PREFECTURES:
        shops = [s for s in SHOPS if s["pref"] == pref_no]
        write(os.path.join(site_dir, "usedcar_shop", "pref-%02d" % pref_no, "index.html"),
              listing_page(pref_no, pref_name, shops))
        for shop in shops:
            write(os.path.join(site_dir, "usedcar_shop", shop["id"], "detail.html"),
                  detail_page(shop))
            expected.append("\t".join(expected_record(shop)))
    with open(os.path.join(site_dir, "expected.tsv"), "wb") as f:
        f.write(("\n".join(expected) + "\n").encode("utf-8"))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: sample_site.py DIR")
    generate(sys.argv[1])
