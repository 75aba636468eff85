#!/usr/bin/env python3
"""Generates the benchmark netlist pairs, deterministically (seeded).

A pair is a reference design and a compare revision of it:
  full        6000 parts and 20000 pins per netlist, a realistic mix of parts and net sizes
              (a few power nets of thousands of pins, many small signal nets) and a few
              percent of every change the comparison recognises;
  moved       adversarial: one net holds most of the pins, and in the compare netlist all its
              members moved to other nets;
  renamed     adversarial: the same huge net renamed with one pin changed;
  wide        adversarial: designators and pins at their full widths (20 and 10 characters),
              so the net texts are as long as they get.

Usage: gen_netlists.py OUTDIR [--formats pads,...] [--seed N]
Writes OUTDIR/<set>-ref.<ext> and OUTDIR/<set>-cmp.<ext> for every set and format.
"""
import argparse
import os
import random

PART_CAPACITY = 6000
PIN_CAPACITY = 20000


class Design:
    """Parts (designator -> (value, footprint)) and nets (name -> [(designator, pin)])."""

    def __init__(self):
        self.parts = {}
        self.nets = {}

    def copy(self):
        d = Design()
        d.parts = dict(self.parts)
        d.nets = {name: list(pins) for name, pins in self.nets.items()}
        return d

    def pin_count(self):
        return sum(len(p) for p in self.nets.values())

    def where(self):
        """(designator, pin) -> net name."""
        return {pin: name for name, pins in self.nets.items() for pin in pins}


def realistic(rng):
    """A board at full capacity: passives, diodes, transistors, ICs and connectors."""
    d = Design()
    pins = []  # every (designator, pin) in part order

    def add(prefix, n, value, footprint, pin_names):
        for k in range(1, n + 1):
            des = "%s%d" % (prefix, k)
            d.parts[des] = (value(k), footprint)
            pins.extend((des, p) for p in pin_names)

    add("R", 2300, lambda k: rng.choice(["10k", "4k7", "1k", "100", "22", "47k"]), "R0402", ["1", "2"])
    add("C", 1900, lambda k: rng.choice(["100n", "1u", "10u", "10n", "22p"]), "C0402", ["1", "2"])
    add("L", 150, lambda k: "10uH", "L0805", ["1", "2"])
    add("FB", 100, lambda k: "600R", "L0603", ["1", "2"])
    add("D", 250, lambda k: "1N4148W", "SOD-123", ["A", "K"])
    add("LED", 60, lambda k: "GREEN", "LED0603", ["A", "K"])
    add("Q", 300, lambda k: rng.choice(["2SC1815", "BSS138"]), "SOT-23", ["B", "C", "E"])
    n_fixed = len(pins)
    ic_count = PART_CAPACITY - len(d.parts) - 40
    remaining = PIN_CAPACITY - n_fixed
    # ICs with 8 to 64 pins and 40 connectors share what is left of the pins.
    sizes = [rng.choice([8, 8, 14, 16, 20]) for _ in range(ic_count)]
    conn = [10] * 40
    scale = remaining / float(sum(sizes) + sum(conn))
    sizes = [max(2, int(s * scale)) for s in sizes]
    conn = [max(2, int(s * scale)) for s in conn]
    short = remaining - sum(sizes) - sum(conn)
    sizes[0] += short
    for k, n in enumerate(sizes, 1):
        des = "U%d" % k
        d.parts[des] = (rng.choice(["74HC00", "LM358", "STM32F4", "TPS5430"]), "SO%d" % n)
        pins.extend((des, str(p)) for p in range(1, n + 1))
    for k, n in enumerate(conn, 1):
        des = "J%d" % k
        d.parts[des] = ("CONN-%d" % n, "HDR%d" % n)
        pins.extend((des, str(p)) for p in range(1, n + 1))
    assert len(d.parts) == PART_CAPACITY and len(pins) == PIN_CAPACITY

    # Power nets of thousands of pins, then signal nets of 2 to 6 pins; net names partly
    # given by people, partly made by the CAD program.
    rng.shuffle(pins)
    for name, size in (("GND", 3500), ("+3V3", 1800), ("+5V", 900), ("VBAT", 300)):
        d.nets[name] = pins[:size]
        pins = pins[size:]
    k = 0
    while pins:
        size = min(len(pins), rng.choice([2, 2, 2, 3, 3, 4, 5, 6]))
        if len(pins) - size == 1:
            size += 1
        name = "N%05d" % k if k % 3 else "SIG_%d" % k
        d.nets[name] = pins[:size]
        pins = pins[size:]
        k += 1
    return d


def revise(d, rng, share=0.02):
    """A compare revision with a few percent of every kind of change."""
    c = d.copy()
    where = c.where()
    designators = sorted(c.parts)
    n = int(len(designators) * share)
    picks = rng.sample(designators, n * 6)
    values, footprints, deletes = picks[:n], picks[n:2 * n], picks[2 * n:3 * n]
    for des in values:
        v, f = c.parts[des]
        c.parts[des] = (v + "X", f)
    for des in footprints:
        v, f = c.parts[des]
        c.parts[des] = (v, f + "-ALT")
    for des in deletes:
        del c.parts[des]
        for name in c.nets:
            c.nets[name] = [p for p in c.nets[name] if p[0] != des]
    for name in [name for name, pins in c.nets.items() if not pins]:
        del c.nets[name]
    # Added parts on existing nets, as many as were deleted, so the tables stay full.
    names = [name for name in c.nets if len(c.nets[name]) >= 2]
    for k in range(len(deletes)):
        des = "RN%d" % (k + 1)
        c.parts[des] = ("10k", "R0402")
        c.nets[rng.choice(names)].append((des, "1"))
        c.nets[rng.choice(names)].append((des, "2"))
    # Net renames by people and by the program.
    small = [name for name in c.nets if len(c.nets[name]) < 10]
    for name in rng.sample(small, n):
        new = name + "_R" if not name.startswith("N0") else "N9%04d" % rng.randrange(10000)
        if new not in c.nets:
            c.nets[new] = c.nets.pop(name)
    # Exchanged resistor pins, diodes and transistors numbered in the compare netlist.
    where = c.where()
    names = [name for name in c.nets if len(c.nets[name]) >= 2]
    for des in [x for x in rng.sample(designators, 4 * n) if x in c.parts]:
        if des.startswith("R") and not des.startswith("RN"):
            a, b = where.get((des, "1")), where.get((des, "2"))
            if a and b and a != b:
                c.nets[a][c.nets[a].index((des, "1"))] = (des, "2")
                c.nets[b][c.nets[b].index((des, "2"))] = (des, "1")
        elif des.startswith("D"):
            for old, new in (("A", "1"), ("K", "2")):
                net = where.get((des, old))
                if net:
                    c.nets[net][c.nets[net].index((des, old))] = (des, new)
        elif des.startswith("Q"):
            for old, new in (("B", "1"), ("E", "2"), ("C", "3")):
                net = where.get((des, old))
                if net:
                    c.nets[net][c.nets[net].index((des, old))] = (des, new)
        elif des.startswith("U"):
            # A pin moved to another net.
            net = where.get((des, "1"))
            if net and len(c.nets[net]) > 2:
                c.nets[net].remove((des, "1"))
                c.nets[rng.choice(names)].append((des, "1"))
    return c


def one_big_net(rng, size=18000):
    """A design whose first net holds most of the pins."""
    d = Design()
    pins = []
    for k in range(1, PART_CAPACITY + 1):
        des = "U%d" % k
        d.parts[des] = ("IC", "SO8")
        pins.extend((des, str(p)) for p in range(1, 4))
    pins = pins[:PIN_CAPACITY]
    d.nets["BIG"] = pins[:size]
    rest = pins[size:]
    k = 0
    while rest:
        d.nets["S%d" % k] = rest[:2]
        rest = rest[2:]
        k += 1
    return d


def moved(rng):
    ref = one_big_net(rng)
    cmp = ref.copy()
    big = cmp.nets.pop("BIG")
    rng.shuffle(big)
    k = 0
    while big:
        cmp.nets["M%d" % k] = big[:3]
        big = big[3:]
        k += 1
    return ref, cmp


def renamed(rng):
    ref = one_big_net(rng)
    cmp = ref.copy()
    big = cmp.nets.pop("BIG")
    big[len(big) // 2] = (big[len(big) // 2][0], "9")
    cmp.nets["BIG_RENAMED"] = big
    return ref, cmp


def letters(k, width):
    """k written in the letters A to Z, padded to width: a name without digits."""
    out = ""
    while k or not out:
        out = chr(ord("A") + k % 26) + out
        k //= 26
    return out.rjust(width, "A")


def wide(rng):
    """Designators of 20 and pins of 10 characters in two-pin nets with names of 48: the longest
    net texts. Values and footprints stay short, so the condensing readers' buffer holds it all.
    Every fiftieth net is renamed (names without digits, so the renames count)."""
    d = Design()
    pins = []
    for k in range(PART_CAPACITY):
        d.parts["W%019d" % k] = ("WIDEVALUE", "WIDEFOOT")
    for k in range(PIN_CAPACITY):
        pins.append(("W%019d" % (k % PART_CAPACITY), "P%09d" % k))
    for k in range(0, PIN_CAPACITY, 2):
        d.nets["NET_" + letters(k, 44)] = pins[k:k + 2]
    c = d.copy()
    for k, name in enumerate(sorted(c.nets)):
        if k % 50 == 0:
            c.nets["X" + name[1:]] = c.nets.pop(name)
    return d, c


def save(path, lines):
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode())


def chunks(items, n=8):
    for k in range(0, len(items), n):
        yield items[k:k + n]


def write_pads(design, path):
    out = ["*PADS-PCB*", "*PART*"]
    out += ["%s %s@%s" % (des, v, fp) for des, (v, fp) in design.parts.items()]
    out.append("*NET*")
    for name, pins in design.nets.items():
        out.append("*SIGNAL* " + name)
        out += [" ".join("%s.%s" % p for p in line) for line in chunks(pins)]
    out.append("*END*")
    save(path, out)


def write_cadvance(design, path):
    out = ["/* generated */", "$NET_LIST {", " comp {"]
    out += ["  %s [%s] {%s};" % (des, v, fp) for des, (v, fp) in design.parts.items()]
    out += [" }", " nets {"]
    for name, pins in design.nets.items():
        lines = [", ".join("%s-%s" % p for p in line) for line in chunks(pins)]
        out.append("  %s = {%s};" % (name, ",\r\n    ".join(lines)))
    out += [" }", "}"]
    save(path, out)


def write_mm2(design, path):
    out = ["$PTS"]
    out += ["%s ! %s ; %s" % (fp, v, des) for des, (v, fp) in design.parts.items()]
    out.append("$NET")
    for name, pins in design.nets.items():
        lines = [", ".join("%s-%s" % p for p in line) for line in chunks(pins)]
        out.append("%s; %s" % (name, ",\r\n     ".join(lines)))
    out.append("$END")
    save(path, out)


def write_cadlus(design, path):
    save(path, ["%s %s %s" % (name, des, pin)
                for name, pins in design.nets.items() for des, pin in pins])


def write_protel(design, path):
    out = []
    for des, (v, fp) in design.parts.items():
        out += ["[", des, fp, v, "", "", "", "]"]
    for name, pins in design.nets.items():
        out += ["(", name] + ["%s-%s" % p for p in pins] + [")"]
    save(path, out)


def write_telesis(design, path):
    out = ["(generated)", "$PACKAGES"]
    out += ["%s ! %s ; %s" % (fp, v, des) for des, (v, fp) in design.parts.items()]
    out.append("$NETS")
    for name, pins in design.nets.items():
        lines = [" ".join("%s.%s" % p for p in line) for line in chunks(pins)]
        out.append("%s ; %s" % (name, " ,\r\n    ".join(lines)))
    out.append("$END")
    save(path, out)


def write_ccf(design, path):
    out = ["$CCF {", " DEFINITION {"]
    out += ["  %s.%s : %s;" % (v, fp, des) for des, (v, fp) in design.parts.items()]
    out += [" }", " NET {"]
    for name, pins in design.nets.items():
        lines = [", ".join("%s(%s)" % p for p in line) for line in chunks(pins)]
        out.append("  %s : %s;" % (name, ",\r\n    ".join(lines)))
    out += [" }", "}"]
    save(path, out)


# Format name -> (file extension, writer, format index).
WRITERS = {
    "pads": ("net", write_pads, 6),
    "cadvance": ("net", write_cadvance, 0),
    "mm2": ("net", write_mm2, 1),
    "cadlus": ("net", write_cadlus, 2),
    "protel": ("net", write_protel, 3),
    "telesis": ("net", write_telesis, 4),
    "ccf": ("ccf", write_ccf, 5),
}


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("outdir")
    ap.add_argument("--formats", default=",".join(WRITERS))
    ap.add_argument("--seed", type=int, default=20261206)
    args = ap.parse_args()
    os.makedirs(args.outdir, exist_ok=True)
    sets = {}
    rng = random.Random(args.seed)
    ref = realistic(rng)
    sets["full"] = (ref, revise(ref, rng))
    sets["moved"] = moved(rng)
    sets["renamed"] = renamed(rng)
    sets["wide"] = wide(rng)
    for fmt in args.formats.split(","):
        ext, write, _ = WRITERS[fmt]
        for name, (r, c) in sets.items():
            write(r, os.path.join(args.outdir, "%s-%s-ref.%s" % (name, fmt, ext)))
            write(c, os.path.join(args.outdir, "%s-%s-cmp.%s" % (name, fmt, ext)))


if __name__ == "__main__":
    main()
