"""Start-up time of the wizard under Wine, against a minimal Win32 window program started
the same way: from process start until the window is up and its first paint is done.

    python3 e2e/startup_benchmark.py [RUNS]      prints both medians and their ratio
"""
import os
import subprocess
import sys
import tempfile

from wizard import BUILD, WINDOWS, Xvfb, lay_out_install, wine_env


def median_ms(env, program, runs):
    with tempfile.TemporaryFile("w+") as out:
        subprocess.run(["wine", os.path.join(WINDOWS, "e2e", "startup_timer.exe"), program, str(runs)], env=env,
                       stdout=out, stderr=subprocess.DEVNULL, timeout=600, check=True)
        out.seek(0)
        return float(out.read().strip())


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 9
    wizard_dir = os.path.join(BUILD, "e2e-install", "wizard")
    lay_out_install(wizard_dir)
    xvfb = Xvfb()
    env = wine_env(xvfb.display)
    try:
        subprocess.run(["wineserver", "-p"], env=env)
        minimal = median_ms(env, os.path.join(WINDOWS, "e2e", "minimal_window.exe"), runs)
        wizard = median_ms(env, os.path.join(wizard_dir, "apiwizard.exe"), runs)
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        xvfb.stop()
    print(f"minimal window: {minimal:.1f} ms, wizard: {wizard:.1f} ms, ratio {wizard / minimal:.2f}")


if __name__ == "__main__":
    main()
