#!/usr/bin/env python3
"""gbench_ratios.py RESULTS.json: from core_bench's JSON output, how many times
faster parse_date_time_text is than each plain reading of the same text, and
whether the due pass over 10 000 rows stays under 1 ms. Uses the medians when
the run had repetitions."""
import json
import sys


def main(path):
    runs = json.load(open(path))["benchmarks"]
    medians = [b for b in runs if b.get("aggregate_name") == "median"]
    chosen = medians or [b for b in runs if b.get("run_type", "iteration") == "iteration"]
    ns = {}
    for b in chosen:
        name = b["run_name"] if "run_name" in b else b["name"]
        scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b["time_unit"]]
        ns[name] = b["cpu_time"] * scale
    print("| text form | parse_date_time_text (ns) | sscanf + mktime (ns) | × | strptime + mktime (ns) | × |")
    print("|---|---:|---:|---:|---:|---:|")
    for form in ("text_form", "numeric_form", "date_form"):
        ours = ns[f"parse_text/{form}"]
        a = ns[f"sscanf_mktime/{form}"]
        b = ns[f"strptime_mktime/{form}"]
        print(f"| {form} | {ours:.1f} | {a:.0f} | {a / ours:.1f} | {b:.0f} | {b / ours:.1f} |")
    ours = ns["parse_text/numeric_form"]
    print(f"\nReading alone, numeric form: sscanf {ns['sscanf_only/numeric_form']:.0f} ns "
          f"({ns['sscanf_only/numeric_form'] / ours:.1f} ×), strptime "
          f"{ns['strptime_only/numeric_form']:.0f} ns ({ns['strptime_only/numeric_form'] / ours:.1f} ×)")
    print("\n| rows | DueCheck::run_due_check pass (µs) | plain design pass (µs) |")
    print("|---:|---:|---:|")
    for rows in (1000, 10000, 100000):
        print(f"| {rows} | {ns[f'due_check_pass/{rows}'] / 1e3:.0f} | "
              f"{ns[f'plain_design_pass/{rows}'] / 1e3:.0f} |")
    pass_ms = ns["due_check_pass/10000"] / 1e6
    print(f"\nGoal, 10 000 rows under 1 ms: {pass_ms:.3f} ms, {'holds' if pass_ms < 1 else 'MISSED'}")
    print(f"load_schedule_text of a 1 MB file: {ns['load_megabyte'] / 1e6:.2f} ms")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
