#!/usr/bin/env python3
"""Whole-run benchmark: mirvaso-cli against the local portal serving N shops.

  bench/run_bench.py CLI [N ...]     (default N: 50)

For each N it serves one prefecture listing N shops (detail pages from the sample
dataset, with fresh identifiers), runs CLI over it and reports the wall time over the
N x 300 ms of mandated waits, and the command's peak resident memory.
"""

import json
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
PORTAL_DIR = os.path.join(HERE, "..", "tests", "portal")
sys.path.insert(0, PORTAL_DIR)
import sample_site  # noqa: E402

SHOP_WAIT_SECONDS = 0.3


def write_site(site, n):
    shops = []
    for i in range(n):
        shop = dict(sample_site.SHOPS[i % len(sample_site.SHOPS)])
        shop["id"] = "%010d" % (5000000000 + i)
        shops.append(shop)
        sample_site.write(os.path.join(site, "usedcar_shop", shop["id"], "detail.html"),
                          sample_site.detail_page(shop))
    sample_site.write(os.path.join(site, "usedcar_shop", "pref-13", "index.html"),
                      sample_site.listing_page(13, "東京都", shops))


def run_once(cli, n):
    with tempfile.TemporaryDirectory() as work:
        site = os.path.join(work, "site")
        write_site(site, n)
        portal = subprocess.Popen(
            [sys.executable, os.path.join(PORTAL_DIR, "portal.py"), "--site", site,
             "--cert-dir", work], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        try:
            ready = json.loads(portal.stdout.readline())
            args = [cli, "--output", os.path.join(work, "out.csv"), "--base-url",
                    "https://127.0.0.1:%d" % ready["port"], "--ca-file", ready["ca"], "13"]
            start = time.monotonic()
            child = subprocess.Popen(args, stderr=subprocess.DEVNULL)
            _, status, usage = os.wait4(child.pid, 0)
            wall = time.monotonic() - start
            child.returncode = os.waitstatus_to_exitcode(status)
            if child.returncode != 0:
                sys.exit("run failed with exit code %d" % child.returncode)
            with open(os.path.join(work, "out.csv"), "rb") as f:
                records = f.read().count(b"\r\n") - 1
            if records != n:
                sys.exit("expected %d records, got %d" % (n, records))
        finally:
            portal.terminate()
            portal.wait()
    return wall, usage.ru_maxrss


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cli = sys.argv[1]
    counts = [int(a) for a in sys.argv[2:]] or [50]
    for n in counts:
        wall, peak_kib = run_once(cli, n)
        print("N=%-4d wall %.2f s  mandated waits %.2f s  ratio %.3f  peak RSS %d KiB"
              % (n, wall, n * SHOP_WAIT_SECONDS, wall / (n * SHOP_WAIT_SECONDS), peak_kib))


if __name__ == "__main__":
    main()
