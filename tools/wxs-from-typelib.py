#!/usr/bin/env python3
"""Writes the installer description (WiX source, for wixl) of one width of Kelpa.

    wxs-from-typelib.py --width 32|64 --version 3.5.1.0 --out kelpa.wxs --stage STAGE
        --server kelpa.json=kelpa.exe --server kelpac.json=kelpac.exe

Every file of STAGE is installed into the same place under the install
folder; wixl runs in STAGE, so the sources are named relative to it. Each
--server names a type library dumped by typelib_dump and the program of
STAGE that serves it. The registry entries are what the program's /regserver
writes, taken from the type library (the one description of the classes),
and go in through the installer's Registry table, so that uninstalling
removes exactly what installing wrote.

Where the entries lie, and who owns them when both widths are installed:
- the program's own entries (CLSID, the interfaces in the 64-bit view, the
  library's path for its width, HELPDIR) belong to a component of this
  width alone: a 64-bit system keeps CLSID and Interface keys per view;
  HELPDIR names this width's folder, so it goes with the first width
  removed rather than stay behind naming a removed folder;
- the library's name and FLAGS, and the interfaces in the 32-bit view, are
  the same for both widths; both packages carry them in one component with
  the same GUID, so the installer counts its users and removes it with the
  last package;
- the ProgIDs: Windows 7 and later keep one set for both views, so both
  packages carry them in a second shared component (32-bit, same GUID),
  counted the same way. Wine keeps ProgIDs per view: there the 64-bit
  package also writes them into the 64-bit view, from a component only a
  Wine system installs (the WINEHOST condition). Its rows name the keys
  under HKCR rather than HKLM\Software\Classes: Wine's msi writes only one
  of two rows that name the same HKLM key, even from components of
  different views. wixl cannot write component conditions; they go to
  OUT.conditions, which tools/package applies to the finished package.
Every GUID is derived from a fixed namespace and names (uuid5): a rebuild
gives the same package identities and component GUIDs.
"""

import argparse
import json
import os
import sys
import uuid
from xml.sax.saxutils import quoteattr

# Fixed once for Kelpa's packages; never change it (upgrades and component
# reference counts depend on the GUIDs derived from it).
NAMESPACE = uuid.UUID("6c3f2a7e-5b1d-4e0a-9d8c-2f4b7a1e9c35")

# The proxy/stub classes RegisterTypeLib writes: the type-library marshaller
# for dual and oleautomation interfaces, the dispatch marshaller for pure
# dispinterfaces (event interfaces).
PS_OLE_AUTOMATION = "{00020424-0000-0000-C000-000000000046}"
PS_DISPATCH = "{00020420-0000-0000-C000-000000000046}"


def guid(*names):
    return str(uuid.uuid5(NAMESPACE, "/".join(str(n) for n in names))).upper()


def ident(*names):
    """A WiX identifier: letters, digits, underscores and dots, at most 72."""
    text = "_".join(names)
    text = "".join(c if c.isalnum() or c in "._" else "_" for c in text)
    return text if len(text) <= 72 else text[:36] + guid(text).replace("-", "")[:32]


class Library:
    def __init__(self, dump_path, program):
        with open(dump_path, encoding="utf-8") as f:
            data = json.load(f)
        self.name = data["name"]
        self.guid = data["guid"].upper()
        self.version = data["version"]
        self.description = data.get("helpstring") or self.name
        self.flags = str(data["libflags"])
        self.program = program
        self.file_id = ident("file", os.path.basename(program))
        self.types = data["types"]

    def creatable(self):
        return [t for t in self.types if t["kind"] == "coclass" and "cancreate" in t["flags"]]

    def registered_interfaces(self):
        """The interfaces RegisterTypeLib enters: dual and oleautomation ones, and dispinterfaces."""
        for t in self.types:
            if t["kind"] == "dispatch":
                yield t, PS_DISPATCH
            elif t["kind"] == "interface" and ("dual" in t["flags"] or "oleautomation" in t["flags"]):
                yield t, PS_OLE_AUTOMATION


def classes_key(path):
    return "Software\\Classes\\" + path


def value(key, data, name=None):
    return (classes_key(key), name, data)


def width_entries(lib, width):
    """What only this width's program registers (in its own registry view)."""
    server = '"[#%s]"' % lib.file_id
    entries = []
    for c in lib.creatable():
        clsid = "CLSID\\" + c["guid"].upper()
        progid = lib.name + "." + c["name"]
        entries += [
            value(clsid, progid),
            value(clsid + "\\LocalServer32", server),
            value(clsid + "\\ProgID", progid),
            value(clsid + "\\TypeLib", lib.guid),
            value(clsid + "\\Version", lib.version),
        ]
    if width == 64:
        entries += interface_entries(lib)
    version = "TypeLib\\%s\\%s" % (lib.guid, lib.version)
    entries += [
        value(version + "\\0\\" + ("win64" if width == 64 else "win32"), "[#%s]" % lib.file_id),
        value(version + "\\HELPDIR", "[INSTALLDIR]"),
    ]
    return entries


def progid_entries(lib):
    entries = []
    for c in lib.creatable():
        progid = lib.name + "." + c["name"]
        entries += [value(progid, progid), value(progid + "\\CLSID", c["guid"].upper())]
    return entries


def interface_entries(lib):
    entries = []
    for t, proxy in lib.registered_interfaces():
        key = "Interface\\" + t["guid"].upper()
        entries += [
            value(key, t["name"]),
            value(key + "\\ProxyStubClsid", proxy),
            value(key + "\\ProxyStubClsid32", proxy),
            value(key + "\\TypeLib", lib.guid),
            value(key + "\\TypeLib", lib.version, "Version"),
        ]
    return entries


def shared_entries(lib):
    """The same for both widths: one component both packages share."""
    version = "TypeLib\\%s\\%s" % (lib.guid, lib.version)
    return [value(version, lib.description), value(version + "\\FLAGS", lib.flags)] + interface_entries(lib)


def registry_xml(entries, indent, keypath_first=False, root="HKLM"):
    """RegistryValue elements; under HKCR the keys lose their Software\\Classes\\ (a
    per-machine package writes HKCR to HKLM\\Software\\Classes)."""
    lines = []
    for i, (key, name, data) in enumerate(entries):
        if root == "HKCR":
            key = key[len(classes_key("")):]
        attrs = 'Root="%s" Key=%s' % (root, quoteattr(key))
        if name:
            attrs += " Name=%s" % quoteattr(name)
        attrs += ' Type="string" Value=%s' % quoteattr(data)
        if keypath_first and i == 0:
            attrs += ' KeyPath="yes"'
        lines.append("%s<RegistryValue %s/>" % (indent, attrs))
    return lines


def folder_xml(stage, relative, arch, win64, skip, features, indent):
    """A component per file of the staged folder (and its subfolders)."""
    out = []
    folder = os.path.join(stage, relative)
    for name in sorted(os.listdir(folder)):
        path = os.path.join(relative, name) if relative else name
        if path in skip:
            continue
        if os.path.isdir(os.path.join(stage, path)):
            out.append('%s<Directory Id="%s" Name=%s>' % (indent, ident("dir", path), quoteattr(name)))
            out += folder_xml(stage, path, arch, win64, skip, features, indent + "  ")
            out.append("%s</Directory>" % indent)
            continue
        cid = ident("c", path)
        features.append(cid)
        out.append('%s<Component Id="%s" Guid="%s"%s>' % (indent, cid, guid("component", arch, path), win64))
        out.append('%s  <File Id="%s" Name=%s Source=%s KeyPath="yes"/>'
                   % (indent, ident("file", path), quoteattr(name), quoteattr(path)))
        out.append("%s</Component>" % indent)
    return out


def build(args):
    width = args.width
    win64 = ' Win64="yes"' if width == 64 else ""
    libraries = []
    for spec in args.server:
        dump, _, program = spec.partition("=")
        libraries.append(Library(dump, program))
    product = "Kelpa" if width == 32 else "Kelpa (64-bit)"
    arch = "x86" if width == 32 else "x64"
    features, conditions = [], []
    out = [
        '<?xml version="1.0" encoding="utf-8"?>',
        '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">',
        '  <Product Id="%s" Name=%s Language="1033" Version="%s" Manufacturer="OLMA" UpgradeCode="%s">'
        % (guid("product", arch, args.version), quoteattr(product), args.version, guid("upgrade", arch)),
        '    <Package InstallerVersion="200" Compressed="yes" InstallScope="perMachine"'
        ' Description=%s Manufacturer="OLMA"/>' % quoteattr("%s %s" % (product, args.version)),
        '    <MajorUpgrade DowngradeErrorMessage="A newer version of %s is already installed."/>' % product,
        '    <Media Id="1" Cabinet="kelpa.cab" EmbedCab="yes"/>',
        # Wine's HID bus service: a Wine system (Windows has no such service).
        '    <Property Id="WINEHOST"><RegistrySearch Id="WineHidBus" Root="HKLM"'
        ' Key="System\\CurrentControlSet\\Services\\winebus" Name="DisplayName" Type="raw"%s/></Property>'
        % win64,
        '    <Directory Id="TARGETDIR" Name="SourceDir">',
    ]
    # Shared by both packages: same GUID, same folder, same (32-bit) view,
    # same content.
    for lib in libraries:
        sid = ident("shared", lib.name)
        features.append(sid)
        out.append('      <Component Id="%s" Guid="%s">' % (sid, guid("shared", lib.guid, lib.version)))
        out += registry_xml(shared_entries(lib), "        ", keypath_first=True)
        out.append("      </Component>")
        pid = ident("progids", lib.name)
        features.append(pid)
        out.append('      <Component Id="%s" Guid="%s">' % (pid, guid("progids", lib.guid)))
        out += registry_xml(progid_entries(lib), "        ", keypath_first=True)
        out.append("      </Component>")
        if width == 64:
            wine = ident("progids64", lib.name)
            features.append(wine)
            out.append('      <Component Id="%s" Guid="%s" Win64="yes">' % (wine, guid("progids64", lib.guid)))
            out += registry_xml(progid_entries(lib), "        ", keypath_first=True, root="HKCR")
            out.append("      </Component>")
            conditions += [(wine, "WINEHOST")]
    out += [
        '      <Directory Id="%s">' % ("ProgramFiles64Folder" if width == 64 else "ProgramFilesFolder"),
        '        <Directory Id="INSTALLDIR" Name="Kelpa">',
    ]
    for lib in libraries:
        name = os.path.basename(lib.program)
        cid = ident("server", name)
        features.append(cid)
        out.append('          <Component Id="%s" Guid="%s"%s>' % (cid, guid("component", arch, name), win64))
        out.append('            <File Id="%s" Name=%s Source=%s KeyPath="yes"/>'
                   % (lib.file_id, quoteattr(name), quoteattr(lib.program)))
        out += registry_xml(width_entries(lib, width), "            ")
        out.append("          </Component>")
    servers = {os.path.basename(lib.program) for lib in libraries}
    out += folder_xml(args.stage, "", arch, win64, servers, features, "          ")
    out += [
        "        </Directory>",
        "      </Directory>",
        "    </Directory>",
        '    <Feature Id="Kelpa" Title="Kelpa" Level="1">',
    ]
    out += ['      <ComponentRef Id="%s"/>' % c for c in features]
    out += ["    </Feature>", "  </Product>", "</Wix>", ""]
    return "\n".join(out), conditions


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--width", type=int, choices=(32, 64), required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--server", action="append", required=True, metavar="DUMP.json=PROGRAM")
    parser.add_argument("--stage", required=True, help="the folder to install; wixl runs in it")
    args = parser.parse_args()
    text, conditions = build(args)
    with open(args.out, "w", encoding="utf-8") as f:
        f.write(text)
    with open(args.out + ".conditions", "w", encoding="utf-8") as f:
        f.write("".join("%s\t%s\n" % pair for pair in conditions))
    return 0


if __name__ == "__main__":
    sys.exit(main())
