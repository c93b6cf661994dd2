# Sourced: zor_sample_host <folder> lays out a small host installation there:
#   <folder>/Programme/ZOR  the program folder (launcher, helper files, Daten…,
#                           Auflistungen…, Datensicherung… subfolders)
#   <folder>/ZOR            the data folder with a valid zr.dbf
# Map <folder> to a drive letter and start the program in \Programme\ZOR:
# it finds the data folder as <drive>:\ZOR.
zor_sample_host() {
  local root=$1 program=$1/Programme/ZOR data=$1/ZOR
  mkdir -p "$program/Daten Archiv" "$program/Auflistungen" "$program/Datensicherung 2026" \
           "$data/Daten/Bilder" "$data/Auflistungen/Daten 2025" "$data/Hilfe"
  printf '@echo off\r\nstart ZOR.exe\r\n' > "$program/DEZiradu.bat"
  printf 'Programm\r\n' > "$program/ZOR.exe"
  printf '[Update]\r\n' > "$program/Update.ini"
  printf 'Liste\r\n' > "$program/Auflistungen/Titel.txt"
  printf 'Sicherung\r\n' > "$program/Datensicherung 2026/zr.bak"
  printf 'Archiv\r\n' > "$program/Daten Archiv/archiv.dbf"
  python3 - "$data/zr.dbf" <<'PY'
import struct, sys
fields = [(b"TITEL", 30), (b"AUTOR", 20)]
reclen = 1 + sum(n for _, n in fields)
rows = [b"Die Verwandlung", b"Der Process"]
header = struct.pack("<B3BIHH20x", 3, 126, 12, 11, len(rows), 32 + 32 * len(fields) + 1, reclen)
desc = b"".join(struct.pack("<11sc4xB15x", name, b"C", n) for name, n in fields)
body = b"".join(b" " + r.ljust(30) + b"Franz Kafka".ljust(20) for r in rows)
open(sys.argv[1], "wb").write(header + desc + b"\r" + body + b"\x1a")
PY
  printf 'Bild\r\n' > "$data/Daten/Bilder/bild.jpg"
  printf 'Liste 2025\r\n' > "$data/Auflistungen/Daten 2025/liste.txt"
  printf 'Hilfe\r\n' > "$data/Hilfe/hilfe.chm"
  printf 'Index\r\n' > "$data/zr.ntx"
}
