import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
try:
    import sdk_constants
except ImportError:  # no python3-clang
    sdk_constants = None


@unittest.skipUnless(sdk_constants, "python3-clang is not installed")
class SdkConstantsTest(unittest.TestCase):
    def test_acronyms_of_the_whole_name_then_without_the_verb(self):
        self.assertEqual(sdk_constants.acronyms("SetLayeredWindowAttributes"), ["SLWA", "LWA"])
        self.assertEqual(sdk_constants.acronyms("AnimateWindow"), ["AW"])
        self.assertEqual(sdk_constants.acronyms("MessageBoxExA"), ["MB"])
        self.assertEqual(sdk_constants.acronyms("ShowWindow"), ["SW"])

    def test_a_comment_names_families_and_known_constants_once(self):
        known = {"FILE_ATTRIBUTE_NORMAL", "GENERIC_READ"}
        self.assertEqual(sdk_constants.named_in("FILE_FLAG_*、GENERIC_READ（0x80000000）、GENERIC_READ、OTHER_X、X*",
                                                known), ["FILE_FLAG_*", "GENERIC_READ"])

    def test_flag_names(self):
        for name in ("dwFlags", "uType", "nCmdShow", "uFlags", "dwMode"):
            self.assertTrue(sdk_constants.FLAG_NAME.fullmatch(name), name)
        for name in ("dwTime", "hWnd", "cbSize", "dwFlagsEx"):
            self.assertFalse(sdk_constants.FLAG_NAME.fullmatch(name), name)


if __name__ == "__main__":
    unittest.main()
