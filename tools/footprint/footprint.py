"""Fails when an image holds anything an old Windows would not load, or loses
a flag that reviews of 32-bit images look for: more than its size (less an
appended signature), another subsystem than its own at version 4.0, a TLS
directory, an import from msvcrt.dll or shell32.dll or outside its baseline,
an instruction outside the 386 allowlist, or DllCharacteristics without its
flags. The headers and imports are read with pefile; the instructions need a
disassembler, objdump -d. The baselines and allowlists are the
footprint-*.txt files in scripts/. An import that a baseline lists with
"# needs" is named, with the systems it needs, and does not fail the check.

Usage: footprint.py [--profile program|zqcheck|double] EXE
"""

import collections
import os
import subprocess
import sys

import pefile

USAGE = "usage: footprint [--profile program|zqcheck|double] EXE"
LISTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts")

# Each image's profile: its subsystem, its most bytes, the DllCharacteristics
# flags it must keep, and the baselines of its imports and instructions.
PROFILES = {
    "program": {
        "subsystem": 2,
        "limit": 9216,
        "flags": ["DYNAMIC_BASE", "NX_COMPAT", "NO_SEH", "TERMINAL_SERVICE_AWARE"],
        "imports": ["footprint-imports.txt"],
        "instructions": ["footprint-instructions.txt"],
    },
    "zqcheck": {
        "subsystem": 3,
        "limit": 81920,
        "flags": ["DYNAMIC_BASE", "NX_COMPAT", "TERMINAL_SERVICE_AWARE"],
        "imports": ["footprint-imports.txt", "footprint-imports-checks.txt"],
        "instructions": ["footprint-instructions.txt", "footprint-instructions-checks.txt"],
    },
}
# A tool double: a Windows GUI program, smaller, as zqcheck otherwise.
PROFILES["double"] = {**PROFILES["zqcheck"], "subsystem": 2, "limit": 12288}
SUBSYSTEMS = {2: "Windows GUI", 3: "Windows console"}
FLAGS = {"DYNAMIC_BASE": 0x40, "NX_COMPAT": 0x100, "NO_SEH": 0x400, "TERMINAL_SERVICE_AWARE": 0x8000}
BANNED_DLLS = ("msvcrt.dll", "shell32.dll")
# objdump joins these to the instruction they prefix ("rep stos").
PREFIXES = {"rep", "repz", "repe", "repnz", "repne", "lock", "data16", "addr16", "cs", "ds", "es", "fs", "gs", "ss"}


def refuse(what):
    print(f"footprint: {what}", file=sys.stderr)
    sys.exit(2)


def read_lines(names):
    lines = []
    for name in names:
        with open(os.path.join(LISTS, name), encoding="utf-8") as f:
            lines += f.read().splitlines()
    return lines


def imports_of(pe):
    """Every import as dll:function, the DLL's name in lower case."""
    found = set()
    for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
        dll = entry.dll.decode("latin-1").lower()
        for symbol in entry.imports:
            name = symbol.name.decode("latin-1") if symbol.name else f"#{symbol.ordinal}"
            found.add(f"{dll}:{name}")
    return sorted(found)


def mnemonics_of(exe):
    """Each instruction's mnemonic and address, from objdump -d.

    Wine runs the image on the host's processor, so only the disassembly shows
    an instruction that a 386 lacks. objdump calls the register forms of 0f 18
    to 0f 1f (a Pentium Pro's hint nops, which fault on a 386, 486 and
    Pentium) "nop" as well, so a nop is judged by its bytes: only 90 is the
    allowlisted one, any other is named with its encoding ("nop [0f 1f c0]").
    """
    disassembly = subprocess.run(
        ["i686-w64-mingw32-objdump", "-d", exe], check=True, capture_output=True, text=True
    ).stdout
    found = []
    for line in disassembly.splitlines():
        fields = line.split("\t")
        if len(fields) < 3:
            continue  # a label, or the rest of a long instruction's bytes
        words = fields[2].split()
        mnemonic = words[0] if words else ""
        if mnemonic in PREFIXES and len(words) > 1:
            mnemonic += " " + words[1]
        encoding = fields[1].strip()
        if mnemonic == "nop" and encoding != "90":
            mnemonic = f"nop [{encoding}]"
        found.append((mnemonic, fields[0].replace(" ", "").replace(":", "")))
    return found


def check(exe, profile):
    """The lines to print and whether the image passed."""
    failures = []
    fail = failures.append
    size = os.path.getsize(exe)
    pe = pefile.PE(exe, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"]])
    header = pe.OPTIONAL_HEADER
    directory = header.DATA_DIRECTORY

    # A signature is appended to the file, not loaded with it: the image is
    # the file less its certificate table.
    security = directory[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_SECURITY"]]
    signature = security.Size
    if signature > 0:
        if security.VirtualAddress + signature != size:
            fail("the certificate table is not at the end of the file")
        size -= signature
    if size > profile["limit"]:
        fail(f"{size} bytes, over {profile['limit']}")
    subsystem = SUBSYSTEMS[profile["subsystem"]]
    if header.Subsystem != profile["subsystem"]:
        fail(f"not the {subsystem} subsystem")
    if header.MajorSubsystemVersion != 4:
        fail("subsystem major version is not 4")
    if header.MinorSubsystemVersion != 0:
        fail("subsystem minor version is not 0")
    if directory[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_TLS"]].VirtualAddress != 0:
        fail("the image has a TLS directory")
    for flag in profile["flags"]:
        if not header.DllCharacteristics & FLAGS[flag]:
            fail(f"DllCharacteristics lacks {flag}")

    imports = imports_of(pe)
    if not imports:
        fail("no imports found: is this the program?")
    banned = [i for i in imports if i.split(":")[0] in BANNED_DLLS]
    if banned:
        fail("\n".join(["imports from a DLL the oldest systems lack or that must load late:"] + banned))
    baseline = read_lines(profile["imports"])
    allowed = {line for line in baseline if not line.startswith("#")}
    # Those with a note say which systems they need.
    needs = {}
    for line in baseline:
        if line.startswith("# needs "):
            name, _, systems = line[len("# needs ") :].partition(" ")
            needs[name] = systems
    outside = [i for i in imports if i not in allowed]
    noted = [f"{i}: {needs[i]}" for i in outside if i in needs]
    unexpected = [i for i in outside if i not in needs]
    if unexpected:
        fail("\n".join(["imports outside the baseline:"] + unexpected))

    mnemonics = mnemonics_of(exe)
    if not mnemonics:
        fail("no instructions found: is this the program?")
    allowlist = {line for line in read_lines(profile["instructions"]) if line and not line.startswith("#")}
    count = collections.Counter(m for m, _ in mnemonics if m not in allowlist)
    first = {}
    for mnemonic, address in mnemonics:
        first.setdefault(mnemonic, address)
    if count:
        fail("\n".join(["instructions outside the 386 allowlist:"] + sorted(
            f"{m} ({n}, first at {first[m]})" for m, n in count.items())))

    lines = [f"footprint: {failure}" for failure in failures]
    signed = f" (and a {signature}-byte signature)" if signature else ""
    dlls = sorted({i.split(":")[0] for i in imports})
    lines.append(
        f"footprint: {size} bytes{signed}, {subsystem} 4.0, no TLS, {' '.join(profile['flags'])},"
        f" {len({m for m, _ in mnemonics})} mnemonics, {max(len(imports), 1)} imports from {' '.join(dlls)} "
    )
    if noted:
        lines.append("\n".join(["footprint: imports that need more than the first Windows 95 and NT 3.51:"] + noted))
    return lines, not failures


def main(args):
    name = "program"
    if args[:1] == ["--profile"]:
        if len(args) < 2:
            refuse(USAGE)
        name, args = args[1], args[2:]
    if len(args) != 1:
        refuse(USAGE)
    if name not in PROFILES:
        refuse(f"unknown profile {name} (program, zqcheck or double)")
    exe = args[0]
    try:
        lines, passed = check(exe, PROFILES[name])
    except OSError as e:
        refuse(f"cannot read {exe}: {e.strerror}")
    except pefile.PEFormatError as e:
        refuse(f"{exe} is not a Windows image: {e.value}")
    except subprocess.CalledProcessError as e:
        refuse(f"objdump could not disassemble {exe}: {e.stderr.strip()}")
    print("\n".join(lines))
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
