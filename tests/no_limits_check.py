#!/usr/bin/env python3
"""--no-limits changes nothing for a pair that fits the fixed tables and rooms.

Runs veltrax_diffr on each pair plainly and with --no-limits, each writing with -o into a folder
of its own, and checks that the files written, standard output, standard error and the exit
status are the same byte for byte (the folder's path taken out). The pairs: small random designs
of every format written by bench/gen_netlists.py, with random changes and every name shorter than
its room, and the golden cases whose default run does not warn (where it warns, the runs differ
on purpose).

Usage: no_limits_check.py VELTRAX_DIFFR SOURCE_DIR [PAIRS]   (PAIRS generated pairs, 350 unless
given, spread over the formats)
"""
import os
import random
import shutil
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

from golden_cases import FORMATS, golden_cases

SEED = 20261207
WARNING = (b"Warning", b"\x8c\x78\x8d\x90")  # the English and the Japanese (Shift-JIS) word
LETTERS = "ABCDEFGHJKLMNPRSTUVWXYZ"


def name(rng, first, room, alphabet="0123456789" + LETTERS):
    """A name that starts with first and is shorter than its room, now and then by one only."""
    length = room - 1 if rng.random() < 0.1 else rng.randint(len(first), min(room - 1, 8))
    return first + "".join(rng.choice(alphabet) for _ in range(length - len(first)))


def design(gen, rng, joined):
    """A small board: 2 to 300 pins on parts of one to 16 pins, in nets of one to eight and a
    power net. joined: value and footprint, with the changes revise makes, fit the value's room
    together, as CCF's "value.footprint" is read into it."""
    d = gen.Design()
    pins = []
    wanted = rng.choice([2, rng.randint(3, 30), rng.randint(30, 300)])
    while len(pins) < wanted:
        des = name(rng, rng.choice(["R", "C", "U", "Q", "D", "J", "IC"]), 20)
        if des in d.parts:
            continue
        count = min(wanted - len(pins), rng.choice([1, 2, 2, 2, 3, 4, 8, 16]))
        d.parts[des] = (name(rng, rng.choice(["1", "4K7", "100N", "LM"]), 49 if joined else 100),
                        name(rng, rng.choice(["R", "SO", "QFN"]), 48 if joined else 120))
        lettered = rng.random() < 0.2
        pins += [(des, name(rng, "P", 10) if lettered else str(p)) for p in range(1, count + 1)]
    pins = list(dict.fromkeys(pins))
    rng.shuffle(pins)
    if len(pins) > 10:
        d.nets["GND"], pins = pins[:len(pins) // 4], pins[len(pins) // 4:]
    k = 0
    while pins:
        size = rng.randint(1, 8)
        label = rng.choice(["N%05d" % k, "SIG_%d" % k, name(rng, "NET_%d_" % k, 50)])
        d.nets[label], pins = pins[:size], pins[size:]
        k += 1
    return d


def revise(d, rng):
    """The compare netlist: none or a few random changes of values, footprints, parts (deleted
    with their pins, added on two nets), pins (moved, exchanged, renamed) and net names."""
    c = d.copy()
    for k in range(rng.choice([0, 1, 2, 3, 6])):
        des = rng.choice(list(c.parts))
        net, other = rng.choice(list(c.nets)), rng.choice(list(c.nets))
        value, footprint = c.parts[des]
        change = rng.randrange(8)
        if change == 0:
            c.parts[des] = (value[:90] + "X", footprint)
        elif change == 1:
            c.parts[des] = (value, footprint[:110] + "-B")
        elif change == 2 and len(c.parts) > 1:
            del c.parts[des]
            c.nets = {n: [p for p in pins if p[0] != des] for n, pins in c.nets.items()}
            c.nets = {n: pins for n, pins in c.nets.items() if pins}
        elif change == 3:
            c.parts["RN%d" % k] = ("10k", "R0402")
            c.nets[net].append(("RN%d" % k, "1"))
            c.nets[other].append(("RN%d" % k, "2"))
        elif change == 4 and len(c.nets[net]) > 1 and net != other:
            c.nets[other].append(c.nets[net].pop())
        elif change == 5:
            c.nets["R_" + net[:40]] = c.nets.pop(net)
        elif change == 6:
            where = c.where()
            own = [p for p in where if p[0] == des]
            if len(own) > 1:
                a, b = rng.sample(own, 2)
                na, nb = c.nets[where[a]], c.nets[where[b]]
                ia, ib = na.index(a), nb.index(b)
                na[ia], nb[ib] = b, a
        elif change == 7:
            c.nets[net][-1] = (c.nets[net][-1][0], "Z%d" % k)
    return c


def generated_cases(gen, count):
    """(name, ref, cmp, options, True) of count random pairs, every format in turn, about one in
    five compared with a netlist of a format drawn at random."""
    rng = random.Random(SEED)
    with tempfile.TemporaryDirectory() as scratch:
        path = os.path.join(scratch, "netlist")
        for k in range(count):
            ref_format = FORMATS[k % len(FORMATS)]
            cmp_format = rng.choice(FORMATS) if rng.random() < 0.2 else ref_format
            d = design(gen, rng, "ccf" in (ref_format, cmp_format))
            files = []
            for fmt, netlist in ((ref_format, d), (cmp_format, revise(d, rng))):
                gen.WRITERS[fmt][1](netlist, path)
                with open(path, "rb") as f:
                    files.append(f.read())
            options = ["--ref-format", ref_format, "--cmp-format", cmp_format,
                       "-x", str(rng.randrange(4)), "-l", rng.choice(["en", "ja"])]
            options += rng.choice([[], [], ["--print"], ["--stat"], ["--ignore-open-pins"]])
            yield ("%s-%s-%d" % (ref_format, cmp_format, k), files[0], files[1], options, True)


def run(program, work, options, extra):
    """(exit status, standard output, standard error, {file: bytes}) of the program on ref.net
    and cmp.net in work, writing into work/<extra or "plain">/, whose path is taken out."""
    out = os.path.join(work, extra or "plain")
    os.mkdir(out)
    result = subprocess.run([program, *extra.split(), *options, "-o",
                             os.path.join(out, "cmp.csv"), "ref.net", "cmp.net"],
                            cwd=work, capture_output=True, env={"LC_ALL": "C"})
    files = {}
    for file in sorted(os.listdir(out)):
        with open(os.path.join(out, file), "rb") as f:
            files[file] = f.read()
    hide = lambda data: data.replace(out.encode(), b"OUT")
    return result.returncode, hide(result.stdout), hide(result.stderr), files


def check(program, scratch, case):
    """(label, the differences between the two runs of a case in words)."""
    label, ref, cmp, options, readable = case
    work = os.path.join(scratch, label)
    os.mkdir(work)
    for file, data in (("ref.net", ref), ("cmp.net", cmp)):
        with open(os.path.join(work, file), "wb") as f:
            f.write(data)
    plain = run(program, work, options, "")
    wide = run(program, work, options, "--no-limits")
    problems = ["%s: %.300r, with --no-limits %.300r" % (what, a, b) for what, a, b in
                zip(["exit status", "standard output", "standard error", "files"], plain, wide)
                if a != b]
    # A generated pair must read; a golden case may be a failed run (2).
    if plain[0] not in ((0, 1) if readable else (0, 1, 2)):
        problems.append("exit status %d: %.300r" % (plain[0], plain[2]))
    if not problems:
        shutil.rmtree(work)
    return label, problems


def main():
    program, source = os.path.abspath(sys.argv[1]), sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 350
    sys.dont_write_bytecode = True  # nothing written into the source tree
    sys.path.insert(0, os.path.join(source, "bench"))
    import gen_netlists
    cases = [(name, ref, cmp, options, False)
             for name, ref, cmp, options, _, message in golden_cases(
                 os.path.join(source, "tests", "golden"))
             if not any(word in message for word in WARNING)]
    cases += generated_cases(gen_netlists, count)
    failed = 0
    with tempfile.TemporaryDirectory() as scratch:
        with ThreadPoolExecutor(os.cpu_count() or 2) as pool:
            for label, problems in pool.map(lambda c: check(program, scratch, c), cases):
                for p in problems:
                    print("%s: %s" % (label, p))
                failed += bool(problems)
    print("%d passed, %d failed" % (len(cases) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
