"""Starts programs in turn on the X display in $DISPLAY and reports, per program,
the time from exec to its top-level window being mapped and its peak resident
memory. Run by measure_startup, which provides the X server."""

import argparse
import os
import select
import signal
import statistics
import subprocess
import sys
import time
from dataclasses import dataclass

from Xlib import X, display
from Xlib.protocol import event as xevent

SETTLE_SECONDS = 0.3  # lets the first paint finish before memory is read
CLOSE_TIMEOUT_SECONDS = 5.0
MAP_TIMEOUT_SECONDS = 20.0


@dataclass
class Run:
    map_ms: float  # exec to the MapNotify of the window
    cpu_ms: float  # CPU time of the process by then
    hwm_kib: int  # peak resident memory once the window has painted


def child_environment():
    env = dict(os.environ)
    env["QT_QPA_PLATFORM"] = "xcb"
    # Accessibility off, as for most users: nothing forces Qt's bridge on, and no
    # AT-SPI bus is registered on the session bus for it to find.
    for name in ("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "QT_ACCESSIBILITY", "AT_SPI_BUS_ADDRESS",
                 "QT_DEBUG_PLUGINS", "QT_LOGGING_RULES"):
        env.pop(name, None)
    return env


def window_pid(disp, window):
    try:
        prop = window.get_full_property(disp.get_atom("_NET_WM_PID"), X.AnyPropertyType)
    except Exception:  # the window may already be gone
        return None
    return prop.value[0] if prop and len(prop.value) else None


def wait_for_map(disp, pid, started):
    """Seconds from `started` to the MapNotify of `pid`'s first managed top-level window."""
    deadline = started + MAP_TIMEOUT_SECONDS
    while True:
        while disp.pending_events():
            ev = disp.next_event()
            # Stamped on arrival, before the round trip that tells whose window it is.
            now = time.perf_counter()
            if ev.type == X.MapNotify and not ev.override and window_pid(disp, ev.window) == pid:
                return now - started, ev.window
        remaining = deadline - time.perf_counter()
        if remaining <= 0:
            raise TimeoutError(f"process {pid} mapped no window in {MAP_TIMEOUT_SECONDS} s")
        select.select([disp.fileno()], [], [], remaining)


def cpu_seconds(pid):
    """CPU time of all the process's threads, in nanosecond resolution. Unlike the
    wall-clock time it hardly moves when other work shares the cores."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as schedstat:
                total += int(schedstat.read().split()[0])
        except FileNotFoundError:  # a thread that ended meanwhile
            pass
    return total / 1e9


def peak_rss_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise RuntimeError(f"no VmHWM for process {pid}")


def ask_to_close(disp, window):
    protocols = disp.get_atom("WM_PROTOCOLS")
    delete = disp.get_atom("WM_DELETE_WINDOW")
    message = xevent.ClientMessage(window=window, client_type=protocols,
                                   data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(message, event_mask=0)
    disp.flush()


def reap(child):
    deadline = time.monotonic() + CLOSE_TIMEOUT_SECONDS
    while time.monotonic() < deadline:
        if child.poll() is not None:
            return True
        time.sleep(0.01)
    child.send_signal(signal.SIGKILL)
    child.wait()
    return False


def run_once(disp, program, env, log):
    while disp.pending_events():  # leftovers of the previous program
        disp.next_event()
    started = time.perf_counter()
    child = subprocess.Popen([program], env=env, stdin=subprocess.DEVNULL,
                             stdout=log, stderr=log)
    try:
        seconds, window = wait_for_map(disp, child.pid, started)
        cpu = cpu_seconds(child.pid)
        time.sleep(SETTLE_SECONDS)
        hwm = peak_rss_kib(child.pid)
        ask_to_close(disp, window)
    except BaseException:
        child.kill()
        child.wait()
        raise
    if not reap(child):
        print(f"{program} ignored WM_DELETE_WINDOW and was killed", file=sys.stderr)
    return Run(seconds * 1000.0, cpu * 1000.0, hwm)


def summary(values, unit, digits):
    return (f"median {statistics.median(values):.{digits}f} {unit}  "
            f"(min {min(values):.{digits}f}, max {max(values):.{digits}f})")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("programs", nargs=2, metavar="PROGRAM",
                        help="the program measured, then the floor it is compared with")
    parser.add_argument("--runs", type=int, default=60, help="measured runs of each program")
    parser.add_argument("--warmup", type=int, default=2, help="unrecorded runs of each first")
    parser.add_argument("--log", default=os.devnull, help="file for the programs' output")
    args = parser.parse_args()

    disp = display.Display()
    disp.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
    disp.sync()
    env = child_environment()
    results = [[] for _ in args.programs]
    with open(args.log, "ab") as log:
        for turn in range(args.warmup + args.runs):
            # Alternating spreads any disturbance from other work over both programs,
            # and swapping who goes first each turn spreads any advantage of going second.
            pairs = list(zip(args.programs, results))
            for program, runs in pairs if turn % 2 == 0 else reversed(pairs):
                run = run_once(disp, program, env, log)
                if turn >= args.warmup:
                    runs.append(run)
                time.sleep(0.1)

    medians = []
    for program, runs in zip(args.programs, results):
        times = [run.map_ms for run in runs]
        cpu = [run.cpu_ms for run in runs]
        memory = [run.hwm_kib / 1024.0 for run in runs]
        medians.append([statistics.median(values) for values in (times, cpu, memory)])
        print(f"{os.path.basename(program)}: {len(runs)} runs")
        print(f"  exec to window mapped:   {summary(times, 'ms', 1)}")
        print(f"  CPU time until mapped:   {summary(cpu, 'ms', 1)}")
        print(f"  peak resident memory:    {summary(memory, 'MiB', 2)}")
    program, floor = args.programs
    names = f"{os.path.basename(program)}/{os.path.basename(floor)}"
    ratios = [mine / least for mine, least in zip(*medians)]
    print(f"ratio {names} of medians: "
          f"time {ratios[0]:.3f}, CPU time {ratios[1]:.3f}, memory {ratios[2]:.3f}")
    # Each pair ran back to back, so other work on the machine moves both alike.
    paired = [statistics.median(mine.map_ms / least.map_ms for mine, least in zip(*results)),
              statistics.median(mine.cpu_ms / least.cpu_ms for mine, least in zip(*results))]
    print(f"median of the run-by-run ratios {names}: "
          f"time {paired[0]:.3f}, CPU time {paired[1]:.3f}")


if __name__ == "__main__":
    main()
