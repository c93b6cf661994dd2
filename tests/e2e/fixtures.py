#!/usr/bin/env python3
"""Host installations on drive letters of their own, as a user's machine has
them: the host on D: (program folder D:\\Programme\\ZOR, data folder D:\\ZOR with
the host table zr.dbf) and the stick on E:.

Run as a script it builds the fixture once and prints where it lies:
    fixtures.py --prefix <wineprefix> --root <folder> --build <build folder>
"""
import argparse
import hashlib
import os
import shutil
import struct
import subprocess
from pathlib import Path

PROGRAM = "ZOR-Portavex.exe"
LOG = "ZOR-Portavex.log"
LAUNCHER = "DEZiradu.bat"
EXCLUDED_FILES = ("ZOR-Portavex.exe", "ZOR-Portavex.log", "unins000.exe", "unins000.dat",
                  "Update.exe", "Update.ini")


def write_dbf(path, records=3):
    """A minimal valid dBASE III table: header, two field descriptors, 0x0D,
    the records, 0x1A."""
    fields = [(b"NAME", 20), (b"ORT", 10)]
    record_length = 1 + sum(length for _, length in fields)
    header_length = 32 + 32 * len(fields) + 1
    data = struct.pack("<BBBBIHH20x", 0x03, 126, 12, 11, records, header_length, record_length)
    for name, length in fields:
        data += struct.pack("<11sc4xB15x", name, b"C", length)
    data += b"\x0d"
    for n in range(records):
        data += b" " + f"Eintrag {n + 1}".encode().ljust(20) + b"Berlin".ljust(10)
    data += b"\x1a"
    Path(path).parent.mkdir(parents=True, exist_ok=True)
    Path(path).write_bytes(data)


def write(path, text=None, size=None):
    path = Path(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    if size is not None:
        seed = hashlib.sha256(str(path.name).encode()).digest()
        path.write_bytes((seed * (size // len(seed) + 1))[:size])
    else:
        path.write_bytes((text if text is not None else f"Inhalt von {path.name}\r\n").encode("utf-8"))


class Machine:
    """The Wine prefix with the drives D: (host) and E: (stick) mapped to
    folders under `root`."""

    def __init__(self, prefix, root, build):
        self.prefix = Path(prefix)
        self.root = Path(root)
        self.build = Path(build)
        self.d = self.root / "d"
        self.e = self.root / "e"
        self.program = self.d / "Programme" / "ZOR"
        self.data = self.d / "ZOR"

    def map_drives(self):
        devices = self.prefix / "dosdevices"
        for letter, folder in (("d:", self.d), ("e:", self.e)):
            folder.mkdir(parents=True, exist_ok=True)
            link = devices / letter
            if link.is_symlink() or link.exists():
                link.unlink()
            link.symlink_to(folder.resolve())

    def wine(self, *args, check=True):
        env = dict(os.environ, WINEPREFIX=str(self.prefix), WINEDEBUG="-all")
        return subprocess.run(["wine", *args], env=env, check=check, capture_output=True)

    def clear(self):
        for folder in (self.d, self.e):
            if folder.exists():
                for child in folder.iterdir():
                    remove(child)
            folder.mkdir(parents=True, exist_ok=True)

    def build_host(self, with_picker=True, big_files=0):
        """A fresh host installation on D: and an empty stick E:."""
        self.clear()
        self.build_program_folder(with_picker)
        self.build_data_folder(big_files)
        for hidden in (self.data / "versteckt.ini", self.data / "Daten_versteckt",
                       self.program / "Daten_Vorlagen" / "geheim.txt"):
            self.set_hidden(hidden)
        os.chmod(self.data / "schreibgeschuetzt.dbf", 0o444)
        os.chmod(self.program / "Daten_Vorlagen" / "nur-lesen.txt", 0o444)

    def set_hidden(self, path):
        """The hidden attribute, stored where Wine keeps DOS attributes; where
        the file system has no extended attributes, Windows' own attrib."""
        try:
            os.setxattr(path, "user.DOSATTRIB", b"0x2")
        except OSError:
            self.wine("cmd", "/c", "attrib", "+h", self.windows_path(path))

    def build_program_folder(self, with_picker):
        p = self.program
        p.mkdir(parents=True)
        shutil.copy2(self.build / PROGRAM, p / PROGRAM)
        picker = self.build / "tools" / "select_folder" / "SelectFolder.dll"
        if with_picker and picker.exists():
            shutil.copy2(picker, p / "SelectFolder.dll")
        write(p / LAUNCHER, "@echo off\r\nstart ZOR.exe\r\n")
        write(p / "ZOR.exe", size=3000)
        for name in ("unins000.exe", "unins000.dat", "Update.exe", "Update.ini", LOG):
            write(p / name)
        write(p / "MyUpdate.exe")
        write(p / "Daten_Vorlagen" / "vorlage.txt")
        write(p / "Daten_Vorlagen" / "geheim.txt")
        write(p / "Daten_Vorlagen" / "nur-lesen.txt")
        write(p / "Daten_Vorlagen" / "Update.ini")
        write(p / "Hilfe" / "hilfe.chm")
        write(p / "Datensicherung" / "alt.zip")

    def build_data_folder(self, big_files):
        z = self.data
        write_dbf(z / "zr.dbf")
        write_dbf(z / "kunden.dbf", 5)
        write(z / LAUNCHER, "@echo off\r\nstart DEZiradu\\ZOR.exe\r\n")
        write(z / "versteckt.ini")
        write(z / "schreibgeschuetzt.dbf")
        write(z / "Update.ini.bak")
        write(z / "Daten", "eine Datei namens Daten\r\n")
        write(z / "Übersicht-Größen.txt")
        write(z / "Ωμέγα-日本語.txt")
        write(z / "Daten 2010" / "jahr.dbf")
        write(z / "Daten 2010" / "archiv.dbf", size=200 * 1024)
        write(z / "jahr.dbf", "die Jahresübersicht, nicht die Tabelle in Daten 2010\r\n")
        write(z / "Daten 2010" / "unins000.dat")
        write(z / "Daten 2010" / "Bilder" / "foto.jpg")
        write(z / "Daten 2010" / "Datenbank" / "index.ntx")
        write(z / "Daten 2010" / "Datenbank" / "Update.exe")
        write(z / "Daten_Ärzte" / "liste.txt")
        write(z / "Daten_versteckt" / "inhalt.txt")
        write(z / "Auflistungen" / "liste.lst")
        write(z / "Auflistungen" / "Daten" / "tief.dbf")
        write(z / "Auflistungen" / "Daten" / "ZOR-Portavex.log")
        write(z / "Auflistungen" / "Sonstiges" / "weg.txt")
        write(z / "Datensicherung" / "sicherung.zip")
        write(z / "Datensicherung_alt" / "Daten" / "alt.dbf")
        write(z / "Export" / "export.csv")
        deep = z / "Daten" if (z / "Daten").is_dir() else z / "Daten 2010"
        deep = deep / ("Daten_" + "lang" * 22) / ("Auflistungen_" + "tief" * 20) / ("Daten_" + "x" * 60)
        write(deep / "Datei mit sehr langem Pfad über 260 Zeichen.txt")
        for n in range(big_files):
            write(z / "Daten_gross" / f"Daten_{n // 1000:03d}" / f"datei{n:05d}.bin", size=64)

    def windows_path(self, path):
        path = Path(path)
        for letter, folder in (("D:", self.d), ("E:", self.e)):
            try:
                rest = path.relative_to(folder)
            except ValueError:
                continue
            return letter + "\\" + str(rest).replace("/", "\\") if str(rest) != "." else letter + "\\"
        raise ValueError(path)


def remove(path):
    path = Path(path)
    if path.is_symlink() or path.is_file():
        path.chmod(0o644) if not path.is_symlink() else None
        path.unlink()
    elif path.is_dir():
        for child in path.iterdir():
            remove(child)
        path.rmdir()


def hashes(folder, skip=()):
    """sha256 of every file below `folder`, by path relative to it."""
    result = {}
    for dirpath, _, files in os.walk(folder):
        for name in files:
            full = Path(dirpath) / name
            relative = str(full.relative_to(folder))
            if relative in skip:
                continue
            result[relative] = hashlib.sha256(full.read_bytes()).hexdigest()
    return result


def listing(folder):
    """What the copy takes from one source folder: (folders, files), relative,
    in a pre-order walk; the same rules the program applies."""
    folders, files = [], []

    def walk(current, relative):
        for entry in sorted(os.listdir(current)):
            full = os.path.join(current, entry)
            rel = os.path.join(relative, entry) if relative else entry
            if os.path.isdir(full):
                if entry.startswith("Datensicherung"):
                    continue
                if entry.startswith("Auflistungen") or entry.startswith("Daten"):
                    folders.append(rel)
                    walk(full, rel)
            elif not entry.startswith(EXCLUDED_FILES):
                files.append(rel)

    walk(folder, "")
    return folders, files


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--root", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("--big-files", type=int, default=0)
    args = parser.parse_args()
    machine = Machine(args.prefix, args.root, args.build)
    machine.map_drives()
    machine.build_host(big_files=args.big_files)
    print(f"host on D: = {machine.d}, stick E: = {machine.e}")


if __name__ == "__main__":
    main()
