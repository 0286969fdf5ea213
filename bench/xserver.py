"""What the benchmark scripts share: an X server of their own, and the CPU
time of a process read from /proc."""

import subprocess
import time
from pathlib import Path


def cpu_ms(pid):
    """CPU time of a process so far, all its threads, in milliseconds, or
    None when it is gone."""
    total = 0
    try:
        for task in Path(f"/proc/{pid}/task").iterdir():
            try:
                total += int((task / "schedstat").read_text().split()[0])
            except (OSError, IndexError):
                pass  # a thread that just ended
    except OSError:
        return None
    return total / 1e6


def free_display(caller):
    for number in range(90, 200):
        if not Path(f"/tmp/.X{number}-lock").exists() and not Path(f"/tmp/.X11-unix/X{number}").exists():
            return number
    raise SystemExit(f"{caller}: no free X display number")


def start_xvfb(caller, size, *options):
    """Starts Xvfb at `size` ("1280x800") on a free display and waits until it
    takes connections; returns the server process and the display name."""
    number = free_display(caller)
    server = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", f"{size}x24", *options, "-nolisten", "tcp"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        if Path(f"/tmp/.X11-unix/X{number}").exists():
            time.sleep(0.2)
            return server, f":{number}"
        if server.poll() is not None:
            break
        time.sleep(0.05)
    server.kill()
    raise SystemExit(f"{caller}: Xvfb did not start")
