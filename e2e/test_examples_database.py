"""The examples database beside the real program under Wine: while the wizard runs it holds
"API例程.edb" and "API例程.EDT" so that no other program can open them; once it has ended
they open again."""
import os
import subprocess
import tempfile
import unittest

from wizard import EXAMPLES_DATABASE, Wizard

NAMES = [os.path.basename(path) for path in EXAMPLES_DATABASE]


def type_file(env, folder, name):
    """The console's `type` of the file, as another program would open it: what it prints.
    The output goes through a file, as with the probes."""
    with tempfile.TemporaryFile("w+b") as out:
        subprocess.run(["wine", "cmd", "/c", "type", name], cwd=folder, env=env, stdout=out, stderr=subprocess.STDOUT,
                       timeout=60)
        out.seek(0)
        return out.read()


class ExamplesDatabaseTest(unittest.TestCase):
    def test_both_files_are_held_while_the_wizard_runs(self):
        w = Wizard()
        w.start()
        folder = os.path.join(w.install, "wizard")
        try:
            w.screenshot("examples-database-held")
            for name in NAMES:
                printed = type_file(w.env, folder, name)
                self.assertIn(b"Sharing violation", printed, name)
        finally:
            w.stop()
        try:
            self.assertTrue(type_file(w.env, folder, NAMES[0]).startswith(b"WEDB"))
            self.assertTrue(type_file(w.env, folder, NAMES[1]).startswith(b"WEDT"))
        finally:
            subprocess.run(["wineserver", "-k"], env=w.env, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=w.env, stderr=subprocess.DEVNULL)


if __name__ == "__main__":
    unittest.main()
