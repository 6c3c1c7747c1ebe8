#!/usr/bin/env python3
"""Takes the top of a report page, as headless Chromium draws it, into a PNG.

The picture is 1000 by 1475 pixels: the summary and the first timelines. A
page that reports an error while loading gives no picture; the PNG is
written whole or not at all.

Usage: screenshot.py REPORT_HTML OUT_PNG
"""
import os
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from headless_chromium import Chromium, ChromiumError  # noqa: E402

WIDTH, HEIGHT = 1000, 1475


def main():
    if len(sys.argv) != 3:
        print("screenshot.py: usage: screenshot.py REPORT_HTML OUT_PNG", file=sys.stderr)
        return 2
    page, out = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    if not page.is_file():
        print(f"screenshot.py: {page} is no file", file=sys.stderr)
        return 2
    try:
        with Chromium(WIDTH, HEIGHT) as browser:
            errors = browser.open(page)
            if errors:
                print(f"screenshot.py: {page} reports an error: {errors[0]}", file=sys.stderr)
                return 1
            png = browser.screenshot()
    except ChromiumError as error:
        print(f"screenshot.py: {error}", file=sys.stderr)
        return 1
    partial = out.with_name(out.name + ".part")
    partial.write_bytes(png)
    os.replace(partial, out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
