#!/usr/bin/env python3
"""Checks that the product folders only include downwards.

    check_layers.py [SOURCE_DIR]

Every `#include "..."` in the product folders must name a header of the folder itself or of a
folder it may use, and each folder's libraries may link only those folders' libraries; engine/
may also include no window header beyond <windows.h>. Prints one line per offence (file:line:
folder may not include "header") and exits with 1 when there is any. tests/ is not checked.
"""
import os
import re
import sys

# Each folder and the folders it may use, bottom up. Headers generated into the build tree
# (base/ToolVersion.h) are named by their path too, so they count as their folder's.
ALLOWED = {
    "base": [],
    "framework": ["base"],
    "log": ["base"],
    "feedback": ["base"],
    "engine": ["base", "log"],
    "host": ["base", "feedback/FeedbackApi.h"],
    "ui/skin": ["base", "framework"],
    "ui/controls": ["base", "framework", "ui/skin"],
    "ui/dialogs": ["base", "framework", "ui/skin", "ui/controls", "log", "engine", "host", "res"],
    "res": ["base"],
    "tools": ["host"],
}
ALLOWED["app"] = sorted(set(ALLOWED) - {"tools"})

# The engine draws nothing: no window header beyond <windows.h>.
WINDOW_HEADERS = {"commctrl.h", "commdlg.h", "dwmapi.h", "gdiplus.h", "richedit.h", "uxtheme.h",
                  "windowsx.h"}
NO_WINDOW_HEADERS = {"engine"}

SOURCE_SUFFIXES = (".h", ".cpp", ".rc", ".in")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')


def folder_of(path):
    """The product folder a path (relative to the source folder, with /) lies in, or None."""
    return max((f for f in ALLOWED if path == f or path.startswith(f + "/")), key=len, default=None)


def may_include(folder, header):
    if "/" not in header:
        return True  # beside the including file
    target = folder_of(header)
    return target == folder or target in ALLOWED[folder] or header in ALLOWED[folder]


def check_links(top):
    """Libraries may link only libraries of the folders whose headers they may include whole."""
    owner = {}
    links = []
    for folder in ALLOWED:
        path = os.path.join(top, folder, "CMakeLists.txt")
        if not os.path.isfile(path):
            continue
        with open(path, encoding="utf-8") as script:
            text = re.sub(r"#[^\n]*", "", script.read())
        for name in re.findall(r"add_library\(\s*([\w-]+)", text):
            owner[name] = folder
        for name, used in re.findall(r"target_link_libraries\(\s*([\w-]+)([^)]*)\)", text):
            links += [(folder, name, library) for library in used.split()]
    return ["%s/CMakeLists.txt: %s may not link %s (%s/)" % (folder, name, library, owner[library])
            for folder, name, library in links
            if library in owner and owner[library] != folder
            and owner[library] not in ALLOWED[folder]]


def check(top):
    problems = []
    includes = 0
    for folder in sorted(ALLOWED):
        root = os.path.join(top, folder)
        if not os.path.isdir(root):
            if folder != "app":  # not written yet
                problems.append("%s/: folder missing" % folder)
            continue
        for directory, subdirs, files in os.walk(root):
            subdirs[:] = sorted(d for d in subdirs if folder_of(
                os.path.relpath(os.path.join(directory, d), top).replace(os.sep, "/")) == folder)
            for name in sorted(f for f in files if f.endswith(SOURCE_SUFFIXES)):
                path = os.path.join(directory, name)
                shown = os.path.relpath(path, top).replace(os.sep, "/")
                with open(path, encoding="utf-8", errors="replace") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        includes += 1
                        quote, header = match.groups()
                        if quote == '"' and not may_include(folder, header):
                            problems.append('%s:%d: %s/ may not include "%s"'
                                            % (shown, number, folder, header))
                        elif (quote == "<" and folder in NO_WINDOW_HEADERS
                              and header.lower() in WINDOW_HEADERS):
                            problems.append("%s:%d: %s/ includes the window header <%s>"
                                            % (shown, number, folder, header))
    problems += check_links(top)
    if includes == 0:
        problems.append("%s: no include found; is this the source folder?" % top)
    return problems, includes


def main():
    top = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    problems, includes = check(os.path.abspath(top))
    for problem in problems:
        print(problem)
    if problems:
        print("%d use(s) against the layers" % len(problems))
        return 1
    print("%d includes checked, all downwards" % includes)
    return 0


if __name__ == "__main__":
    sys.exit(main())
