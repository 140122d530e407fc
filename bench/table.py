#!/usr/bin/env python3
"""bench/run.sh's table: the benchmarks' rows printed side by side, each
figure beside its floor, then written as CSV and drawn as a PNG chart.

    table.py ROWS NOTES OUT.csv OUT.png

ROWS holds lines "row,figure,program,unit,min,median,max,note"."""
import csv
import sys


def read_rows(path):
    rows = []
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            parts = line.rstrip("\r\n").split(",", 7)
            if len(parts) < 7 or parts[0] != "row":
                continue
            try:
                low, mid, high = (float(v) for v in parts[4:7])
            except ValueError:
                continue
            rows.append({"figure": parts[1], "program": parts[2], "unit": parts[3], "min": low,
                         "median": mid, "max": high, "note": parts[7] if len(parts) > 7 else ""})
    return rows


def figures_in_order(rows):
    order = []
    for r in rows:
        if r["figure"] not in order:
            order.append(r["figure"])
    return order


def add_ratios(rows):
    floors = {r["figure"]: r["median"] for r in rows if r["program"] == "floor"}
    for r in rows:
        floor = floors.get(r["figure"])
        r["x_floor"] = r["median"] / floor if floor and r["program"] != "floor" else None


def number(v):
    return f"{v:.3f}" if v < 10 else f"{v:.1f}" if v < 1000 else f"{v:.0f}"


def print_table(rows, notes):
    head = ("figure", "program", "min", "median", "max", "unit", "x floor", "what")
    lines = [head]
    for figure in figures_in_order(rows):
        for r in (r for r in rows if r["figure"] == figure):
            lines.append((figure, r["program"], number(r["min"]), number(r["median"]), number(r["max"]), r["unit"],
                          f"{r['x_floor']:.2f}" if r["x_floor"] is not None else "", r["note"]))
    widths = [max(len(line[i]) for line in lines) for i in range(len(head) - 1)]
    right = {2, 3, 4, 6}
    for n, line in enumerate(lines):
        cells = [line[i].rjust(widths[i]) if i in right else line[i].ljust(widths[i]) for i in range(len(widths))]
        print("  ".join(cells) + "  " + line[-1])
        if n == 0:
            print("-" * (sum(widths) + 2 * len(widths) + 4))
    if notes:
        print()
        for note in notes:
            print("note: " + note)


def write_csv(rows, path):
    with open(path, "w", newline="", encoding="utf-8") as f:
        out = csv.writer(f)
        out.writerow(["figure", "program", "unit", "min", "median", "max", "x_floor", "note"])
        for r in rows:
            out.writerow([r["figure"], r["program"], r["unit"], r["min"], r["median"], r["max"],
                          "" if r["x_floor"] is None else f"{r['x_floor']:.3f}", r["note"]])


def draw(rows, path):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    groups = [("ms", "time, ms (log scale; bar = median, line = min to max)"), ("MiB", "peak memory, MiB")]
    colours = {"Tavrel": "#2b6cb0", "floor": "#9aa5b1", "Notepad": "#d69e2e", "SciTE": "#38a169"}
    parts = [(unit, title, [r for r in rows if r["unit"] == unit]) for unit, title in groups]
    parts = [p for p in parts if p[2]]
    heights = [max(2.0, 0.28 * len(p[2]) + 1.0) for p in parts]
    fig, axes = plt.subplots(len(parts), 1, figsize=(11, sum(heights)), gridspec_kw={"height_ratios": heights},
                             squeeze=False)
    for ax, (unit, title, part) in zip(axes[:, 0], parts):
        labels, y = [], []
        for i, r in enumerate(reversed(part)):
            colour = next((c for name, c in colours.items() if r["program"].startswith(name)), "#805ad5")
            ax.barh(i, r["median"], color=colour, height=0.7)
            ax.plot([r["min"], r["max"]], [i, i], color="black", linewidth=1)
            ratio = f"  {r['x_floor']:.2f}x floor" if r["x_floor"] is not None else ""
            ax.text(r["max"], i, f" {number(r['median'])}{ratio}", va="center", fontsize=7)
            labels.append(f"{r['figure']} | {r['program']}")
            y.append(i)
        ax.set_yticks(y)
        ax.set_yticklabels(labels, fontsize=7)
        if unit == "ms":
            ax.set_xscale("log")
        ax.set_title(title, fontsize=9)
        ax.margins(x=0.25)
    fig.suptitle("Tavrel benchmarks, each figure beside its floor and peers measured in the same run", fontsize=10)
    fig.tight_layout()
    fig.savefig(path, dpi=110)


def main():
    rows_path, notes_path, csv_path, png_path = sys.argv[1:5]
    rows = read_rows(rows_path)
    if not rows:
        print("no figures were measured", file=sys.stderr)
        return 1
    with open(notes_path, encoding="utf-8", errors="replace") as f:
        notes = [line.strip() for line in f if line.strip()]
    add_ratios(rows)
    print_table(rows, notes)
    write_csv(rows, csv_path)
    try:
        draw(rows, png_path)
    except ImportError as error:
        print(f"no chart: {error}", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
