#!/usr/bin/python3
"""Start-up from outside: how long from starting a program to its first window drawn on screen.

Watches the X display (python3-xlib, with the Damage extension): the time runs from just before
the program is started to the first drawing into its top-level window once it is mapped. Each
program is started RUNS times, the programs by turns; prints the median of each and its ratio to
the first's.

    bench/startup.py [--runs N] NAME=DIR:COMMAND ...

Each program starts in DIR. Needs DISPLAY (an Xvfb of its own, say). No program may be running
on the display already.
"""
import argparse
import os
import statistics
import subprocess
import time

from Xlib import X, display
from Xlib.ext import damage


def time_to_drawn(disp, root, damage_notify, folder, command):
    """Seconds from starting `command` in `folder` to the first damage of its mapped window."""
    start = time.perf_counter()
    process = subprocess.Popen("exec " + command, cwd=folder, shell=True, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    drawn = None
    watched = []
    try:
        while drawn is None:
            if process.poll() is not None:
                raise RuntimeError(f"{command} ended before it drew")
            if time.perf_counter() - start > 20:
                raise RuntimeError(f"{command} drew nothing in 20 s")
            while disp.pending_events() == 0:
                time.sleep(0.0002)
            event = disp.next_event()
            if event.type == X.MapNotify and event.window.id != root.id:
                watched.append(event.window.damage_create(damage.DamageReportNonEmpty))
            elif event.type == damage_notify:
                drawn = time.perf_counter() - start
    finally:
        process.terminate()
        process.wait()
        disp.sync()
    return drawn


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

    times = {name: [] for name, _, _ in programs}
    for _ in range(args.runs):
        for name, folder, command in programs:
            times[name].append(time_to_drawn(disp, root, damage_notify, folder, command))
            # Let the last program's window go before the next starts.
            time.sleep(0.05)
            while disp.pending_events():
                disp.next_event()
    first = statistics.median(times[programs[0][0]])
    for name, _, _ in programs:
        median = statistics.median(times[name])
        print(f"{name}: median {median * 1000:.1f} ms over {args.runs} starts, "
              f"{median / first:.2f}x {programs[0][0]}")


if __name__ == "__main__":
    main()
