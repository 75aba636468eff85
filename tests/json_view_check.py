#!/usr/bin/env python3
"""The JSON view of real runs, on every golden case and a pair with hostile names made here:
valid against docs/review.schema.json; each pin side's index in range, the member lists each once
in the order of first use, an open side's holding its pin alone; the part and pin rows the result
file's C. and N. rows in order (a list cut with "..." there starts as the cut text), the summaries
its SUM lines, the warnings those on standard error, the exit status the program's.

Usage: json_view_check.py VELTRAX_DIFFR SOURCE_DIR   (exits 77, skipped, without jsonschema)
"""
import json
import os
import re
import subprocess
import sys
import tempfile

from golden_cases import FORMATS, golden_cases

try:
    from jsonschema import Draft202012Validator
except ImportError:
    print("SKIPPED: python3-jsonschema (4.0 or later) is not installed; "
          "scripts/test.sh installs it (apt-get install python3-jsonschema)")
    sys.exit(77)

CUT_ROOM = 70

# Designators, pins, values and nets that try to break out of a JSON string, a CSV field or a
# member list: quotes, backslashes, control bytes, '|', Shift-JIS and bytes that are not.
HOSTILE_REF = (b"*PADS-PCB*\r\n*PART*\r\n"
               b"R|1 1k\"x@R0603\r\nQ\\1 2SC\x1b[31m@TO-92\r\nU\x83\x5c1 \x82\xa0@SO8\r\n"
               b"X1 \xff\xfe@</script>\r\n*NET*\r\n"
               b"*SIGNAL* A\"B\r\nR|1.1 Q\\1.1 U\x83\x5c1.1\r\n"
               b"*SIGNAL* \x83\x5c\x83\x8a\r\nR|1.2 X1.a|b\r\n*SIGNAL* <b>\r\nQ\\1.2 X1.2\r\n*END*\r\n")
HOSTILE_CMP = (b"*PADS-PCB*\r\n*PART*\r\n"
               b"R|1 1k\"y@R0603\r\nQ\\1 2SC\x07\x7f@TO-92\r\nU\x83\x5c1 \x82\xa0@SO8\r\n"
               b"X1 \xfe\xff@</script>\r\n*NET*\r\n"
               b"*SIGNAL* A\"B\r\nR|1.1 Q\\1.1\r\n"
               b"*SIGNAL* \x83\x5c\x83\x8a\r\nR|1.2 X1.a|b U\x83\x5c1.1\r\n"
               b"*SIGNAL* <i>\r\nQ\\1.2 X1.2\r\n*END*\r\n")


def text(data):
    """Bytes of the result file as the view decodes names: Shift-JIS where valid, else Latin-1."""
    try:
        decoded = data.decode("cp932")
    except UnicodeDecodeError:
        return data.decode("latin-1")
    # Python takes the single bytes 0x80, 0xA0 and 0xFD to 0xFF as CP932; the view does not.
    return data.decode("latin-1") if re.search("[\x80\uf8f0-\uf8f3]", decoded) else decoded


def name_field(value):
    return '"<NONE>"' if value is None else '"`' + value + '"'


def members_match(field, side):
    if side is None:
        return field == '"<NONE>"'
    whole = "**OPEN ERROR**" if side["open"] else (
        "%dpin|" % len(side["members"]) + "".join(m + "|" for m in side["members"]))
    if field.endswith("...") and len(whole) > CUT_ROOM:
        cut = field[:-3]
        return len(cut) <= CUT_ROOM and cut.endswith("|") and whole.startswith(cut)
    return field == whole


def part_line(row):
    ref, cmp = row["reference"], row["compare"]
    info = lambda side: '"<NONE>"' if side is None else '"' + side["footprint"] + '"'
    value = lambda side: name_field(None if side is None else side["value"])
    return ",".join(["C." + row["kind"], row["designator"], value(ref), value(cmp), info(ref),
                     info(cmp)])


def pin_line_matches(line, row):
    ref, cmp = row["reference"], row["compare"]
    pin = row["designator"] + "." + row["pin"]
    if row["compare_pin"] is not None:
        pin += " ->." + row["compare_pin"]
    net = lambda side: name_field(None if side is None else side["net"])
    head = ",".join(["N." + row["category"], pin, net(ref), net(cmp)]) + ","
    if not line.startswith(head):
        return False
    rest = line[len(head):]
    # Names may hold commas: any split of the two member fields that fits will do.
    return any(members_match(rest[:k], ref) and members_match(rest[k + 1:], cmp)
               for k in range(len(rest)) if rest[k] == ",")


def summary(line):
    """The counters of a SUM line, under the view's names ("except add/del/exch" is
    except_add_del_exch)."""
    counts = {}
    for key, number in re.findall(r"([a-z0-9 /]+)=(\d+)", line.split(",", 2)[2]):
        key = re.sub(r"[^a-z0-9]+", "_", key.strip().replace("change (", "")).strip("_")
        counts[key] = int(number)
    return counts


def resolve_members(doc):
    """Puts each pin side's member list in place of its index; returns the problems found."""
    lists, problems, first_use = doc["member_lists"], [], {}
    for row in doc["pins"]:
        for name in ("reference", "compare"):
            side = row[name]
            if side is None:
                continue
            k = side["members"]
            if not isinstance(k, int) or not 0 <= k < len(lists):
                problems.append("%s of %r: no member list %r" % (name, row, k))
                side["members"] = []
                continue
            if k not in first_use:
                if k != len(first_use):
                    problems.append("member list %d first used before %d" % (k, len(first_use)))
                first_use[k] = side["open"]
            exchanged = name == "compare" and row["compare_pin"] is not None
            pin = row["compare_pin"] if exchanged else row["pin"]
            if side["open"] and lists[k] != [row["designator"] + "." + pin]:
                problems.append("%s of %r: open, and its list is %r" % (name, row, lists[k]))
            side["members"] = lists[k]
    if len(first_use) != len(lists):
        problems.append("%d member lists, %d used" % (len(lists), len(first_use)))
    for open_ in (False, True):
        alike = [tuple(lists[k]) for k, o in first_use.items() if o == open_]
        if len(set(alike)) != len(alike):
            problems.append("a member list comes twice")
    return problems


def check_against_result(doc, csv, stderr, english):
    problems = []
    lines = [text(l.rstrip(b"\r")) for l in csv.split(b"\n")]
    part_lines = [l for l in lines if l.startswith("C.")]
    pin_lines = [l for l in lines if l.startswith("N.")]
    sums = {l.split(",")[1]: summary(l) for l in lines if l.startswith("SUM,")}
    if len(part_lines) != len(doc["parts"]) or len(pin_lines) != len(doc["pins"]):
        problems.append("%d part and %d pin rows, the result file has %d and %d" % (
            len(doc["parts"]), len(doc["pins"]), len(part_lines), len(pin_lines)))
    for line, row in zip(part_lines, doc["parts"]):
        if part_line(row) != line:
            problems.append("part row %r is not %r" % (row, line))
    for line, row in zip(pin_lines, doc["pins"]):
        if not pin_line_matches(line, row):
            problems.append("pin row %r is not %r" % (row, line))
        both_open = line.endswith(",**OPEN ERROR**,**OPEN ERROR**") and line.startswith("N.ERR,")
        if row["open_unchanged"] != both_open:
            problems.append("open_unchanged of %r" % row)
    for group in ("Parts", "Pins"):
        view = doc["summary"][group.lower()]
        for key, number in view.items():
            if key == "open_unchanged":
                rows = sum(r["open_unchanged"] for r in doc["pins"])
                if number != rows:
                    problems.append("open_unchanged %d, rows %d" % (number, rows))
                continue
            # The short SUM forms leave out the counters that are 0.
            if sums.get(group, {}).get(key, 0) != number:
                problems.append("SUM,%s %s=%s, the view says %d" % (
                    group, key, sums.get(group, {}).get(key), number))
    if english:
        for w in doc["warnings"]:
            said = "veltrax_diffr: warning: %s: %s\n" % (w["netlist"], w["text"])
            if said not in stderr:
                problems.append("warning %r not on standard error" % said)
        if len(doc["warnings"]) != stderr.count("veltrax_diffr: warning: "):
            problems.append("warnings differ from standard error")
    return problems


def run_case(program, validator, work, options, english):
    """Runs the program on ref.net and cmp.net in work; returns the problems found."""
    result = subprocess.run([program, *options, "-q", "--json", "review.json", "ref.net",
                             "cmp.net"], cwd=work, capture_output=True, env={"LC_ALL": "C"})
    review = os.path.join(work, "review.json")
    if result.returncode == 2:
        return ["a failed run wrote the view"] if os.path.exists(review) else []
    if result.returncode not in (0, 1):
        return ["exit status %d: %s" % (result.returncode, result.stderr.decode("latin-1"))]
    with open(review, "rb") as f:
        doc = json.loads(f.read().decode("utf-8"))
    problems = ["%s at %s" % (e.message, "/".join(map(str, e.absolute_path)))
                for e in validator.iter_errors(doc)]
    problems += resolve_members(doc)
    if doc["exit_status"] != result.returncode:
        problems.append("exit_status %d, the program's %d" % (doc["exit_status"],
                                                              result.returncode))
    with open(os.path.join(work, "cmp.csv"), "rb") as f:
        csv = f.read()
    return problems + check_against_result(doc, csv, result.stderr.decode("latin-1"), english)


def main():
    program, source = os.path.abspath(sys.argv[1]), sys.argv[2]
    with open(os.path.join(source, "docs", "review.schema.json"), encoding="utf-8") as f:
        schema = json.load(f)
    Draft202012Validator.check_schema(schema)
    validator = Draft202012Validator(schema)
    cases = [case[:5] for case in golden_cases(os.path.join(source, "tests", "golden"))]
    cases.append(("hostile names", HOSTILE_REF, HOSTILE_CMP, ["-f", "pads"], True))
    failed = 0
    with tempfile.TemporaryDirectory() as scratch:
        for name, ref, cmp, options, english in cases:
            work = os.path.join(scratch, name)
            os.mkdir(work)
            for file, data in (("ref.net", ref), ("cmp.net", cmp)):
                with open(os.path.join(work, file), "wb") as f:
                    f.write(data)
            problems = run_case(program, validator, work, options, english)
            for p in problems:
                print("%s: %s" % (name, p))
            failed += bool(problems)
    print("%d passed, %d failed" % (len(cases) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
