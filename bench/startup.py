#!/usr/bin/python3
"""Start-up from outside: how long from starting a program to its first window drawn on screen.

Watches the X display (python3-xlib, with the Damage extension). Each drawing into a program's
top-level window, once it is mapped, is dated. Mapping alone already damages the window (the
server clears it to its background), so "mapped" is the first damage and "drawn" the last one
before the window has been still for SETTLE_SECONDS: the frame the program painted. Each program
is started RUNS times, the programs by turns; prints the medians of each and the ratio of its
drawn time to the first program's.

    bench/startup.py [--runs N] NAME=DIR:COMMAND ...

Each program starts in DIR. Needs DISPLAY (an Xvfb of its own, say). No program may be running
on the display already.
"""
import argparse
import statistics
import subprocess
import time

from Xlib import X, display
from Xlib.ext import damage

SETTLE_SECONDS = 0.15
LIMIT_SECONDS = 20


def time_to_drawn(disp, root, damage_notify, folder, command):
    """Seconds from starting `command` in `folder` to its window mapped, and to it drawn."""
    start = time.perf_counter()
    process = subprocess.Popen("exec " + command, cwd=folder, shell=True, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    damages = []
    try:
        while not damages or time.perf_counter() - start - damages[-1] < SETTLE_SECONDS:
            if process.poll() is not None:
                raise RuntimeError(f"{command} ended before it drew")
            if time.perf_counter() - start > LIMIT_SECONDS:
                raise RuntimeError(f"{command} did not draw and settle in {LIMIT_SECONDS} s")
            if disp.pending_events() == 0:
                time.sleep(0.0002)
                continue
            event = disp.next_event()
            if event.type == X.MapNotify and event.window.id != root.id:
                event.window.damage_create(damage.DamageReportRawRectangles)
            elif event.type == damage_notify:
                damages.append(time.perf_counter() - start)
    finally:
        process.terminate()
        process.wait()
        disp.sync()
    return damages[0], damages[-1]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=30)
    parser.add_argument("programs", nargs="+", help="NAME=DIR:COMMAND")
    args = parser.parse_args()
    programs = []
    for program in args.programs:
        name, rest = program.split("=", 1)
        folder, command = rest.split(":", 1)
        programs.append((name, folder, command))

    disp = display.Display()
    if not disp.has_extension("DAMAGE"):
        raise SystemExit("the display has no Damage extension")
    disp.damage_query_version()
    damage_notify = disp.extension_event.DamageNotify
    root = disp.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    disp.sync()

    mapped = {name: [] for name, _, _ in programs}
    drawn = {name: [] for name, _, _ in programs}
    for _ in range(args.runs):
        for name, folder, command in programs:
            first, last = time_to_drawn(disp, root, damage_notify, folder, command)
            mapped[name].append(first)
            drawn[name].append(last)
            # Let the last program's window go before the next starts.
            time.sleep(0.05)
            while disp.pending_events():
                disp.next_event()
    first_drawn = statistics.median(drawn[programs[0][0]])
    for name, _, _ in programs:
        median = statistics.median(drawn[name])
        print(f"{name}: drawn {median * 1000:.1f} ms (mapped {statistics.median(mapped[name]) * 1000:.1f} ms), "
              f"median over {args.runs} starts, {median / first_drawn:.2f}x {programs[0][0]}")


if __name__ == "__main__":
    main()
