#!/usr/bin/python3
"""Checks the PE headers of the 32-bit build's programs and libraries.

    check_pe.py I686_BUILD_DIR [--program NAME] [--require-program]

Every .exe and .dll under the folder (CMake's own probes excepted) must be a 32-bit x86 image
and may import only DLLs that a clean Windows 10 has: the MinGW runtime DLLs (libstdc++-6,
libgcc_s_*, libwinpthread-1) are not among them, so a missed -static shows up here. The tool
itself (--program, when present) must be a GUI program, so that no console window opens with it.
No file may carry a time stamp, which would make two builds of one commit differ.
Exit status 0 when every file passes, 1 otherwise.
"""

import argparse
import os
import sys

import pefile

# System DLLs of a clean Windows 10 that the tool and its tests may import.
WINDOWS10_DLLS = {
    "advapi32.dll", "bcrypt.dll", "cfgmgr32.dll", "comctl32.dll", "comdlg32.dll", "crypt32.dll",
    "dbghelp.dll", "dnsapi.dll", "dwmapi.dll", "gdi32.dll", "gdiplus.dll", "imm32.dll",
    "iphlpapi.dll", "kernel32.dll", "mpr.dll", "msimg32.dll", "msvcrt.dll", "netapi32.dll",
    "ntdll.dll", "ole32.dll", "oleaut32.dll", "powrprof.dll", "psapi.dll", "rpcrt4.dll",
    "secur32.dll", "setupapi.dll", "shcore.dll", "shell32.dll", "shlwapi.dll", "ucrtbase.dll",
    "urlmon.dll", "user32.dll", "userenv.dll", "uxtheme.dll", "version.dll", "winhttp.dll",
    "wininet.dll", "winmm.dll", "winspool.drv", "wintrust.dll", "ws2_32.dll", "wtsapi32.dll",
}
# The universal C runtime's forwarders are part of Windows 10 as well.
WINDOWS10_PREFIXES = ("api-ms-win-crt-", "api-ms-win-core-")

MINGW_RUNTIME_PREFIXES = ("libstdc++", "libgcc_s", "libwinpthread", "libssp", "libgomp",
                          "libatomic", "libquadmath")

IMAGE_FILE_MACHINE_I386 = 0x14C
PE32_MAGIC = 0x10B
IMAGE_SUBSYSTEM_WINDOWS_GUI = 2


def imported_dlls(pe):
    pe.parse_data_directories(directories=[
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"],
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT"]])
    names = []
    for attribute in ("DIRECTORY_ENTRY_IMPORT", "DIRECTORY_ENTRY_DELAY_IMPORT"):
        for entry in getattr(pe, attribute, []):
            names.append(entry.dll.decode("ascii", "replace"))
    return names


def check_file(path, program_name=None):
    """Returns the list of problems found in one PE file (empty when it passes)."""
    problems = []
    try:
        pe = pefile.PE(path, fast_load=True)
    except pefile.PEFormatError as error:
        return ["%s: not a PE file (%s)" % (path, error)]
    try:
        if pe.FILE_HEADER.Machine != IMAGE_FILE_MACHINE_I386 or \
                pe.OPTIONAL_HEADER.Magic != PE32_MAGIC:
            problems.append("%s: not 32-bit (machine 0x%x, optional header 0x%x)"
                            % (path, pe.FILE_HEADER.Machine, pe.OPTIONAL_HEADER.Magic))
        for dll in imported_dlls(pe):
            name = dll.lower()
            if name in WINDOWS10_DLLS or name.startswith(WINDOWS10_PREFIXES):
                continue
            kind = "a MinGW runtime DLL" if name.startswith(MINGW_RUNTIME_PREFIXES) \
                else "a DLL that a clean Windows 10 lacks"
            problems.append("%s: imports %s, %s" % (path, dll, kind))
        pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY[
            "IMAGE_DIRECTORY_ENTRY_" + d] for d in ("EXPORT", "RESOURCE", "DEBUG")])
        tables = [getattr(pe, a) for a in ("DIRECTORY_ENTRY_EXPORT", "DIRECTORY_ENTRY_RESOURCE")
                  if hasattr(pe, a)] + getattr(pe, "DIRECTORY_ENTRY_DEBUG", [])
        if pe.FILE_HEADER.TimeDateStamp or any(t.struct.TimeDateStamp for t in tables):
            problems.append("%s: carries a time stamp" % path)
        if program_name and os.path.basename(path).lower() == program_name.lower() and \
                pe.OPTIONAL_HEADER.Subsystem != IMAGE_SUBSYSTEM_WINDOWS_GUI:
            problems.append("%s: not a GUI program (subsystem %d)"
                            % (path, pe.OPTIONAL_HEADER.Subsystem))
    finally:
        pe.close()
    return problems


def binaries(root):
    for folder, subfolders, files in os.walk(root):
        # CMake's compiler probes and Wine prefixes are not ours.
        subfolders[:] = [d for d in subfolders if d != "CMakeFiles" and not d.startswith("prefix-")]
        for name in sorted(files):
            if name.lower().endswith((".exe", ".dll")):
                yield os.path.join(folder, name)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("root")
    parser.add_argument("--program", help="file name of the tool, which must be a GUI program")
    parser.add_argument("--require-program", action="store_true",
                        help="fail when the tool is not in the folder")
    args = parser.parse_args(argv)

    files = list(binaries(args.root))
    if not files:
        print("no .exe or .dll under %s: is the 32-bit build done?" % args.root)
        return 1
    problems = []
    for path in files:
        problems += check_file(path, args.program)
    found = args.program and any(os.path.basename(p).lower() == args.program.lower()
                                 for p in files)
    if args.require_program and not found:
        problems.append("%s is not under %s" % (args.program, args.root))
    for problem in problems:
        print(problem)
    print("%d file(s) checked, %d problem(s)" % (len(files), len(problems)))
    if args.program and not found and not args.require_program:
        print("%s is not built yet; its subsystem was not checked" % args.program)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
