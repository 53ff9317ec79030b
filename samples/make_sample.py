#!/usr/bin/env python3
"""Writes the made-up sample contest log (sample.adi) and the sample RDA
district list (Plugins/rda_rus.dat). Deterministic: the same files come out
on every run. Every callsign, district name and region name is invented.

    python3 samples/make_sample.py
"""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
OWN_CALL = "R3XYZ"
OWN_DISTRICT = "KE-07"
rng = random.Random(20261205)

# Two-letter region codes of the sample list with their invented names and
# the number of districts each holds (229 codes in all).
REGIONS = [
    ("KE", "Kestrel region", 24), ("AB", "Alderbank region", 18), ("BR", "Bramble region", 15),
    ("CD", "Cedarfold region", 12), ("DN", "Dunmoor region", 20), ("FL", "Fallow region", 16),
    ("GR", "Greywater region", 14), ("HT", "Heathtop region", 10), ("KA", "Amber coast", 12),
    ("LN", "Linden region", 18), ("MR", "Marshend region", 22), ("NV", "Northvale region", 13),
    ("PT", "Pinetarn region", 11), ("SK", "Skylark region", 9), ("TV", "Taiga valley", 15),
]
SYLLABLES = ["bel", "dor", "gor", "kam", "lis", "mor", "nov", "ozer", "pol", "ros", "sos",
             "tal", "ust", "vel", "yar", "zar", "kle", "bor", "vod", "sel"]
ENDINGS = ["sky", "ovo", "insk", "evka", "no", "ets", "ino", "aya"]
# Asian districts for UA9 stations, the amber coast for UA2.
ASIAN_REGIONS = {"NV", "PT", "SK", "TV"}

# The Moscow-region district codes (a few of them) and two-letter texts
# that are no such code.
MOSCOW_CODES = ["AF", "AK", "BK", "MO", "SV", "SU", "VO", "ZZ", "HN", "JR", "TG", "PB", "KC", "DS"]
BAD_MOSCOW = ["XX", "QQ", "AA", "MM", "ZQ"]
MOSCOW_FRAGMENTS = ["2A", "3A", "5A", "2B", "3B", "5B", "2C", "3C", "5C"]


def district_name():
    return (rng.choice(SYLLABLES) + rng.choice(SYLLABLES) + rng.choice(ENDINGS)).capitalize()


def write_rda():
    lines = ["Sample RDA district list (invented names)", ""]
    codes = []
    for code, name, count in REGIONS:
        lines.append(name)
        for n in range(1, count + 1):
            lines.append(f"{code}-{n:02d}\t{district_name()}")
            codes.append((code, n))
        lines.append("")
    with open(os.path.join(HERE, "Plugins", "rda_rus.dat"), "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")
    return codes


def is_moscow(call):
    return any(call.find(f) >= 1 for f in MOSCOW_FRAGMENTS)


def letters(n):
    return "".join(rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ") for _ in range(n))


def russian_call(area, first=None):
    while True:
        head = rng.choice(["R", "RA", "RK", "RN", "RW", "RZ", "UA", "UB", "UD", "UF"])
        tail = (first or "") + letters(rng.choice([2, 3]) - (1 if first else 0))
        call = f"{head}{area}{tail}"
        if first or not is_moscow(call):
            return call


def moscow_call():
    frag = rng.choice(MOSCOW_FRAGMENTS)
    head = rng.choice(["R", "RA", "RK", "UA", "RV"])
    return f"{head}{frag}{letters(rng.choice([1, 2]))}"


FOREIGN = [("DL", 230), ("UR", 288), ("SP", 269), ("OK", 503), ("EW", 27), ("UN", 130),
           ("4L", 75), ("YL", 145), ("LY", 146), ("OH", 224), ("HA", 239), ("UT", 288)]


def stations(rda_codes):
    """A fixed field of stations: (call, dxcc or 0, kind, exchange they send)."""
    european = [c for c in rda_codes if c[0] not in ASIAN_REGIONS and c[0] != "KA"]
    asian = [c for c in rda_codes if c[0] in ASIAN_REGIONS]
    amber = [c for c in rda_codes if c[0] == "KA"]
    field = []
    for _ in range(30):
        field.append((moscow_call(), rng.choice([54, 0]), "moscow", rng.choice(MOSCOW_CODES)))
    for _ in range(45):
        c = rng.choice(european)
        field.append((russian_call(rng.choice("13467")), rng.choice([54, 0]), "rda",
                      f"{c[0]}-{c[1]:02d}"))
    for _ in range(20):
        c = rng.choice(asian)
        field.append((russian_call(rng.choice("09")), rng.choice([15, 0]), "rda",
                      f"{c[0]}-{c[1]:02d}"))
    for _ in range(6):
        c = rng.choice(amber)
        field.append((russian_call(2, "F"), rng.choice([126, 0]), "rda", f"{c[0]}-{c[1]:02d}"))
    for _ in range(40):
        pfx, dxcc = rng.choice(FOREIGN)
        field.append((f"{pfx}{rng.choice('123456789')}{letters(rng.choice([2, 3]))}",
                      rng.choice([dxcc, 0]), "serial", None))
    # A call whose fragment stands at its first character only: not Moscow.
    field.append(("3A2LF", 260, "serial", None))
    # A station sending codes outside the list or the table.
    field.append((russian_call(6), 54, "bad-rda", "ZY-99"))
    field.append((russian_call(4), 0, "bad-rda", "KE-77"))
    field.append((moscow_call(), 54, "bad-moscow", rng.choice(BAD_MOSCOW)))
    return field


def spelled(kind, exchange, serial):
    """How the station's exchange ends up in the log, spelling variants included."""
    if kind == "serial":
        return f"{serial:03d}" if rng.random() < 0.8 else str(serial)
    if kind in ("moscow", "bad-moscow"):
        return exchange.lower() if rng.random() < 0.25 else exchange
    r = rng.random()
    if r < 0.2:
        return exchange.replace("-", "").lower()  # "ab12"
    if r < 0.3:
        return exchange.lower()  # "ab-12"
    if r < 0.35:
        return exchange.replace("-", "")  # "AB12"
    return exchange


def field(name, value):
    return f"<{name}:{len(value.encode('utf-8'))}>{value}"


def field_chars(name, value):
    # Some writers count characters, not bytes.
    return f"<{name}:{len(value)}>{value}"


def qso_record(call, dxcc, when, band, mode, sent, rcvd, comment):
    freq = {"80m": (3.570, 3.600), "40m": (7.035, 7.045), "20m": (14.080, 14.099),
            "160m": (1.838, 1.842)}[band]
    f = round(rng.uniform(*freq), 4)
    parts = [field("STATION_CALLSIGN", OWN_CALL), field("CALL", call),
             field("QSO_DATE", when[0]), field("TIME_ON", when[1]),
             field("BAND", band), field("FREQ", f"{f:.4f}"), field("MODE", mode),
             field("RST_SENT", "599"), field("RST_RCVD", rng.choice(["599", "599", "579", "589"]))]
    if sent is not None:
        parts.append(field("STX_STRING", sent))
    if rcvd is not None:
        parts.append(field("SRX_STRING", rcvd))
    if dxcc:
        parts.append(field("DXCC", str(dxcc)))
    if comment:
        writer = field_chars if rng.random() < 0.5 else field
        parts.append(writer("COMMENT", comment))
    return " ".join(parts) + " <EOR>\n"


COMMENTS = ["", "", "", "", "weak", "QSB", "\u0441\u0438\u043b\u044c\u043d\u044b\u0439 QRM",
            "\u0441\u043f\u0430\u0441\u0438\u0431\u043e"]


def write_log(rda_codes):
    field_ = stations(rda_codes)
    serials = {}
    records = []
    minute = 0
    for n in range(330):
        minute += rng.choice([1, 1, 2, 3])
        hour, mm = 14 + minute // 60, minute % 60
        day = 5 + hour // 24
        when = (f"202612{day:02d}", f"{hour % 24:02d}{mm:02d}" + (f"{rng.randrange(60):02d}" if n % 5 == 0 else ""))
        call, dxcc, kind, exchange = rng.choice(field_)
        band = rng.choices(["80m", "40m", "20m", "160m"], [60, 35, 3, 2])[0]
        mode = rng.choices(["RTTY", "CW", "PSK31", "rtty"], [94, 3, 2, 1])[0]
        serials[call] = serials.get(call, 0) + rng.randrange(1, 9)
        rcvd = spelled(kind, exchange, serials[call])
        sent = OWN_DISTRICT
        r = rng.random()
        if r < 0.015:
            rcvd = None
        elif r < 0.025:
            rcvd = ""
        elif r < 0.03:
            sent = None
        records.append(qso_record(call, dxcc, when, band, mode, sent, rcvd, rng.choice(COMMENTS)))
        if rng.random() < 0.06:
            # The same station again within the hour: kept and counted.
            records.append(qso_record(call, dxcc, when, band, "RTTY", sent, rcvd, "dupe"))
    # Records the simulator must report and skip.
    records.insert(40, field("CALL", "") + " " + field("QSO_DATE", "20261205") + " " +
                   field("TIME_ON", "1530") + " <EOR>\n")
    records.insert(90, field("CALL", "RA3QQQ") + " " + field("QSO_DATE", "20261232") + " " +
                   field("TIME_ON", "1630") + " <EOR>\n")
    records.insert(150, "<CALL>RA9XXX " + field("QSO_DATE", "20261205") + " <EOR>\n")
    header = ("Sample KESTREL-RTTY log, made up for the host simulator.\n"
              + field("ADIF_VER", "3.1.4") + "\n" + field("PROGRAMID", "make_sample.py") +
              "\n<EOH>\n")
    with open(os.path.join(HERE, "sample.adi"), "w", encoding="utf-8", newline="\r\n") as f:
        f.write(header + "".join(records))


if __name__ == "__main__":
    write_log(write_rda())
