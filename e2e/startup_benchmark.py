"""Start-up time of the wizard under Wine, against three yardsticks started the same way:
from process start until the window is up and its first paint is done.

  - the minimal window: a bare Win32 window, what Wine takes for any window program;
  - the text window: the wizard's manifest (common controls 6, DPI aware) and one line
    of Chinese text in the wizard's control font, what Wine takes for a window of the
    wizard's kind. The wizard's ratio to it is the wizard's own cost;
  - the controls window: the wizard's window made from its design table with plain
    CreateWindowExW, every control of the first paint but empty, what Wine takes to make,
    show and paint that many native windows.

    python3 e2e/startup_benchmark.py [ROUNDS] [KEPT]    prints the medians and the wizard's ratios

With KEPT, the wizard starts each time with that many APIs kept in its chosen list from
the run before (and keeps them again when it closes); without, as on a first run.

The machine may be busy with other work, in bursts of seconds: the programs take turns one
start at a time, each round beginning with the next program, so that the starts compared
in a round lie as close together as they can; the ratios are the medians of the rounds'
ratios.
"""
import glob
import os
import statistics
import subprocess
import sys
import tempfile

from wizard import BUILD, ROOT, WINDOWS, Xvfb, forget_kept_state, kept_state_file, lay_out_install, wine_env


def keep_apis(count):
    """A kept state whose chosen list holds the first `count` hand-written APIs, ticked."""
    names = []
    for path in sorted(glob.glob(os.path.join(ROOT, "data", "catalog", "*.txt"))):
        with open(path, encoding="utf-8") as f:
            names += [line.split(",")[2] for line in f if line.count(",") >= 2]
    lines = [b"kelvane-api-wizard-state 1"] + [b"chosen ticked api " + n.encode("gbk") for n in names[:count]]
    path = kept_state_file()
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(b"\r\n".join(lines + [b"end", b""]))


def rounds_ms(env, programs, rounds):
    """One row per round: each program's start-up in milliseconds, in the order given."""
    with tempfile.TemporaryFile("w+") as out:
        subprocess.run(["wine", os.path.join(WINDOWS, "e2e", "startup_timer.exe"), str(rounds), *programs], env=env,
                       stdout=out, stderr=subprocess.DEVNULL, timeout=60 * rounds, check=True)
        out.seek(0)
        rows = [[float(ms) for ms in line.split()] for line in out if line.strip()]
    if len(rows) != rounds or any(ms < 0 for row in rows for ms in row):
        raise RuntimeError("a program did not start")
    return rows


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 50
    kept = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    wizard_dir = os.path.join(BUILD, "e2e-install", "wizard")
    lay_out_install(wizard_dir)
    if kept:
        keep_apis(kept)
    else:
        forget_kept_state()
    programs = {"minimal window": os.path.join(WINDOWS, "e2e", "minimal_window.exe"),
                "text window": os.path.join(WINDOWS, "e2e", "text_window.exe"),
                "controls window": os.path.join(WINDOWS, "e2e", "controls_window.exe"),
                "wizard": os.path.join(wizard_dir, "apiwizard.exe")}
    xvfb = Xvfb()
    env = wine_env(xvfb.display)
    try:
        subprocess.run(["wineserver", "-p"], env=env)
        rows = rounds_ms(env, list(programs.values()), rounds)
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        xvfb.stop()
    times = {name: [row[i] for row in rows] for i, name in enumerate(programs)}
    ratio = lambda a, b: statistics.median(x / y for x, y in zip(times[a], times[b]))
    print(", ".join(f"{name}: {statistics.median(t):.1f} ms" for name, t in times.items()))
    print(", ".join(f"wizard / {base}: {ratio('wizard', base):.3f}" for base in programs if base != "wizard"))
    print(f"controls window / text window: {ratio('controls window', 'text window'):.3f}")


if __name__ == "__main__":
    main()
