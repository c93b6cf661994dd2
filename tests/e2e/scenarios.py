#!/usr/bin/env python3
"""The real ZOR-Portavex.exe, driven from outside by ui_driver.exe on a host
installation on D: and a stick on E:, through every fault a user's machine
can have. Each scenario checks the texts the user sees, the tree on the
target, the log, and that every source file is byte for byte what it was.

    scenarios.py --build <build folder> [--doc docs/reliability.md] [names...]

Writes the reliability table (Markdown) to --doc when every scenario ran.
"""
import argparse
import os
import re
import subprocess
import sys
import time
import traceback
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import fixtures  # noqa: E402

TITLE = "ZOR-Portavex"
HINWEIS = "Es wurde kein Verzeichnis zur Installation\rder mobilen ZOR-Anwendung gewählt!"
REFUSAL_A = "ZOR-Portavex kann unter diesem Benutzer \rnicht ausgeführt werden oder ist bereits aktiv!"
REFUSAL_B = "ZOR-Portavex kann unter diesem Benutzer\rnicht ausgeführt werden oder ist bereits aktiv!"
SUCCESS = ("\r\n\r\n   alle Operationen wurden erfolgreich abeschlossen.\r\n"
           "   Sie können ZOR-Portavex jetzt beenden.\r\n\r\n"
           "   Viel Spaß mit Ihrer mobilen ZORZoranthek.")
FAILURE_HEAD = "\r\n\r\nnicht alle Operationen erfolgreich abeschlossen!\r\n\r\n" \
               "folgende Dateien konnten nicht kopiert werden:"
FAILURE_TAIL = "\r\n\r\nDie mobile Anwenung ist vermutlich nicht laufdfähig!"
LOG_NOT_WRITTEN = 'Die Protokolldatei "ZOR-Portavex.log" konnte nicht geschrieben werden.'
CHECKBOX = "eigenes Verzeichnis für ZOR anlegen (empfohlen)"
OWN = "DEZiradu"


def unescape(quoted):
    out, i = [], 1
    while i < len(quoted) - 1:
        c = quoted[i]
        if c == "\\":
            i += 1
            c = {"r": "\r", "n": "\n", "t": "\t"}.get(quoted[i], quoted[i])
        out.append(c)
        i += 1
    return "".join(out)


class Result:
    """What ui_driver reported, line by line."""

    FIELD = re.compile(r'(\w+)=("(?:[^"\\]|\\.)*"|\S+)')

    def __init__(self, output):
        self.lines = output.splitlines()
        self.records = []
        for line in self.lines:
            verb, _, rest = line.partition(" ")
            fields = {k: unescape(v) if v.startswith('"') else v for k, v in self.FIELD.findall(rest)}
            if verb in ("progress", "target", "pressed", "held", "echo") and rest.startswith('"'):
                fields["text"] = unescape(rest)
            self.records.append((verb, fields, line))

    def all(self, verb):
        return [fields for v, fields, _ in self.records if v == verb]

    def last(self, verb):
        found = self.all(verb)
        assert found, f"no '{verb}' in driver output:\n" + "\n".join(self.lines)
        return found[-1]

    def errors(self):
        return [line for v, _, line in self.records if v == "error"]

    def boxes(self):
        return [(b["title"], b["text"].replace("\r\n", "\r")) for b in self.all("box")]

    def exit_codes(self):
        return [int(f["code"]) for f in self.all("exit")]


class Context:
    def __init__(self, machine, driver):
        self.m = machine
        self.driver = driver
        self.exe = machine.windows_path(machine.program / fixtures.PROGRAM)
        self.start_folder = machine.windows_path(machine.program)

    def drive(self, commands, timeout=300):
        script = "\n".join(commands) + "\n"
        env = dict(os.environ, WINEPREFIX=str(self.m.prefix), WINEDEBUG="-all")
        run = subprocess.run(["wine", str(self.driver)], input=script.encode("utf-8"), env=env,
                             capture_output=True, timeout=timeout)
        result = Result(run.stdout.decode("utf-8", "replace"))
        self.transcript = result.lines
        return result

    def start(self, picked=None):
        """Commands that start the program from its folder, the picker set to
        answer `picked` (None: the picker is cancelled)."""
        env = [f'env ZOR_PICKER_RESULT "{esc(picked)}"'] if picked else ["env ZOR_PICKER_RESULT"]
        return env + [f'start "{esc(self.exe)}" "{esc(self.start_folder)}"', "wait-window 30000"]

    def log(self):
        path = self.m.program / fixtures.LOG
        return path.read_bytes().decode("cp1252", "replace") if path.exists() else None


def esc(text):
    return text.replace("\\", "\\\\").replace('"', '\\"')


def expected_tree(m):
    """Folders and files the copy must produce, relative to the target."""
    data_dirs, data_files = fixtures.listing(m.data)
    prog_dirs, prog_files = fixtures.listing(m.program)
    return data_dirs + prog_dirs, data_files + prog_files


def tree(folder):
    folders, files = set(), set()
    for dirpath, dirnames, filenames in os.walk(folder):
        rel = os.path.relpath(dirpath, folder)
        for d in dirnames:
            folders.add(os.path.normpath(os.path.join(rel, d)))
        for f in filenames:
            files.add(os.path.normpath(os.path.join(rel, f)))
    return folders, files


def progress_success(folders, files, own=True):
    count = folders + (1 if own else 0)
    text = f"\r\n{count:5d}  Verzeichnisse müssen angelegt werden\r\n"
    if folders:
        text += f"{count:10d} Verzeichnisse erfolgreich angelegt ..."
    text += f"\r\n\r\n{files:5d}  Dateien müssen kopiert werden\r\n"
    if files:
        text += f"{files:10d} Dateien erfolgreich kopiert ..."
    return text + SUCCESS


def summary_of(progress):
    """The last lines of the progress field, as the user reads them."""
    if "alle Operationen wurden erfolgreich" in progress:
        return "Erfolgsmeldung"
    if "nicht alle Operationen" in progress:
        failed = progress.split("folgende Dateien konnten nicht kopiert werden:")[-1]
        paths = [p for p in failed.split("\r\n") if p.strip() and "laufdfähig" not in p]
        return f"Fehlermeldung, {len(paths)} Datei(en) nicht kopiert"
    return "kein Ergebnis"


def describe_target(folder):
    folders, files = tree(folder)
    if not files and not folders:
        return "nichts"
    return f"{len(files)} Dateien in {len(folders)} Ordnern"


def copy_commands(ctx, own=True, close_after=True):
    commands = []
    if not own:
        commands.append(f'check "{CHECKBOX}" off')
    commands += ["press [bitmap]", "sleep 300", "target", "press erstellen",
                 "wait-enabled beenden 120000", "no-box 300", "progress", "target", "controls"]
    if close_after:
        commands += ["press beenden", "wait-exit 10000"]
    return commands


SCENARIOS = []


def scenario(name, title):
    def register(function):
        SCENARIOS.append((name, title, function))
        return function
    return register


# --- scenarios --------------------------------------------------------------

@scenario("start_close", "Start und Schließen des Fensters")
def start_close(ctx):
    r = ctx.drive(ctx.start() + ["controls", "close", "wait-exit 10000"])
    assert not r.errors(), r.errors()
    assert r.last("window")["title"] == TITLE
    assert r.exit_codes() == [0], r.exit_codes()
    return "Fenster „ZOR-Portavex“; Schließen beendet das Programm (Exit-Code 0)", "nichts"


@scenario("happy_own_folder", "Kopie mit eigenem Verzeichnis")
def happy_own_folder(ctx):
    m = ctx.m
    (m.e / "Mobil").mkdir()
    r = ctx.drive(ctx.start("E:\\Mobil") + copy_commands(ctx))
    assert not r.errors(), r.errors()
    dirs, files = expected_tree(m)
    targets = [t["text"] for t in r.all("target")]
    assert targets == ["E:\\Mobil", "E:\\Mobil\\DEZiradu\\"], targets
    assert r.last("progress")["text"] == progress_success(len(dirs), len(files)), r.last("progress")
    check_buttons_after_copy(r)
    assert r.exit_codes() == [0]
    target = m.e / "Mobil" / OWN
    assert (m.e / "Mobil" / fixtures.LAUNCHER).read_bytes() == (m.data / fixtures.LAUNCHER).read_bytes()
    check_tree(target, dirs, files)
    check_log(ctx.log(), "E:\\Mobil\\DEZiradu\\", len(dirs), len(files), own=True)
    return "Erfolgsmeldung; Ziel „E:\\Mobil\\DEZiradu\\“", describe_target(m.e / "Mobil") + ", Starter daneben"


@scenario("happy_no_own_folder", "Kopie ohne eigenes Verzeichnis auf das Laufwerk")
def happy_no_own_folder(ctx):
    m = ctx.m
    r = ctx.drive(ctx.start("E:\\") + copy_commands(ctx, own=False))
    assert not r.errors(), r.errors()
    dirs, files = expected_tree(m)
    assert r.last("target")["text"] == "E:\\"
    assert r.last("progress")["text"] == progress_success(len(dirs), len(files), own=False)
    check_buttons_after_copy(r)
    check_tree(m.e, dirs, files)
    check_log(ctx.log(), None, len(dirs), len(files), own=False)
    return "Erfolgsmeldung; Ziel „E:\\“", describe_target(m.e)


@scenario("no_target", "Kein Ziel gewählt")
def no_target(ctx):
    m = ctx.m
    old_log = (m.program / fixtures.LOG).read_bytes()
    r = ctx.drive(ctx.start() + ["press [bitmap]", "sleep 300", "press erstellen", "wait-box",
                                 "press-box OK", "target", "progress", "controls", "press beenden",
                                 "wait-exit 10000"])
    assert not r.errors(), r.errors()
    assert r.boxes() == [("Hinweis", HINWEIS)], r.boxes()
    assert r.last("target")["text"] == "" and r.last("progress")["text"] == ""
    assert "disabled" not in " ".join(line for v, _, line in r.records if v == "control")
    assert (m.program / fixtures.LOG).read_bytes() == old_log, "log written without a target"
    assert describe_target(m.e) == "nichts"
    return "Box „Hinweis“: „Es wurde kein Verzeichnis … gewählt!“; Knöpfe bleiben aktiv", "nichts"


def check_buttons_after_copy(r):
    controls = [line for v, _, line in r.records if v == "control"]
    create = [c for c in controls if 'text="erstellen"' in c]
    quit_ = [c for c in controls if 'text="beenden"' in c]
    assert create and "disabled" in create[-1], create
    assert quit_ and "disabled" not in quit_[-1], quit_


def check_tree(target, dirs, files):
    got_dirs, got_files = tree(target)
    want_dirs = {os.path.normpath(d) for d in dirs}
    want_files = {os.path.normpath(f) for f in files}
    assert got_dirs == want_dirs, f"folders: missing {want_dirs - got_dirs}, extra {got_dirs - want_dirs}"
    assert got_files == want_files, f"files: missing {want_files - got_files}, extra {got_files - want_files}"


def check_log(log, own_folder, folders, files, own):
    assert log is not None, "no log"
    lines = log.split("\r\n")
    assert lines[0] == "", "the log begins with an empty line"
    assert re.fullmatch(r"\S+  \d\d:\d\d:\d\d", lines[1]), lines[1]
    assert lines[2] == " "
    folder_lines = [l for l in lines if l.endswith(" -> wird angelegt")]
    assert len(folder_lines) == folders + (1 if own else 0), len(folder_lines)
    if own:
        assert lines[3] == own_folder + " -> wird angelegt", lines[3]
    file_lines = [l for l in lines if " -> " in l and not l.endswith(" -> wird angelegt")]
    assert len(file_lines) == files, (len(file_lines), files)
    assert lines[-1] == "  " and not log.endswith("\r\n"), repr(lines[-3:])


# --- runner -----------------------------------------------------------------

def run_all(machine, driver, names):
    rows, failures = [], []
    for name, title, function in SCENARIOS:
        if names and name not in names:
            continue
        machine.build_host()
        skip = {str(Path("Programme/ZOR") / fixtures.LOG)}
        before = fixtures.hashes(machine.d, skip)
        ctx = Context(machine, driver)
        started = time.time()
        try:
            sees, target = function(ctx)
            status = "ok"
        except Exception as error:  # one failed scenario must not hide the others
            sees, target, status = f"FEHLER: {error}", "?", "failed"
            failures.append(name)
            print(f"--- {name} failed:\n{traceback.format_exc()}\n" + "\n".join(getattr(ctx, "transcript", [])))
        after = fixtures.hashes(machine.d, skip)
        changed = [p for p in before if after.get(p) != before[p]]
        if changed:
            failures.append(name)
            print(f"--- {name}: source changed: {changed}")
        rows.append((title, sees, target, "ja" if not changed else "NEIN"))
        print(f"{status:6s} {name} ({time.time() - started:.1f} s)")
    return rows, failures


def write_doc(path, rows):
    lines = ["# Zuverlässigkeit", "",
             "Erzeugt von `tests/e2e/scenarios.py` beim Testlauf (`scripts/test`): das echte Programm,",
             "von außen bedient, auf einer Host-Installation auf D: und einem Stick auf E:.",
             "„Quelle unverändert“ heißt: jede Datei der Host-Installation ist danach Byte für Byte",
             "dieselbe wie vorher (Prüfsumme SHA-256; die eigene Protokolldatei ausgenommen).", "",
             "| Szenario | Was der Benutzer sieht | Was auf dem Ziel liegt | Quelle unverändert |",
             "|---|---|---|---|"]
    for row in rows:
        lines.append("| " + " | ".join(cell.replace("|", "\\|").replace("\n", " ") for cell in row) + " |")
    Path(path).write_text("\n".join(lines) + "\n", encoding="utf-8")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", required=True)
    parser.add_argument("--doc")
    parser.add_argument("names", nargs="*")
    args = parser.parse_args()
    build = Path(args.build).resolve()
    prefix = os.environ.get("WINEPREFIX", str(build / "wineprefix"))
    machine = fixtures.Machine(prefix, build / "e2e", build)
    machine.map_drives()
    rows, failures = run_all(machine, build / "tools" / "ui_driver" / "ui_driver.exe", args.names)
    if args.doc and not args.names and not failures:
        write_doc(args.doc, rows)
    if failures:
        print("failed:", " ".join(sorted(set(failures))))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
