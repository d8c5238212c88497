#!/usr/bin/env python3
"""The character of the towns in saved maps (.qls): buildings per ring around
the centre of the map square (five rings of equal width out to half the
square; the last ring takes what lies beyond), the share of row members and
of round buildings and the mean building area, summed over all maps given.

    bench/charakter.py k_13_*.qls
    bench/charakter.py --vergleich VORHER_ORDNER NACHHER_ORDNER 8 11 12 13

With --vergleich, each folder holds k_P_S.qls for the presets named, and the
two are printed side by side with the change in per cent.
"""
import glob
import math
import os
import sys

RINGE = 5
TOLERANZ = 0.02  # metres: a row member's pivot corner on its predecessor's


def karte_lesen(pfad):
    with open(pfad, encoding="latin-1") as f:
        z = [zeile.strip() for zeile in f.read().split("\n")]
    i = 0

    def weiter():
        nonlocal i
        i += 1
        return z[i - 1]

    weiter()  # version
    weiter()  # karten_faktor
    weiter()  # town name
    abmessung = float(weiter())
    for _ in range(12 + 4):  # north buttons, numbering counts
        weiter()
    n_wege = int(weiter())
    for _ in range(3):
        weiter()
    for _ in range(n_wege):
        weiter()
        n = int(weiter())
        weiter()
        weiter()
        i += 2 * max(n, 0)
    haeuser = []
    for _ in range(int(weiter())):
        weiter()  # number
        rund = int(weiter())
        if rund == 0:
            werte = [float(weiter()) for _ in range(8)]
            haeuser.append((0, list(zip(werte[0::2], werte[1::2]))))
        elif rund == 1:
            x, y, breite = (float(weiter()) for _ in range(3))
            haeuser.append((1, (x, y, breite)))
    return abmessung, haeuser


def flaeche(haus):
    rund, form = haus
    if rund:
        return math.pi * (form[2] / 2.0) ** 2
    s = 0.0
    for k in range(4):
        (x1, y1), (x2, y2) = form[k], form[(k + 1) % 4]
        s += x1 * y2 - x2 * y1
    return abs(s) / 2.0


def mitte(haus):
    rund, form = haus
    if rund:
        return form[0], form[1]
    return sum(p[0] for p in form) / 4.0, sum(p[1] for p in form) / 4.0


def nah(p, q):
    return math.hypot(p[0] - q[0], p[1] - q[1]) <= TOLERANZ


def messen(pfade):
    ringe = [0] * RINGE
    n = reihe = rund = 0
    summe_flaeche = 0.0
    for pfad in pfade:
        abmessung, haeuser = karte_lesen(pfad)
        breite = abmessung / 2.0 / RINGE
        for j, h in enumerate(haeuser):
            x, y = mitte(h)
            r = math.hypot(x - abmessung / 2.0, y - abmessung / 2.0)
            ringe[min(int(r / breite), RINGE - 1)] += 1
            n += 1
            rund += h[0]
            summe_flaeche += flaeche(h)
            if j > 0 and h[0] == 0 and haeuser[j - 1][0] == 0:
                e, v = h[1], haeuser[j - 1][1]
                if nah(e[1], v[0]) or nah(e[2], v[3]):
                    reihe += 1
    return {
        "karten": len(pfade),
        "gebaeude": n,
        "ringe": ringe,
        "reihe": reihe / n if n else 0.0,
        "rund": rund / n if n else 0.0,
        "flaeche": summe_flaeche / n if n else 0.0,
    }


def zeigen(titel, w):
    ringe = " ".join(f"{r:7d}" for r in w["ringe"])
    print(f"{titel}: {w['karten']} maps, {w['gebaeude']} buildings; rings {ringe}; "
          f"rows {w['reihe']:.4f} round {w['rund']:.4f} mean area {w['flaeche']:.2f} m2")


def prozent(a, b):
    return (b - a) / a * 100.0 if a else float("nan")


def vergleichen(vorher, nachher, vorlagen):
    for p in vorlagen:
        a = messen(sorted(glob.glob(os.path.join(vorher, f"k_{p}_*.qls"))))
        b = messen(sorted(glob.glob(os.path.join(nachher, f"k_{p}_*.qls"))))
        print(f"preset {p} ({a['karten']} / {b['karten']} maps)")
        for k in range(RINGE):
            print(f"  ring {k + 1}      {a['ringe'][k]:8d} {b['ringe'][k]:8d} "
                  f"{prozent(a['ringe'][k], b['ringe'][k]):+7.2f} %")
        for name, titel in (("reihe", "row share"), ("rund", "round share"),
                            ("flaeche", "mean area")):
            print(f"  {titel:11s} {a[name]:8.4f} {b[name]:8.4f} {prozent(a[name], b[name]):+7.2f} %")
        print(f"  buildings   {a['gebaeude']:8d} {b['gebaeude']:8d} "
              f"{prozent(a['gebaeude'], b['gebaeude']):+7.2f} %")


def main():
    if len(sys.argv) >= 4 and sys.argv[1] == "--vergleich":
        vergleichen(sys.argv[2], sys.argv[3], sys.argv[4:] or ["8", "11", "12", "13"])
    elif len(sys.argv) >= 2:
        zeigen("all", messen(sys.argv[1:]))
    else:
        print(__doc__)
        sys.exit(2)


if __name__ == "__main__":
    main()
