#!/usr/bin/env python3
"""The schedule of a launch-timing run and the figures from its logs.

    launch_timing.py schedule START ROWS FOLDER INI
        Writes the schedule file INI: row i is due at the Unix second START + i
        (local time) and targets FOLDER\\rNNN.exe. Rows alternate between the
        date-time text form and the numeric form of a moment.
    launch_timing.py analyse NAME START ROWS LAUNCHES MARKERS TICKS LOAD_FROM LOAD_TO OUT
        Reads the shell-call log, the markers' log and (for the plain design) the
        tick log, and writes the figures of one design as JSON to OUT. Rows
        whose second lies in [LOAD_FROM, LOAD_TO) ran with the CPU loaded.
        TICKS may be "-" when there is none.
    launch_timing.py table OUT...
        Prints the figures of the designs side by side as a Markdown table.
"""
import json
import math
import re
import sys
import time

# File times count 100 ns from 1601-01-01; Unix seconds from 1970-01-01.
UNIX_EPOCH_TICKS = 116444736000000000


def unix_seconds(ticks):
    return (ticks - UNIX_EPOCH_TICKS) / 1e7


def moment_text(t, row):
    if row % 2 == 0:
        # The form that the add button writes: trailing zero time fields are
        # left out.
        fields = [t.tm_year, "年", t.tm_mon, "月", t.tm_mday, "日"]
        if t.tm_sec:
            fields += [t.tm_hour, "时", t.tm_min, "分", t.tm_sec, "秒"]
        elif t.tm_min:
            fields += [t.tm_hour, "时", t.tm_min, "分"]
        elif t.tm_hour:
            fields += [t.tm_hour, "时"]
        return "".join(str(f) for f in fields)
    return time.strftime("%Y-%m-%d %H:%M:%S", t)


def schedule(start, rows, folder, ini):
    lines = ["[Velquor：]"]
    for i in range(rows):
        moment = moment_text(time.localtime(start + i), i)
        lines.append(f"{i + 1}={moment}，{folder}\\r{i:03d}.exe")
    with open(ini, "wb") as out:
        out.write(("\r\n".join(lines) + "\r\n").encode("gbk"))


def percentile(values, p):
    """Nearest rank: the smallest value with at least p % of the values at or below it."""
    if not values:
        return None
    ordered = sorted(values)
    return ordered[max(0, math.ceil(p / 100 * len(ordered)) - 1)]


def spread(values):
    return {
        "n": len(values),
        "p50": percentile(values, 50),
        "p99": percentile(values, 99),
        "max": max(values) if values else None,
    }


def row_of(name):
    match = re.search(r"r(\d{3})\.exe", name, re.IGNORECASE)
    return int(match.group(1)) if match else None


def read_lines(path):
    try:
        with open(path, "rb") as f:
            return [l.decode("gbk", "replace").strip() for l in f.read().splitlines() if l.strip()]
    except FileNotFoundError:
        return []


def analyse(name, start, rows, launches, markers, ticks, load_from, load_to, out):
    calls = {i: [] for i in range(rows)}
    durations = []
    strays = 0
    for line in read_lines(launches):
        before, after, target = line.split(" ", 2)
        row = row_of(target)
        if row is None or row >= rows:
            strays += 1
            continue
        calls[row].append(unix_seconds(int(before)))
        durations.append((int(after) - int(before)) / 1e4)
    starts = {i: [] for i in range(rows)}
    for line in read_lines(markers):
        marker, stamp = line.split(" ", 1)
        row = row_of(marker)
        if row is not None and row < rows:
            starts[row].append(unix_seconds(int(stamp)))

    def lateness_ms(row, at):
        return (at - (start + row)) * 1000

    loaded = lambda row: load_from <= start + row < load_to
    result = {
        "name": name,
        "rows": rows,
        "once": sum(1 for c in calls.values() if len(c) == 1),
        "missed": sum(1 for c in calls.values() if not c),
        "doubled": sum(1 for c in calls.values() if len(c) >= 2),
        "missed_loaded": sum(1 for r, c in calls.items() if not c and loaded(r)),
        "doubled_loaded": sum(1 for r, c in calls.items() if len(c) >= 2 and loaded(r)),
        "rows_loaded": sum(1 for r in calls if loaded(r)),
        "stray_calls": strays,
        # A call outside its row's own second: the real program makes up a
        # second that no tick fell into.
        "outside_second": sum(1 for r, c in calls.items() for at in c
                              if not 0 <= lateness_ms(r, at) < 1000),
        "call_all": spread([lateness_ms(r, c[0]) for r, c in calls.items() if c]),
        "call_quiet": spread([lateness_ms(r, c[0]) for r, c in calls.items() if c and not loaded(r)]),
        "call_loaded": spread([lateness_ms(r, c[0]) for r, c in calls.items() if c and loaded(r)]),
        "call_duration": spread(durations),
        "marker_started": sum(1 for s in starts.values() if s),
        "marker_all": spread([lateness_ms(r, s[0]) for r, s in starts.items() if s]),
        "marker_quiet": spread([lateness_ms(r, s[0]) for r, s in starts.items() if s and not loaded(r)]),
        "marker_loaded": spread([lateness_ms(r, s[0]) for r, s in starts.items() if s and loaded(r)]),
    }
    if ticks != "-":
        stamps = [unix_seconds(int(l)) for l in read_lines(ticks)]
        seconds = [math.floor(s) for s in stamps]
        span = range(start, start + rows)
        per_second = {s: seconds.count(s) for s in span}
        phases = [(s - math.floor(s)) * 1000 for s in stamps]
        gaps = [(b - a) * 1000 for a, b in zip(stamps, stamps[1:])]
        # The program's own share of a call's lateness: from the tick that
        # made the call to the call.
        tick_to_call = []
        for row, c in calls.items():
            for at in c:
                before = [t for t in stamps if t <= at]
                if before:
                    tick_to_call.append((at - before[-1]) * 1000)
        result["ticks"] = {
            "seconds_without_tick": sum(1 for n in per_second.values() if n == 0),
            "seconds_with_two_ticks": sum(1 for n in per_second.values() if n >= 2),
            "phase_ms": spread(phases) | {"min": min(phases) if phases else None},
            "gap_ms": {"min": min(gaps) if gaps else None, "max": max(gaps) if gaps else None},
            "tick_to_call_ms": spread(tick_to_call),
        }
    with open(out, "w") as f:
        json.dump(result, f, indent=1)


def fmt(value, digits=1):
    return "–" if value is None else f"{value:.{digits}f}"


def table(paths):
    results = [json.load(open(p)) for p in paths]
    head = "| | " + " | ".join(r["name"] for r in results) + " |"
    print(head)
    print("|---|" + "---:|" * len(results))

    def line(label, get):
        print(f"| {label} | " + " | ".join(get(r) for r in results) + " |")

    line("rows scheduled (one per second)", lambda r: str(r["rows"]))
    line("launched exactly once", lambda r: str(r["once"]))
    line("missed", lambda r: f'{r["missed"]} ({r["missed_loaded"]} under load)')
    line("doubled", lambda r: f'{r["doubled"]} ({r["doubled_loaded"]} under load)')
    line("shell calls outside the row's second", lambda r: str(r["outside_second"]))
    for part, label in (("all", "all rows"), ("quiet", "quiet"), ("loaded", "under load")):
        line(f"shell-call lateness, {label}: p50 / p99 / max (ms)",
             lambda r, p=part: " / ".join(fmt(r[f"call_{p}"][k]) for k in ("p50", "p99", "max")))
    line("shell call duration: p50 / max (ms)",
         lambda r: " / ".join(fmt(r["call_duration"][k]) for k in ("p50", "max")))
    line("markers started", lambda r: str(r["marker_started"]))
    for part, label in (("all", "all rows"), ("quiet", "quiet"), ("loaded", "under load")):
        line(f"marker start lateness, {label}: p50 / p99 / max (ms)",
             lambda r, p=part: " / ".join(fmt(r[f"marker_{p}"][k]) for k in ("p50", "p99", "max")))
    if any("ticks" in r for r in results):
        line("seconds without a tick / with two ticks",
             lambda r: f'{r["ticks"]["seconds_without_tick"]} / {r["ticks"]["seconds_with_two_ticks"]}'
             if "ticks" in r else "–")
        line("tick arrival in its second: min / p50 / p99 / max (ms)",
             lambda r: " / ".join(fmt(r["ticks"]["phase_ms"][k]) for k in ("min", "p50", "p99", "max"))
             if "ticks" in r else "–")
        line("from tick to shell call: p50 / p99 / max (ms)",
             lambda r: " / ".join(fmt(r["ticks"]["tick_to_call_ms"][k]) for k in ("p50", "p99", "max"))
             if "ticks" in r else "–")
        line("gap between ticks: min / max (ms)",
             lambda r: " / ".join(fmt(r["ticks"]["gap_ms"][k]) for k in ("min", "max"))
             if "ticks" in r else "–")


def main(argv):
    command = argv[1] if len(argv) > 1 else ""
    if command == "schedule" and len(argv) == 6:
        schedule(int(argv[2]), int(argv[3]), argv[4], argv[5])
    elif command == "analyse" and len(argv) == 11:
        analyse(argv[2], int(argv[3]), int(argv[4]), argv[5], argv[6], argv[7],
                int(argv[8]), int(argv[9]), argv[10])
    elif command == "table" and len(argv) > 2:
        table(argv[2:])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
