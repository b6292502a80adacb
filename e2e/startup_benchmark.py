"""Start-up time of the wizard under Wine, against two yardsticks started the same way:
from process start until the window is up and its first paint is done.

  - the minimal window: a bare Win32 window, what Wine takes for any window program;
  - the text window: the wizard's manifest (common controls 6, DPI aware) and one line
    of Chinese text in the wizard's control font, what Wine takes for a window of the
    wizard's kind. The wizard's ratio to it is the wizard's own cost;
  - the controls window: the wizard's window made from its design table with plain
    CreateWindowExW, every control of the first paint but empty, what Wine takes to make,
    show and paint that many native windows.

    python3 e2e/startup_benchmark.py [ROUNDS]    prints the medians and the wizard's ratios

The machine may be busy with other work: the programs take turns, a few starts each per
round, and the ratios are the medians of the rounds' ratios.
"""
import os
import statistics
import subprocess
import sys
import tempfile

from wizard import BUILD, WINDOWS, Xvfb, lay_out_install, wine_env

STARTS_PER_ROUND = 3


def median_ms(env, program, runs):
    with tempfile.TemporaryFile("w+") as out:
        subprocess.run(["wine", os.path.join(WINDOWS, "e2e", "startup_timer.exe"), program, str(runs)], env=env,
                       stdout=out, stderr=subprocess.DEVNULL, timeout=600, check=True)
        out.seek(0)
        ms = float(out.read().strip())
    if ms < 0:
        raise RuntimeError(f"{program} did not start")
    return ms


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    wizard_dir = os.path.join(BUILD, "e2e-install", "wizard")
    lay_out_install(wizard_dir)
    programs = {"minimal window": os.path.join(WINDOWS, "e2e", "minimal_window.exe"),
                "text window": os.path.join(WINDOWS, "e2e", "text_window.exe"),
                "controls window": os.path.join(WINDOWS, "e2e", "controls_window.exe"),
                "wizard": os.path.join(wizard_dir, "apiwizard.exe")}
    times = {name: [] for name in programs}
    xvfb = Xvfb()
    env = wine_env(xvfb.display)
    try:
        subprocess.run(["wineserver", "-p"], env=env)
        for _ in range(rounds):
            for name, program in programs.items():
                times[name].append(median_ms(env, program, STARTS_PER_ROUND))
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        xvfb.stop()
    ratio = lambda base: statistics.median(w / b for w, b in zip(times["wizard"], times[base]))
    print(", ".join(f"{name}: {statistics.median(t):.1f} ms" for name, t in times.items()))
    print(", ".join(f"wizard / {base}: {ratio(base):.2f}" for base in programs if base != "wizard"))
    print(f"controls window / text window: {statistics.median(c / t for c, t in zip(times['controls window'], times['text window'])):.2f}")


if __name__ == "__main__":
    main()
