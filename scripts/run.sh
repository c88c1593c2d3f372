#!/usr/bin/env bash
# Installs what is missing, builds Mirvaso, starts the local sample portal and collects
# its shops: in the window when a display is available, otherwise with mirvaso-cli.
# Set MIRVASO_HEADLESS=1 to use mirvaso-cli even with a display.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target mirvaso mirvaso-cli

demo=$top/demo
rm -rf "$demo/site" "$demo/cert"
mkdir -p "$demo/cert"

# The sample portal: HTTPS on 127.0.0.1 with a certificate made now.
python3 tests/portal/portal.py --sample --site "$demo/site" --cert-dir "$demo/cert" \
  >"$demo/portal.json" &
portal_pid=$!
trap 'kill $portal_pid 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  [ -s "$demo/portal.json" ] && break
  sleep 0.1
done
port=$(python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["port"])' "$demo/portal.json")
base_url="https://127.0.0.1:$port"
ca_file="$demo/cert/cert.pem"
echo "Sample portal: $base_url (prefectures 1 北海道, 3 岩手県, 13 東京都, 27 大阪府, 47 沖縄県)"

if [ -n "${DISPLAY:-}" ] && [ "${MIRVASO_HEADLESS:-0}" != 1 ]; then
  # A demo copy of the program, with a settings file beside it that points it at the
  # sample portal and ticks the sample prefectures.
  cp build/src/mirvaso "$demo/mirvaso"
  category=$(python3 -c 'print("".join("1" if p in (1, 3, 13, 27, 47) else "0" for p in range(1, 48)))')
  printf '[Config]\r\nCategory=%s\r\n[Portal]\r\nBaseUrl=%s\r\nCaFile=%s\r\n' \
    "$category" "$base_url" "$ca_file" >"$demo/mvs.ini"
  echo "Opening the window; press 取得開始 and choose where to save the CSV."
  "$demo/mirvaso"
else
  out="$demo/中古車店舗一覧.csv"
  set +e
  build/src/mirvaso-cli --output "$out" --base-url "$base_url" --ca-file "$ca_file" 1 3 13 27 47
  status=$?
  set -e
  echo
  echo "Exit code $status. The shop list is $out (Shift_JIS, CR LF). Its first lines:"
  iconv -f CP932 -t UTF-8 "$out" | head -n 4 | cut -c 1-160
fi
