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
Beyond the fixed capacities, written only when named with --sets:
  big20k, big100k, big1m
              20,000, 100,000 and 1,000,000 pins per netlist and about a quarter as many parts,
              mixed like full; 5 % of the nets have long hierarchical names of 60 to 120 bytes,
              some alike in their first 50, and a few designators are longer than 20; an ECO
              of a few percent between the two;
  adv100k     adversarial: one net of all 100,000 pins, whose members are all renamed in the
              compare netlist (other designators or other pin names) and spread over small nets.

Usage: gen_netlists.py OUTDIR [--sets full,...] [--formats pads,...] [--seed N]
Writes OUTDIR/<set>-<format>-ref.<ext> and OUTDIR/<set>-<format>-cmp.<ext> for every set and
format; without --sets, the sets full, moved, renamed and wide.
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


# Blocks of a hierarchical design, as KiCad writes them into net names.
BLOCKS = [
    ["cpu_subsystem", "power_management", "high_speed_io", "sensor_frontend",
     "display_pipeline", "radio_baseband"],
    ["ddr4_channel_a", "ddr4_channel_b", "pcie_gen4_root_port", "usb3_superspeed_hub",
     "buck_converter_vcore", "mipi_csi2_receiver", "clock_generation", "jtag_debug"],
    ["byte_lane_%d" % k for k in range(8)] + ["lane_%d" % k for k in range(4)] +
    ["phase_%d" % k for k in range(6)] + ["termination_network", "esd_protection_array"],
    ["u_phy", "u_retimer_0", "u_retimer_1", "series_termination", "level_shifter_bank_b"],
]
SIGNALS = ["DQ", "DQS_P", "DQS_N", "DM", "TX_P", "TX_N", "RX_P", "RX_N", "SENSE", "SW", "FB",
           "EN", "PGOOD", "CLK_P", "CLK_N", "ADDR", "DATA"]
# Designators of blocks, longer than 20 characters with their number.
LONG_DESIGNATOR = ["DDR4_CHA_BYTE3_TERM_", "PWR_VCORE_PHASE2_", "PCIE_RX_AC_COUPLING_"]


def hierarchical_names(rng, count):
    """count net names of 60 to 120 bytes such as /top/cpu_subsystem/ddr4_channel_a/byte_lane_3/
    DQ17, in groups under one block. Two groups in five number their signals at the end, after
    50 bytes or more, so that their names are alike in their first 50 bytes; the others number
    the block, within the first 50."""
    names, seen = [], set()
    while len(names) < count:
        head = "/top/%s/%s" % (rng.choice(BLOCKS[0]), rng.choice(BLOCKS[1]))
        signal = rng.choice(SIGNALS)
        target = rng.randint(60, 120)
        middle, level = "", 2
        while len(head) + len(middle) + len(signal) + 5 < target:
            middle += "/" + rng.choice(BLOCKS[level])
            level = 5 - level
        alike = rng.random() < 0.4
        for k in range(rng.randint(1, 16)):
            if alike:
                name = "%s%s/%s%d" % (head, middle, signal, k)
            else:
                name = "%s_%d%s/%s" % (head, k, middle, signal)
            if 60 <= len(name) <= 120 and name not in seen:
                seen.add(name)
                names.append(name)
    return names[:count]


def ball(k, columns=34):
    """The k-th ball of a BGA: A1 ... A34, B1 ... Y34, AA1 ... (rows without I, O, Q, S, X and
    Z)."""
    rows = "ABCDEFGHJKLMNPRTUVWY"
    row, column = divmod(k, columns)
    name = rows[row % len(rows)]
    if row >= len(rows):
        name = rows[row // len(rows) - 1] + name
    return "%s%d" % (name, column + 1)


def board(rng, pin_total):
    """A board of pin_total pins and about a quarter as many parts: mostly passives, diodes,
    transistors, ICs of 5 to 64 pins and a few BGAs of hundreds, and connectors; power nets of
    thousands of pins and many small signal nets. Its .kinds lists the designators of each kind
    for the revision."""
    d = Design()
    d.kinds = {"R": [], "2pin": [], "D": [], "U": []}
    pins = []
    parts = pin_total // 4
    long_share = 0.003

    def designator(prefix, k):
        if rng.random() < long_share:
            return "%s%s%d" % (rng.choice(LONG_DESIGNATOR), prefix, k)
        return "%s%d" % (prefix, k)

    def add(prefix, share, values, footprints, pin_names, kinds):
        for k in range(1, int(parts * share) + 1):
            des = designator(prefix, k)
            d.parts[des] = (rng.choice(values), rng.choice(footprints))
            pins.extend([(des, p) for p in pin_names])
            for kind in kinds:
                d.kinds[kind].append(des)

    add("R", 0.40, ["10k", "4k7", "1k", "100", "22", "47k", "33", "0R"], ["R0402", "R0603"],
        ["1", "2"], ["R", "2pin"])
    add("C", 0.36, ["100n", "1u", "10u", "10n", "22p", "4u7"], ["C0402", "C0603", "C0805"],
        ["1", "2"], ["2pin"])
    add("L", 0.02, ["10uH", "2u2H"], ["L0805"], ["1", "2"], ["2pin"])
    add("FB", 0.015, ["600R"], ["L0603"], ["1", "2"], ["2pin"])
    add("D", 0.03, ["1N4148W", "BAT54"], ["SOD-123"], ["A", "K"], ["D", "2pin"])
    add("LED", 0.01, ["GREEN", "RED"], ["LED0603"], ["A", "K"], ["2pin"])
    add("Q", 0.04, ["2SC1815", "BSS138"], ["SOT-23"], ["B", "C", "E"], [])
    for k in range(1, max(2, int(parts * 0.004)) + 1):
        n = rng.choice([10, 20, 40, 50, 80])
        des = designator("J", k)
        d.parts[des] = ("CONN-%d" % n, "HDR%d" % n)
        pins.extend([(des, str(p)) for p in range(1, n + 1)])
    # ICs take what is left; one in two hundred is a BGA.
    k = 0
    while len(pins) < pin_total:
        k += 1
        des = designator("U", k)
        if rng.random() < 0.005:
            n = rng.choice([256, 484, 676, 1156])
            names = [ball(b) for b in range(n)]
            d.parts[des] = (rng.choice(["XC7A100T", "IMX8MP", "LPDDR4"]), "BGA%d" % n)
        else:
            n = rng.choice([5, 8, 8, 8, 8, 14, 14, 16, 16, 20, 20, 24, 28, 32, 48, 64])
            names = [str(p) for p in range(1, n + 1)]
            d.parts[des] = (rng.choice(["74HC00", "LM358", "STM32F4", "TPS5430"]),
                            rng.choice(["SO", "QFN", "TSSOP"]) + str(n))
        names = names[:max(2, pin_total - len(pins))]
        pins.extend([(des, p) for p in names])
        d.kinds["U"].append(des)
    del pins[pin_total:]  # a last IC of two pins may pass the total by one

    rng.shuffle(pins)
    for name, share in (("GND", 0.15), ("+3V3", 0.07), ("+1V8", 0.03), ("+1V0", 0.03),
                        ("+5V", 0.02), ("VBAT", 0.005), ("+12V", 0.005)):
        size = int(pin_total * share)
        d.nets[name] = pins[:size]
        pins = pins[size:]
    sizes = []
    left = len(pins)
    while left:
        size = min(left, rng.choice([2, 2, 2, 3, 3, 4, 5, 6]) if rng.random() > 0.01
                   else rng.randint(10, 40))
        if left - size == 1:
            size += 1
        sizes.append(size)
        left -= size
    long_names = iter(hierarchical_names(rng, len(sizes) // 20))
    start = 0
    for k, size in enumerate(sizes):
        name = next(long_names, None) if k % 20 == 7 else None
        d.nets[name or ("N%06d" % k if k % 3 else "SIG_%d" % k)] = pins[start:start + size]
        start += size
    assert sum(len(p) for p in d.nets.values()) == pin_total
    return d


def eco(d, rng, share=0.01):
    """The board after an engineering change: share of the parts with another value and another
    footprint, deleted and replaced by new ones of as many pins in all, of the IC pins moved to
    other nets and of the resistors with their pins exchanged; twice share of the signal nets
    renamed, by a person, by the program or in the hierarchy; diodes numbered instead of
    lettered. The nets are rewritten in one pass over the pins, so that a million take seconds."""
    c = Design()
    c.parts = dict(d.parts)
    designators = list(d.parts)
    n = max(1, int(len(designators) * share))
    for des in rng.sample(designators, n):
        v, f = c.parts[des]
        c.parts[des] = (v + "X", f)
    for des in rng.sample(designators, n):
        v, f = c.parts[des]
        c.parts[des] = (v, f + "-ALT")
    where = {pin: name for name, pins in d.nets.items() for pin in pins}
    drop, sub, extra = set(), {}, {}
    signals = [name for name, pins in d.nets.items() if len(pins) < 50]
    deleted = rng.sample(d.kinds["2pin"], n)
    for des in deleted:
        del c.parts[des]
        drop.update([(des, "1"), (des, "2"), (des, "A"), (des, "K")])
    for k in range(1, n + 1):
        des = "RN%d" % k
        c.parts[des] = ("10k", "R0402")
        extra.setdefault(rng.choice(signals), []).append((des, "1"))
        extra.setdefault(rng.choice(signals), []).append((des, "2"))
    for des in rng.sample(d.kinds["U"], min(n, len(d.kinds["U"]))):
        pin = (des, "1") if (des, "1") in where else (des, "A1")
        if pin in where and len(d.nets[where[pin]]) > 2:
            drop.add(pin)
            extra.setdefault(rng.choice(signals), []).append(pin)
    for des in rng.sample(d.kinds["R"], n):
        a, b = (des, "1"), (des, "2")
        if where[a] != where[b] and a not in drop:
            sub[a], sub[b] = b, a
    for des in rng.sample(d.kinds["D"], min(n, len(d.kinds["D"]))):
        sub[(des, "A")], sub[(des, "K")] = (des, "1"), (des, "2")
    renames = {}
    for name in rng.sample(signals, 2 * n):
        if name.startswith("/"):
            block, signal = name.rsplit("/", 1)
            renames[name] = block + "/" + signal.lower()
        elif name.startswith("N"):
            renames[name] = "N9%06d" % rng.randrange(1000000)  # longer than the program's own
        else:
            renames[name] = name + "_R"
    for name, pins in d.nets.items():
        new = [sub.get(p, p) for p in pins if p not in drop] + extra.get(name, [])
        new_name = renames.get(name, name)
        if new:
            c.nets[new_name if new_name not in c.nets else name] = new
    return c


def big(pin_total):
    def make(rng):
        ref = board(rng, pin_total)
        return ref, eco(ref, rng)
    return make


def adversarial(rng, pin_total=100000):
    """One net of all pin_total pins on parts of four; in the compare netlist every other part
    has a new designator and the rest new pin names, and all the pins are spread over nets of
    two to five."""
    ref = Design()
    pins = []
    for k in range(1, pin_total // 4 + 1):
        des = "U%d" % k
        ref.parts[des] = ("IC", "SO4")
        pins.extend([(des, p) for p in "1234"])
    rng.shuffle(pins)
    ref.nets["BIG"] = pins
    cmp = Design()
    renamed = []
    for k in range(1, pin_total // 4 + 1):
        if k % 2:
            des = "X%d" % k
            renamed.extend([(des, p) for p in "1234"])
        else:
            des = "U%d" % k
            renamed.extend([(des, p) for p in "ABCD"])
        cmp.parts[des] = ("IC", "SO4")
    rng.shuffle(renamed)
    start = k = 0
    while start < len(renamed):
        size = rng.randint(2, 5)
        if len(renamed) - start - size == 1:
            size += 1
        cmp.nets["M%d" % k] = renamed[start:start + size]
        start += size
        k += 1
    return ref, cmp


# The sets written only when named, each made with a generator of its own seeded by its name.
BIG_SETS = {
    "big20k": big(20000),
    "big100k": big(100000),
    "big1m": big(1000000),
    "adv100k": adversarial,
}
STANDARD_SETS = ["full", "moved", "renamed", "wide"]


def save(path, lines):
    """Writes the lines with CR LF, through a temporary so that no file is left half written."""
    with open(path + ".tmp", "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode())
    os.replace(path + ".tmp", path)


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
    ap.add_argument("--sets", default=",".join(STANDARD_SETS))
    ap.add_argument("--formats", default=",".join(WRITERS))
    ap.add_argument("--seed", type=int, default=20261206)
    args = ap.parse_args()
    names = args.sets.split(",")
    formats = args.formats.split(",")
    for name in names:
        if name not in STANDARD_SETS and name not in BIG_SETS:
            ap.error("unknown set %r" % name)
    for fmt in formats:
        if fmt not in WRITERS:
            ap.error("unknown format %r" % fmt)
    os.makedirs(args.outdir, exist_ok=True)
    sets = {}
    if any(name in STANDARD_SETS for name in names):
        # The standard sets come from one generator in this order, whichever are written.
        rng = random.Random(args.seed)
        ref = realistic(rng)
        sets["full"] = (ref, revise(ref, rng))
        sets["moved"] = moved(rng)
        sets["renamed"] = renamed(rng)
        sets["wide"] = wide(rng)
    for name in names:
        # A big set is made when it is written and let go after, so that one is held at a time.
        if name in BIG_SETS:
            r, c = BIG_SETS[name](random.Random("%s-%d" % (name, args.seed)))
        else:
            r, c = sets[name]
        for fmt in formats:
            ext, write, _ = WRITERS[fmt]
            write(r, os.path.join(args.outdir, "%s-%s-ref.%s" % (name, fmt, ext)))
            write(c, os.path.join(args.outdir, "%s-%s-cmp.%s" % (name, fmt, ext)))


if __name__ == "__main__":
    main()
