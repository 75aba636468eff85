"""The golden cases of tests/golden/ as command-line runs, for the checking scripts."""
import os

FORMATS = ["cadvance", "mm2", "cadlus", "protel", "telesis", "ccf", "pads"]


def golden_cases(golden):
    """(name, ref.net, cmp.net, options, English, expected.msg) of every golden case."""
    for name in sorted(os.listdir(golden)):
        folder = os.path.join(golden, name)
        kv = {"ref_format": "6", "cmp_format": "6", "format_option": "0", "language": "en"}
        if os.path.exists(os.path.join(folder, "case.txt")):
            with open(os.path.join(folder, "case.txt"), encoding="ascii") as f:
                kv.update(l.strip().split("=", 1) for l in f if "=" in l)
        files = []
        for part in ("ref.net", "cmp.net", "expected.msg"):
            with open(os.path.join(folder, part), "rb") as f:
                files.append(f.read())
        yield (name, files[0], files[1],
               ["--ref-format", FORMATS[int(kv["ref_format"])], "--cmp-format",
                FORMATS[int(kv["cmp_format"])], "-x", kv["format_option"],
                "-l", kv["language"]], kv["language"] == "en", files[2])
