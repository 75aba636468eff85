#!/usr/bin/env python3
"""The yardstick: a plain script that reads the pins of two PADS netlists into dicts and
diffs them by net name. It reports far less than veltrax_diffr; it is here to measure against.

Usage: plain_diff.py REF CMP
"""
import sys


def read_pins(path):
    pins = {}
    net = None
    in_nets = False
    with open(path, "rb") as f:
        for raw in f:
            line = raw.decode("latin-1").strip()
            if line.startswith("*"):
                word = line[1:].split("*")[0].split()[0].upper() if len(line) > 1 else ""
                if word.startswith("NET"):
                    in_nets = True
                elif word.startswith("SIG"):
                    net = line.split(None, 1)[1] if " " in line else ""
                elif word.startswith("PART") or word.startswith("END"):
                    in_nets = False
                continue
            if in_nets and net is not None:
                for token in line.split():
                    pins[token] = net
    return pins


def main():
    ref = read_pins(sys.argv[1])
    cmp = read_pins(sys.argv[2])
    changed = 0
    for pin in sorted(set(ref) | set(cmp)):
        if ref.get(pin) != cmp.get(pin):
            changed += 1
    print("pins: %d, changed: %d" % (len(set(ref) | set(cmp)), changed))


if __name__ == "__main__":
    main()
