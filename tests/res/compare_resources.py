#!/usr/bin/python3
"""Compares the resources of the 64-bit and 32-bit builds of the same programs.

    compare_resources.py X64_ROOT I686_ROOT X64_PROGRAM...

Each X64_PROGRAM lies under X64_ROOT; its 32-bit twin lies at the same place under I686_ROOT.
Both must carry exactly the same resources, byte for byte, and in both the manifest (administrator
rights, DPI awareness, common controls 6, Windows 10), the version 1.9.22.1021 and the dialog
templates (sizes in dialog units, styles, fonts, controls) must be what the tool's windows use.
Exit status 0 when all of that holds, 1 otherwise.
"""

import os
import struct
import sys
import xml.etree.ElementTree as ElementTree

import pefile

RT_DIALOG, RT_VERSION, RT_MANIFEST = 5, 16, 24

WS_POPUP, WS_CHILD, WS_VISIBLE = 0x80000000, 0x40000000, 0x10000000
WS_CAPTION, WS_BORDER, WS_SYSMENU = 0x00C00000, 0x00800000, 0x00080000
WS_GROUP, WS_TABSTOP = 0x00020000, 0x00010000
DS_SETFONT, DS_MODALFRAME = 0x40, 0x80
WS_EX_APPWINDOW = 0x00040000
BS_AUTOCHECKBOX, BS_OWNERDRAW, BS_DEFPUSHBUTTON = 0x3, 0xB, 0x1
SS_ICON, SS_NOPREFIX = 0x3, 0x80
ES_AUTOHSCROLL = 0x80
BUTTON, EDIT, STATIC = 0x80, 0x81, 0x82
CLASS_ATOMS = {"BUTTON": BUTTON, "EDIT": EDIT, "STATIC": STATIC}

OWNER_DRAW = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW  # 0x5001000B
TEXT = WS_CHILD | WS_VISIBLE | WS_GROUP                          # left-aligned static
SKIN = WS_POPUP | WS_SYSMENU | DS_SETFONT
SONGTI = (10, "宋体")


def control(cid, cls, title, style, x, y, cx, cy):
    return {"id": cid, "class": cls, "title": title, "style": style, "rect": (x, y, cx, cy)}


# Templates: id -> (size, style, extended style, font, title, controls in template order).
DIALOGS = {
    100: ((170, 62), DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
          (9, "MS Shell Dlg"), "关于 TarnellSystemPatchUninstallTool", [
              control(0xFFFF, STATIC, 128, WS_CHILD | WS_VISIBLE | SS_ICON, 14, 14, 21, 20),
              control(1018, STATIC, "TarnellSystemPatchUninstallTool，1.9.22.1021 版",
                      TEXT | SS_NOPREFIX, 42, 14, 114, 8),
              control(1, BUTTON, "确定", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP |
                      BS_DEFPUSHBUTTON, 113, 41, 50, 14)]),
    102: ((457, 369), SKIN | WS_VISIBLE, WS_EX_APPWINDOW, SONGTI, "", []),
    137: ((457, 369), SKIN, 0, SONGTI, "", [
        control(1012, BUTTON, "卸载", OWNER_DRAW, 292, 136, 119, 29),
        control(1004, BUTTON, "关闭", OWNER_DRAW, 438, 5, 14, 17),
        control(1009, BUTTON, "最小化", OWNER_DRAW, 420, 4, 14, 17),
        control(1011, STATIC, "Static", TEXT, 209, 7, 25, 8),
        control(1010, BUTTON, "同意", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                4, 354, 31, 10),
        control(1013, STATIC, "《Halvex服务工具使用许可协议》", TEXT, 40, 355, 105, 8),
        control(1014, STATIC, "反馈问题", TEXT, 411, 355, 31, 8),
        control(1015, EDIT, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                293, 99, 119, 14),
        control(1017, BUTTON, "更多工具", OWNER_DRAW, 27, 337, 50, 14)]),
    129: ((240, 130), SKIN, 0, SONGTI, "", [
        control(1000, STATIC, "Static", TEXT, 105, 62, 25, 8)]),
    130: ((240, 130), SKIN, 0, SONGTI, "", []),
    131: ((440, 343), SKIN, 0, SONGTI, "", [
        control(1001, BUTTON, "关闭", OWNER_DRAW, 422, 3, 14, 17),
        control(1002, BUTTON, "解决", OWNER_DRAW, 159, 128, 130, 32),
        control(1003, BUTTON, "未解决", OWNER_DRAW, 158, 172, 130, 32),
        control(1016, BUTTON, "更多方案", OWNER_DRAW, 158, 218, 130, 32)]),
    132: ((440, 343), SKIN, 0, SONGTI, "", []),
    133: ((200, 110), SKIN, 0, SONGTI, "", [
        control(1006, BUTTON, "确定", OWNER_DRAW, 91, 91, 50, 14),
        control(1007, BUTTON, "取消", OWNER_DRAW, 145, 91, 50, 14),
        control(1004, BUTTON, "关闭", OWNER_DRAW, 182, 3, 14, 14),
        control(1005, STATIC, "Static", TEXT, 84, 50, 25, 8)]),
    134: ((200, 110), SKIN, 0, SONGTI, "", []),
}

WINDOWS10_GUID = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"


def resources(pe):
    """{(type, name, language): bytes} of every resource in the file."""
    found = {}
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return found

    def key(entry):
        return str(entry.name) if entry.name is not None else entry.id

    for rtype in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for name in rtype.directory.entries:
            for lang in name.directory.entries:
                data = lang.data.struct
                found[(key(rtype), key(name), lang.id)] = \
                    pe.get_data(data.OffsetToData, data.Size)
    return found


class Reader:
    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, fmt):
        values = struct.unpack_from("<" + fmt, self.data, self.pos)
        self.pos += struct.calcsize("<" + fmt)
        return values if len(values) > 1 else values[0]

    def string(self):
        end = self.pos
        while self.data[end:end + 2] != b"\0\0":
            end += 2
        text = self.data[self.pos:end].decode("utf-16-le")
        self.pos = end + 2
        return text

    def string_or_ordinal(self):
        if self.data[self.pos:self.pos + 2] == b"\xff\xff":
            self.pos += 2
            return self.take("H")
        return self.string()

    def align(self):
        self.pos = (self.pos + 3) & ~3


def parse_dialog(data):
    r = Reader(data)
    version, signature, _help, exstyle, style, count, x, y, cx, cy = r.take("HHIIIHhhhh")
    if (version, signature) != (1, 0xFFFF):
        return None
    menu, wclass, title = r.string_or_ordinal(), r.string_or_ordinal(), r.string()
    font = None
    if style & DS_SETFONT:
        points, _weight, _italic, _charset = r.take("HHBB")
        font = (points, r.string())
    controls = []
    for _ in range(count):
        r.align()
        _help, c_exstyle, c_style, x, y, ccx, ccy, cid = r.take("IIIhhhhI")
        cls = r.string_or_ordinal()
        # windres writes the predefined classes by name, the Microsoft compiler by atom.
        cls = CLASS_ATOMS.get(cls.upper(), cls) if isinstance(cls, str) else cls
        text = r.string_or_ordinal()
        extra = r.take("H")
        r.pos += extra
        controls.append({"id": cid & 0xFFFF, "class": cls, "title": text, "style": c_style,
                         "rect": (x, y, ccx, ccy)})
    return {"size": (cx, cy), "style": style, "exstyle": exstyle, "font": font, "title": title,
            "menu": menu, "class": wclass, "controls": controls}


def check_dialogs(path, found):
    problems = []
    for did, (size, style, exstyle, font, title, controls) in DIALOGS.items():
        entries = [v for (t, n, _l), v in found.items() if t == RT_DIALOG and n == did]
        if len(entries) != 1:
            problems.append("%s: dialog %d present %d times" % (path, did, len(entries)))
            continue
        dialog = parse_dialog(entries[0])
        if dialog is None:
            problems.append("%s: dialog %d is not an extended template" % (path, did))
            continue
        expected = {"size": size, "style": style, "exstyle": exstyle, "font": font,
                    "title": title, "menu": "", "class": "", "controls": controls}
        for field, value in expected.items():
            if dialog[field] != value:
                problems.append("%s: dialog %d %s is %r, expected %r"
                                % (path, did, field, dialog[field], value))
    return problems


def check_manifest(path, found):
    entries = [v for (t, n, _l), v in found.items() if t == RT_MANIFEST and n == 1]
    if len(entries) != 1:
        return ["%s: %d application manifests (resource 24, id 1)" % (path, len(entries))]
    root = ElementTree.fromstring(entries[0])
    problems = []

    def find(tag):
        return [e for e in root.iter() if e.tag.endswith("}" + tag)]

    levels = [e.get("level") for e in find("requestedExecutionLevel")]
    if levels != ["requireAdministrator"]:
        problems.append("%s: execution level %r" % (path, levels))
    dpi = [e.text.strip().lower() for e in find("dpiAware")]
    if dpi != ["true"]:
        problems.append("%s: dpiAware %r" % (path, dpi))
    controls = [e.get("version") for e in find("assemblyIdentity")
                if e.get("name") == "Microsoft.Windows.Common-Controls"]
    if controls != ["6.0.0.0"]:
        problems.append("%s: common controls %r" % (path, controls))
    systems = [e.get("Id").lower() for e in find("supportedOS")]
    if WINDOWS10_GUID not in systems:
        problems.append("%s: Windows 10 is not a supported system (%r)" % (path, systems))
    return problems


def check_version(path, pe):
    problems = []
    fixed = getattr(pe, "VS_FIXEDFILEINFO", None)
    if not fixed:
        return ["%s: no version resource" % path]
    info = fixed[0]
    want = ((1 << 16) | 9, (22 << 16) | 1021)
    if (info.FileVersionMS, info.FileVersionLS) != want or \
            (info.ProductVersionMS, info.ProductVersionLS) != want:
        problems.append("%s: version %x.%x, expected 1.9.22.1021"
                        % (path, info.FileVersionMS, info.FileVersionLS))
    strings = {}
    for file_info in getattr(pe, "FileInfo", []):
        for entry in file_info:
            for table in getattr(entry, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    for key in ("FileVersion", "ProductVersion"):
        if strings.get(key) != "1.9.22.1021":
            problems.append("%s: %s is %r" % (path, key, strings.get(key)))
    return problems


def check_pair(x64_path, i686_path):
    if not os.path.exists(i686_path):
        return ["%s: missing; build the 32-bit target first" % i686_path]
    problems = []
    sets = {}
    for path, machine in ((x64_path, 0x8664), (i686_path, 0x14C)):
        pe = pefile.PE(path)
        if pe.FILE_HEADER.Machine != machine:
            problems.append("%s: machine 0x%x, expected 0x%x" % (path, pe.FILE_HEADER.Machine,
                                                                  machine))
        found = resources(pe)
        sets[path] = found
        problems += check_manifest(path, found)
        problems += check_version(path, pe)
        problems += check_dialogs(path, found)
        pe.close()
    a, b = sets[x64_path], sets[i686_path]
    for key in sorted(set(a) | set(b), key=str):
        if key not in b:
            problems.append("%s: lacks resource %r of the 64-bit build" % (i686_path, key))
        elif key not in a:
            problems.append("%s: lacks resource %r of the 32-bit build" % (x64_path, key))
        elif a[key] != b[key]:
            problems.append("resource %r differs between %s and %s" % (key, x64_path, i686_path))
    print("%s: %d resources compared" % (os.path.basename(x64_path), len(a)))
    return problems


def main(argv):
    if len(argv) < 3:
        print(__doc__)
        return 2
    x64_root, i686_root, programs = argv[0], argv[1], argv[2:]
    problems = []
    for program in programs:
        twin = os.path.join(i686_root, os.path.relpath(program, x64_root))
        problems += check_pair(program, twin)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
