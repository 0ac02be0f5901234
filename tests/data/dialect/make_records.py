# Writes records.mrc (line format) and records.iso (ISO 2709) from one list of
# records, so that both inputs hold the same records. Run in this folder.
recs = [
 ["00000000nam a2200000 a 4500", "001LIBR1", "00520200101120000.0",
  "008850101s1985    sw a          000 1 swe  ", "040  $aS$dS",
  "24510$aH\xe4xor och troll.$cav Anna Ek", "5050 $aInneh\xe5ll /", "546  $aText p\xe5 svenska",
  "655 7$aRomaner$2saogf", "830 0$aSerie ;$v3", "24710$aF\xf6rr."],
 ["00000000nas a2200000 a 4500", "001LIBR2", "008990101c19859999sw mr p       0   d0swe c",
  "24500$aTidskriften"],
 ["00000000nam a2200000 a 4500", "001LIBR3", "008010101s2001    sw            000 0 swe  ",
  "24500$aDel 2", "7720 $tHuvudverk$w(SE-LIBR)123", "77608$zISBN 91-0-012345-6"],
 ["00000000nam a2200000 a 4500", "001LIBR4", "500  $aIngen titel"],
 ["00000000naa a2200000 a 4500", "001LIBR5", "008200202s2020    sw            000 0 swe  ",
  "24500$aOm troll", "7870 $iRecension av$tBoken"],
]
line = b""
iso = b""
for r in recs:
    dirs = b""; body = b""; leader = None
    for f in r:
        line += ("*" + f).encode("cp1252") + b"\r\n"
        tag = f[:3]
        if tag == "000": leader = f[3:]; continue
        data = f[3:] if tag < "010" else f[3:5] + f[5:].replace("$", "\x1f")
        fd = data.encode("cp1252") + b"\x1e"
        dirs += tag.encode() + b"%04d%05d" % (len(fd), len(body))
        body += fd
    line += b"\r\n^\r\n"
    dirs += b"\x1e"
    base = 24 + len(dirs)
    total = base + len(body) + 1
    iso += ("%05d" % total + leader[5:12] + "%05d" % base + leader[17:]).encode() + dirs + body + b"\x1d"
open("records.mrc", "wb").write(line)
open("records.iso", "wb").write(iso)
