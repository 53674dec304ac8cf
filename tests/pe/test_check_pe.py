#!/usr/bin/python3
"""Shows that check_pe.py finds each fault it is meant to find, on real files:

    test_check_pe.py I686_PROGRAM X64_PROGRAM MINGW_I686_DLL

I686_PROGRAM is a console program of the 32-bit build, X64_PROGRAM the same program of the
64-bit build, MINGW_I686_DLL the 32-bit libstdc++-6.dll of the cross compiler.
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_pe  # noqa: E402

I686_PROGRAM, X64_PROGRAM, MINGW_DLL = sys.argv[1:4]


class CheckPe(unittest.TestCase):
    def test_static_32_bit_program_passes(self):
        self.assertEqual([], check_pe.check_file(I686_PROGRAM))

    def test_64_bit_program_is_refused(self):
        problems = check_pe.check_file(X64_PROGRAM)
        self.assertEqual(1, len(problems), problems)
        self.assertIn("not 32-bit", problems[0])

    def test_mingw_runtime_imports_are_refused(self):
        problems = check_pe.check_file(MINGW_DLL)
        text = "\n".join(problems)
        self.assertIn("libgcc_s_dw2-1.dll, a MinGW runtime DLL", text)
        self.assertIn("libwinpthread-1.dll, a MinGW runtime DLL", text)
        self.assertIn("carries a time stamp", text)
        self.assertNotIn("not 32-bit", text)

    def test_console_program_named_as_the_tool_is_refused(self):
        name = os.path.basename(I686_PROGRAM)
        problems = check_pe.check_file(I686_PROGRAM, program_name=name.upper())
        self.assertEqual(1, len(problems), problems)
        self.assertIn("not a GUI program (subsystem 3)", problems[0])

    def test_other_files_are_not_held_to_the_gui_rule(self):
        self.assertEqual([], check_pe.check_file(I686_PROGRAM, program_name="Tool.exe"))

    def test_missing_tool_fails_only_when_required(self):
        folder = os.path.dirname(I686_PROGRAM)
        self.assertEqual(0, check_pe.main([folder, "--program", "Absent.exe"]))
        self.assertEqual(1, check_pe.main([folder, "--program", "Absent.exe",
                                           "--require-program"]))

    def test_folder_without_binaries_fails(self):
        self.assertEqual(1, check_pe.main([os.path.dirname(os.path.abspath(__file__))]))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
