#!/usr/bin/env python3
"""The demo's report page, opened from disk in headless Chromium.

report_sample writes the page with the demo's own page writer from the runs
recorded in RUNS_DIR (win98 failing both add-printer starts, nt40 the whole
NT road, win10 with a log line long enough to wrap). In a 1000-pixel-wide
window the page must load with no console error; have one timeline per
version, with a lane and a start mark per recorded launch and a lane per
failed one, nothing drawn outside it; and break no log line inside a word.
Each check is shown to fail on a page that has the fault.

Usage: page_test.py REPORT_SAMPLE RUNS_DIR
"""
import pathlib
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent.parent / "tools" / "demo"))
from headless_chromium import Chromium, ChromiumError  # noqa: E402

# The launches the log shows failed, which no record has, per version.
FAILED = {"win98": 2, "nt40": 0, "win10": 0}
WIDTH, HEIGHT = 1000, 900


def recorded_launches(runs, version):
    lines = (runs / version / "record").read_text().splitlines()
    return sum(1 for line in lines if line.split("|")[2] != "end")


def main():
    sample, runs = sys.argv[1], pathlib.Path(sys.argv[2])
    checks = (HERE / "page_checks.js").read_text()
    failures = []

    def check(what, ok):
        print(("ok:   " if ok else "FAIL: ") + what)
        if not ok:
            failures.append(what)

    with tempfile.TemporaryDirectory() as work:
        page = pathlib.Path(work) / "report.html"
        subprocess.run([sample, str(runs), str(page)], check=True)
        # The same page with a picture that is not there: its load error must show.
        broken = pathlib.Path(work) / "broken.html"
        broken.write_text(page.read_text().replace("</h1>", '</h1><img src="missing.png" alt="">', 1))
        try:
            with Chromium(WIDTH, HEIGHT) as browser:
                errors = browser.open(page)
                check(f"the page loads from disk with no console error {errors}", errors == [])
                seen = browser.evaluate(checks + "\nreportPageChecks(false)")
                by_id = {timeline["id"]: timeline for timeline in seen["timelines"]}
                check(f"one timeline per version {sorted(by_id)}",
                      sorted(by_id) == sorted(f"timeline-{version}" for version in FAILED)
                      and len(seen["timelines"]) == len(FAILED))
                for version, failed in FAILED.items():
                    timeline = by_id.get(f"timeline-{version}", {})
                    launches = recorded_launches(runs, version)
                    check(f"{version}: a lane and a start mark per launch ({launches})",
                          timeline.get("launches") == launches and timeline.get("starts") == launches)
                    check(f"{version}: a lane per failed launch ({failed})", timeline.get("failed") == failed)
                    check(f"{version}: nothing drawn outside the timeline {timeline.get('outside')}",
                          timeline.get("outside") == [])
                check(f"no log line wraps inside a word {seen['wrapped'][:5]}", seen["wrapped"] == [])
                check(f"the long log line does wrap ({seen['mostLines']} lines)", seen["mostLines"] > 1)

                browser.open(page)
                loose = browser.evaluate(checks + "\nreportPageChecks(true)")
                check("with words broken anywhere, the wrap check finds them", loose["wrapped"] != [])
                check("a picture that is not there is a console error", browser.open(broken) != [])
        except ChromiumError as error:
            check(f"chromium runs: {error}", False)
    print(f"{len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
