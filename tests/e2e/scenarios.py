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
import shutil
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
        if not path.exists():
            return None
        data = path.read_bytes()
        # UTF-8 when it says so; else the Windows ANSI code page.
        return data[3:].decode("utf-8") if data.startswith(b"\xef\xbb\xbf") else data.decode("cp1252", "replace")


def esc(text):
    return text.replace("\\", "\\\\").replace('"', '\\"')


def expected_tree(m):
    """Folders and files the copy lists, relative to their source folder."""
    data_dirs, data_files = fixtures.listing(m.data)
    prog_dirs, prog_files = fixtures.listing(m.program)
    return data_dirs + prog_dirs, data_files + prog_files


def expected_sources(m):
    """Each target file and the source it must equal: both trees merged, the
    start folder's copy (made later) winning."""
    sources = {os.path.normpath(f): m.data / f for f in fixtures.listing(m.data)[1]}
    sources.update({os.path.normpath(f): m.program / f for f in fixtures.listing(m.program)[1]})
    return sources


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
    commands += ["press [bitmap]", "sleep 300", "target", "press erstellen", "wait-disabled erstellen",
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
    check_tree(m, target, dirs)
    log = ctx.log()
    check_log(log, "E:\\Mobil\\DEZiradu\\", len(dirs), len(files), own=True)
    assert "\r\nD:\\ZOR\\kunden.dbf -> E:\\Mobil\\DEZiradu\\kunden.dbf\r\n" in log
    assert "\r\nE:\\Mobil\\DEZiradu\\Daten 2010\\Datenbank -> wird angelegt\r\n" in log
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
    check_tree(m, m.e, dirs)
    check_log(ctx.log(), None, len(dirs), len(files), own=False)
    return "Erfolgsmeldung; Ziel „E:\\“", describe_target(m.e)


@scenario("umlaut_target", "Ziel mit Umlauten im Namen")
def umlaut_target(ctx):
    m = ctx.m
    (m.e / "Sicherung Ärzte & Söhne").mkdir()
    r = copy_run(ctx, "E:\\Sicherung Ärzte & Söhne")
    dirs, files = expected_tree(m)
    assert r.last("target")["text"] == "E:\\Sicherung Ärzte & Söhne\\DEZiradu\\"
    assert r.last("progress")["text"] == progress_success(len(dirs), len(files)), r.last("progress")
    check_tree(m, m.e / "Sicherung Ärzte & Söhne" / OWN, dirs)
    assert "\r\nE:\\Sicherung Ärzte & Söhne\\DEZiradu\\ -> wird angelegt\r\n" in ctx.log()
    return "Erfolgsmeldung; Ziel „E:\\Sicherung Ärzte & Söhne\\DEZiradu\\“", \
        describe_target(m.e / "Sicherung Ärzte & Söhne")


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


class Skip(Exception):
    """The scenario cannot run on this machine; the message says why."""


class Mount:
    """A file system mounted over a folder for one scenario: a size-limited
    tmpfs (a full stick) or a read-only bind of the folder itself."""

    def __init__(self, folder, kind, size="64k"):
        self.folder = Path(folder)
        self.folder.mkdir(parents=True, exist_ok=True)
        if kind == "tmpfs":
            self.steps = [["mount", "-t", "tmpfs", "-o", f"size={size}", "tmpfs", str(self.folder)]]
        else:
            self.steps = [["mount", "--bind", str(self.folder), str(self.folder)],
                          ["mount", "-o", "remount,ro,bind", str(self.folder)]]

    def __enter__(self):
        for n, step in enumerate(self.steps):
            run = subprocess.run(step, capture_output=True, text=True)
            if run.returncode != 0:
                if n:
                    subprocess.run(["umount", str(self.folder)], capture_output=True)
                raise Skip(f"übersprungen: Einhängen nicht erlaubt ({run.stderr.strip() or run.returncode})")
        return self

    def __exit__(self, *exc):
        subprocess.run(["umount", str(self.folder)], capture_output=True)


def failed_paths(progress):
    assert FAILURE_HEAD in progress and progress.endswith(FAILURE_TAIL), progress
    listed = progress.split(FAILURE_HEAD)[1][:-len(FAILURE_TAIL)]
    return [p for p in listed.split("\r\n") if p]


def copy_run(ctx, picked, own=True):
    r = ctx.drive(ctx.start(picked) + copy_commands(ctx, own=own))
    assert not r.errors(), r.errors()
    assert r.exit_codes() == [0], r.exit_codes()
    check_buttons_after_copy(r)
    return r


@scenario("rerun", "Erneuter Lauf auf die vorige Kopie")
def rerun(ctx):
    m = ctx.m
    (m.e / "Mobil").mkdir()
    copy_run(ctx, "E:\\Mobil")
    target = m.e / "Mobil" / OWN
    stale = target / "kunden.dbf"
    stale.write_bytes(b"veraltet")
    r = copy_run(ctx, "E:\\Mobil")
    dirs, files = expected_tree(m)
    assert r.last("progress")["text"] == progress_success(len(dirs), len(files)), r.last("progress")
    check_tree(m, target, dirs)
    return "zweimal Erfolgsmeldung; vorhandene (auch schreibgeschützte) Dateien ersetzt", \
        describe_target(m.e / "Mobil") + ", wie nach dem ersten Lauf"


@scenario("target_is_source", "Ziel = Quelle (Datenordner, ohne eigenes Verzeichnis)")
def target_is_source(ctx):
    m = ctx.m
    data_files = [m.windows_path(m.data / f) for f in fixtures.listing(m.data)[1]]
    r = copy_run(ctx, "D:\\ZOR", own=False)
    progress = r.last("progress")["text"]
    failed = failed_paths(progress)
    assert set(data_files) <= set(failed), set(data_files) - set(failed)
    return f"Fehlermeldung: {len(failed)} Dateien nicht kopiert (keine Datei auf sich selbst)", \
        "Dateien des Startordners zusätzlich im Datenordner; keine Quelldatei überschrieben"


@scenario("target_inside_source", "Ziel in der Quelle (D:\\ZOR\\Daten 2010, ohne eigenes Verzeichnis)")
def target_inside_source(ctx):
    m = ctx.m
    r = copy_run(ctx, "D:\\ZOR\\Daten 2010", own=False)
    progress = r.last("progress")["text"]
    assert failed_paths(progress) == ["D:\\ZOR\\jahr.dbf"], progress
    return "Fehlermeldung mit genau „D:\\ZOR\\jahr.dbf“ (es hätte „Daten 2010\\jahr.dbf“ ersetzt)", "Kopie im Ordner D:\\ZOR\\Daten 2010; keine Quelldatei überschrieben"


@scenario("target_is_start_folder", "Ziel = Startordner (mit eigenem Verzeichnis)")
def target_is_start_folder(ctx):
    m = ctx.m
    r = copy_run(ctx, "D:\\Programme\\ZOR")
    assert failed_paths(r.last("progress")["text"]) == ["D:\\ZOR\\DEZiradu.bat"], r.last("progress")
    check_tree(m, m.program / OWN, expected_tree(m)[0])
    return "Fehlermeldung mit „D:\\ZOR\\DEZiradu.bat“ (der Starter ersetzte sonst den des Startordners)", \
        describe_target(m.program / OWN) + " in D:\\Programme\\ZOR\\DEZiradu"


@scenario("source_held_open", "Quelldatei von anderem Prozess ohne Freigabe geöffnet")
def source_held_open(ctx):
    m = ctx.m
    (m.e / "Mobil").mkdir()
    held = "D:\\ZOR\\kunden.dbf"
    r = ctx.drive([f'hold "{esc(held)}"'] + ctx.start("E:\\Mobil") + copy_commands(ctx))
    assert not r.errors(), r.errors()
    assert failed_paths(r.last("progress")["text"]) == [held]
    dirs, _ = expected_tree(m)
    got_dirs, got_files = tree(m.e / "Mobil" / OWN)
    assert set(expected_sources(m)) - got_files == {"kunden.dbf"}
    # The failed file has its log line like every other, and nothing more.
    log = ctx.log()
    check_log(log, "E:\\Mobil\\DEZiradu\\", len(dirs), len(expected_tree(m)[1]), own=True)
    assert f"\r\n{held} -> E:\\Mobil\\DEZiradu\\kunden.dbf\r\n" in log
    return f"Fehlermeldung mit genau „{held}“", describe_target(m.e / "Mobil") + " (alle außer der gesperrten)"


@scenario("read_only_target", "Schreibgeschütztes Ziel")
def read_only_target(ctx):
    m = ctx.m
    folder = m.e / "nurlesen"
    with Mount(folder, "bind-ro"):
        r = copy_run(ctx, "E:\\nurlesen")
        failed = failed_paths(r.last("progress")["text"])
        assert len(failed) == len(expected_tree(m)[1]) + 1, failed  # every file and the launcher
        on_target = describe_target(folder)
    assert on_target == "nichts"
    return f"Fehlermeldung: alle {len(failed)} Dateien (mit Starter) nicht kopiert", on_target


@scenario("stick_full", "Stick voll (tmpfs mit 64 KB)")
def stick_full(ctx):
    m = ctx.m
    folder = m.e / "voll"
    with Mount(folder, "tmpfs", "64k"):
        r = copy_run(ctx, "E:\\voll")
        failed = failed_paths(r.last("progress")["text"])
        assert "D:\\ZOR\\Daten 2010\\archiv.dbf" in failed, failed
        partial = [f for f, src in expected_sources(m).items()
                   if (folder / OWN / f).exists() and (folder / OWN / f).read_bytes() != src.read_bytes()]
        assert not partial, f"cut-off copies left on the stick: {partial}"
        copied = len(tree(folder)[1])
    # How many files fit depends on the order the copies finish in.
    print(f"stick_full: {len(failed)} failed, {copied} complete copies")
    return "Fehlermeldung mit den Dateien, die nicht mehr passten", \
        "nur vollständige Dateien (abgebrochene Kopien entfernt)"


@scenario("launcher_missing", "Starter DEZiradu.bat fehlt im Datenordner")
def launcher_missing(ctx):
    m = ctx.m
    (m.data / fixtures.LAUNCHER).unlink()
    ctx.snapshot()
    (m.e / "Mobil").mkdir()
    r = copy_run(ctx, "E:\\Mobil")
    assert failed_paths(r.last("progress")["text"]) == ["D:\\ZOR\\DEZiradu.bat"]
    assert not (m.e / "Mobil" / fixtures.LAUNCHER).exists()
    return "Fehlermeldung mit „D:\\ZOR\\DEZiradu.bat“; Programm läuft weiter", \
        describe_target(m.e / "Mobil") + ", ohne Starter daneben"


@scenario("start_folder_read_only", "Startordner schreibgeschützt (Protokoll)")
def start_folder_read_only(ctx):
    m = ctx.m
    (m.e / "Mobil").mkdir()
    old_log = (m.program / fixtures.LOG).read_bytes()
    with Mount(m.program, "bind-ro"):
        r = copy_run(ctx, "E:\\Mobil")
    progress = r.last("progress")["text"]
    dirs, files = expected_tree(m)
    assert progress == progress_success(len(dirs), len(files)) + "\r\n\r\n" + LOG_NOT_WRITTEN, progress
    assert (m.program / fixtures.LOG).read_bytes() == old_log
    check_tree(m, m.e / "Mobil" / OWN, dirs)
    return f"Erfolgsmeldung und „{LOG_NOT_WRITTEN}“", describe_target(m.e / "Mobil")


@scenario("second_instance", "Zweite Instanz")
def second_instance(ctx):
    r = ctx.drive(ctx.start() + [f'start "{esc(ctx.exe)}" "{esc(ctx.start_folder)}"', "wait-box 30000",
                                 "press-box OK", "wait-exit 10000", "use 1", "no-box 300", "controls",
                                 "close", "wait-exit 10000"])
    assert not r.errors(), r.errors()
    assert len(r.boxes()) == 1 and r.boxes()[0][0] == "System-Meldung", r.boxes()
    assert r.boxes()[0][1] in (REFUSAL_A, REFUSAL_B), r.boxes()
    assert r.exit_codes() == [0, 0], r.exit_codes()
    return "zweite: Box „System-Meldung“ („… ist bereits aktiv!“), endet; erste läuft weiter", "nichts"


@scenario("host_holds_table", "Host hält zr.dbf geöffnet")
def host_holds_table(ctx):
    r = ctx.drive(['hold "D:\\\\ZOR\\\\zr.dbf"'] + ctx.start() [:-1] + ["wait-box 30000", "windows", "press-box OK",
                                                                   "wait-exit 10000"])
    assert [e for e in r.errors()] == [], r.errors()
    assert r.boxes()[0][0] == "System-Meldung" and r.boxes()[0][1] in (REFUSAL_A, REFUSAL_B), r.boxes()
    assert not [w for w in r.all("toplevel") if w["title"] == TITLE], "main window shown despite the refusal"
    assert r.exit_codes() == [0]
    return "Box „System-Meldung“ („… ist bereits aktiv!“), kein Fenster, Programmende", "nichts"


@scenario("corrupt_table", "zr.dbf beschädigt")
def corrupt_table(ctx):
    m = ctx.m
    (m.data / "zr.dbf").write_bytes(b"kein dBASE, nur Text\r\n" * 3)
    ctx.snapshot()
    r = ctx.drive(ctx.start()[:-1] + ["wait-box 30000", "press-box OK", "wait-exit 10000"])
    assert not r.errors(), r.errors()
    assert r.boxes()[0][0] == "System-Meldung", r.boxes()
    assert r.exit_codes() == [0]
    return "Box „System-Meldung“, Programmende", "nichts"


PICKER_LIBRARIES = [
    ("no_picker_library", "Ohne SelectFolder.dll", None),
    ("picker_without_function", "SelectFolder.dll ohne die Funktion SelectFolder", "without_function"),
    ("picker_other_bitness", "SelectFolder.dll für 32 Bit neben dem 64-Bit-Programm", "win32"),
]


def picker_fallback(variant):
    def run(ctx):
        m = ctx.m
        library = m.program / "SelectFolder.dll"
        library.unlink()
        if variant:
            shutil.copy2(m.build / "tools" / "select_folder" / variant / "SelectFolder.dll", library)
        ctx.snapshot()
        # The test library would answer E:\; the field stays empty only if it was not called.
        r = ctx.drive(ctx.start("E:\\") + ["press [bitmap]", "wait-box", "cancel-box", "no-box 500", "target",
                                           "press beenden", "wait-exit 10000"])
        assert not r.errors(), r.errors()
        boxes = r.all("box")
        assert len(boxes) == 1 and "Bitte Laufwerk und/oder Verzeichniss" in boxes[0]["title"] + boxes[0]["text"], boxes
        assert r.last("target")["text"] == ""
        assert r.exit_codes() == [0]
        return "eingebaute Ordnerauswahl „Bitte Laufwerk und/oder Verzeichniss … auswählen...“; " \
            "Abbrechen lässt das Feld leer", "nichts"
    return run


for _name, _title, _variant in PICKER_LIBRARIES:
    scenario(_name, _title + ": eingebaute Ordnerauswahl, abgebrochen")(picker_fallback(_variant))


@scenario("close_during_long_copy", "Schließen während einer langen Kopie")
def close_during_long_copy(ctx):
    m = ctx.m
    m.build_host(big_files=LONG_COPY_FILES)
    ctx.snapshot()
    (m.e / "lang").mkdir()
    r = ctx.drive(ctx.start("E:\\lang") + [
        "press [bitmap]", "sleep 300", "press erstellen", "wait-disabled erstellen",
        "close", "responsive 3 50", "close message", "responsive 2 50",
        "wait-disabled beenden 0", "wait-enabled beenden 600000",
        "no-box 300", "windows", "progress", "press beenden", "wait-exit 10000"], timeout=900)
    assert not r.errors(), r.errors()
    samples = r.all("responsive")
    assert all(int(s["worst_answer_ms"]) < 1000 and int(s["worst_repaint_ms"]) < 1000 for s in samples), samples
    assert all(s["window"] == "open" for s in samples)
    assert summary_of(r.last("progress")["text"]) == "Erfolgsmeldung"
    assert r.exit_codes() == [0]
    worst = max(int(s["worst_answer_ms"]) for s in samples)
    # "beenden" still grey after the checks: the job ran through all of them.
    still_copying_ms = int(r.last("enabled")["after_ms"])
    check_tree(m, m.e / "lang" / OWN, expected_tree(m)[0])
    print(f"close_during_long_copy: answers within {worst} ms; the copy ran {still_copying_ms} ms after the checks")
    return "Schließen ohne Wirkung; Fenster antwortet in unter 1 s und zeichnet neu, " \
        "die Kopie läuft weiter; Erfolgsmeldung", \
        describe_target(m.e / "lang")


LONG_COPY_FILES = 60000


def check_buttons_after_copy(r):
    controls = [line for v, _, line in r.records if v == "control"]
    create = [c for c in controls if 'text="erstellen"' in c]
    quit_ = [c for c in controls if 'text="beenden"' in c]
    assert create and "disabled" in create[-1], create
    assert quit_ and "disabled" not in quit_[-1], quit_


def check_tree(m, target, dirs):
    got_dirs, got_files = tree(target)
    want_dirs = {os.path.normpath(d) for d in dirs}
    sources = expected_sources(m)
    want_files = set(sources)
    assert got_dirs == want_dirs, f"folders: missing {want_dirs - got_dirs}, extra {got_dirs - want_dirs}"
    assert got_files == want_files, f"files: missing {want_files - got_files}, extra {got_files - want_files}"
    differ = [f for f, source in sources.items() if (Path(target) / f).read_bytes() != source.read_bytes()]
    assert not differ, f"copies differ from their source: {differ}"


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
        ctx = Context(machine, driver)
        snapshot = {}
        ctx.snapshot = lambda: snapshot.update(before=fixtures.hashes(machine.d, skip))
        ctx.snapshot()
        started = time.time()
        try:
            sees, target = function(ctx)
            status = "ok"
        except Skip as reason:
            sees, target, status = str(reason), "—", "skipped"
            print(f"--- {name}: {reason}")
        except Exception as error:  # one failed scenario must not hide the others
            sees, target, status = f"FEHLER: {error}", "?", "failed"
            failures.append(name)
            print(f"--- {name} failed:\n{traceback.format_exc()}\n" + "\n".join(getattr(ctx, "transcript", [])))
        before = snapshot["before"]
        after = fixtures.hashes(machine.d, skip)
        changed = [p for p in before if after.get(p) != before[p]]
        if changed:
            failures.append(name)
            print(f"--- {name}: source changed: {changed}")
        rows.append((title, sees, target, "ja" if not changed else "NEIN"))
        print(f"{status:6s} {name} ({time.time() - started:.1f} s): {sees} | {target}")
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
