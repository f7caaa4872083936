"""Compares what ElfFile reports for every file of the ELF corpus with pyelftools' reading and
c++filt's demangling, checks that load and save give the identical file, and that a 64-bit
host executable and a file that is not ELF are refused.

    /usr/bin/python3 check.py BRINDLE CORPUS-FOLDER SCRATCH-FOLDER
"""

import json
import os
import subprocess
import sys

from elftools.elf.elffile import ELFFile



def crc32(data):
    # Most significant bit first, not reflected, initial value all ones, result inverted.
    crc = 0xFFFFFFFF
    for byte in data:
        crc ^= byte << 24
        for _ in range(8):
            crc = ((crc << 1) ^ 0x04C11DB7) if crc & 0x80000000 else crc << 1
            crc &= 0xFFFFFFFF
    return crc ^ 0xFFFFFFFF


CRC_TABLE = []
for top in range(256):
    value = top << 24
    for _ in range(8):
        value = ((value << 1) ^ 0x04C11DB7) if value & 0x80000000 else value << 1
        value &= 0xFFFFFFFF
    CRC_TABLE.append(value)


def fast_crc32(data):
    crc = 0xFFFFFFFF
    for byte in data:
        crc = ((crc << 8) & 0xFFFFFFFF) ^ CRC_TABLE[(crc >> 24) ^ byte]
    return crc ^ 0xFFFFFFFF


assert fast_crc32(b"123456789") == crc32(b"123456789") == 0xFC891918


class Reference:
    """The reference view of one file: pyelftools for the tables, the file's bytes for data."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.raw = f.read()
        with open(path, "rb") as f:
            elf = ELFFile(f)
            self.little = elf.little_endian
            self.entry = elf.header.e_entry
            self.segments = [(s["p_type"], s["p_offset"], s["p_vaddr"], s["p_paddr"],
                              s["p_filesz"], s["p_memsz"]) for s in elf.iter_segments()]
            self.sections = {}
            for section in elf.iter_sections():
                # A later section of the same name hides an earlier one.
                data = None if section["sh_type"] == "SHT_NOBITS" else section.data()
                self.sections[section.name] = (section["sh_addr"], data)
            self.symbols = []
            table = elf.get_section_by_name(".symtab")
            if table is not None:
                for symbol in table.iter_symbols():
                    self.symbols.append((symbol.name, symbol["st_value"],
                                         symbol["st_info"]["type"] == "STT_FUNC"))
        self.loadable = [s for s in self.segments if s[0] == "PT_LOAD" and s[4] != 0]

    def data(self, segment):
        return self.raw[segment[1]:segment[1] + segment[4]]

    def locate(self, address, length, virtual):
        if address + length > 0xFFFFFFFF:
            return None
        for segment in self.loadable:
            start = segment[2] if virtual else segment[3]
            if start <= address and address + length <= start + segment[4]:
                offset = segment[1] + address - start
                return self.raw[offset:offset + length]
        return None

    def word(self, address, virtual):
        data = self.locate(address, 4, virtual)
        if data is None:
            return "undefined"
        return str(int.from_bytes(data, "little" if self.little else "big"))

    def gather(self, address, length, virtual, padding):
        result = bytearray([padding]) * length
        for segment in self.loadable:
            start = segment[2] if virtual else segment[3]
            low, high = max(start, address), min(start + segment[4], address + length)
            if low < high:
                offset = segment[1] + low - start
                result[low - address:high - address] = self.raw[offset:offset + high - low]
        return bytes(result)

    def find_program(self, address):
        for segment in self.loadable:
            if segment[2] <= address < segment[2] + segment[5]:
                return segment
        return None


def demangled(names):
    """c++filt's text for each name that brindle demangles (those starting _Z or __Z)."""
    mangled = [n for n in names if n.startswith("_Z") or n.startswith("__Z")]
    if not mangled:
        return {}
    text = "\n".join(n[1:] if n.startswith("__Z") else n for n in mangled) + "\n"
    done = subprocess.run(["c++filt"], input=text.encode("latin-1"), capture_output=True,
                          check=True)
    return dict(zip(mangled, done.stdout.decode("latin-1").splitlines()))


def crc_text(data):
    # QVSys.crc32 of an empty array is undefined.
    return "%d" % fast_crc32(data) if data else "undefined"


def js(text):
    return json.dumps(text)


def check_file(brindle, path, scratch):
    """Runs one brindle script over the file; returns a list of mismatch descriptions."""
    ref = Reference(path)
    names = demangled([name for name, _, _ in ref.symbols])
    values = {}
    for name, value, function in ref.symbols:
        name = names.get(name, name)
        if not name or name.startswith("$") or name.startswith(".L"):
            continue
        # Functions are reported at their address proper, without the Thumb bit.
        values.setdefault(name, set()).add(value & ~1 if function else value)

    script = ['function out(t) { WScript.Echo(t + "\\n"); }',
              "function crc(a) { return a == undefined ? a : QVSys.crc32(a); }",
              "function program(a) { var p = ElfFile.findProgram(a);",
              '    return p == undefined ? p : p.start + " " + p.size + " " + crc(p.data); }',
              "function section(n) { var s = ElfFile.getSection(n);",
              '    return s == undefined ? s : s.start + " " + s.data.length + " " + crc(s.data); }',
              "ElfFile.load(%s);" % js(path),
              'out("entry " + ElfFile.getEntryPoint());',
              'out("little " + ElfFile.isLittleEndian());']
    expected = [["entry %d" % ref.entry], ["little %s" % ("true" if ref.little else "false")]]

    for name in sorted(values):
        script.append('out(%s + ElfFile.symbolValue(%s));' % (js("symbol %s " % name), js(name)))
        # Which of several same-named symbols answers is not settled: any of them will do.
        expected.append(["symbol %s %d" % (name, v) for v in sorted(values[name])])

    for segment in ref.loadable:
        _, _, vaddr, paddr, filesz, memsz = segment
        found = ref.find_program(vaddr)
        expected.append(["program %d %d %s" % (found[3], found[5], crc_text(ref.data(found)))])
        script.append('out("program " + program(%d));' % vaddr)
        last = ref.find_program(vaddr + memsz - 1)
        expected.append(["program %d %d %s" % (last[3], last[5], crc_text(ref.data(last)))])
        script.append('out("program " + program(%d));' % (vaddr + memsz - 1))
        for address, virtual in ((vaddr, True), (paddr, False), (vaddr + filesz - 4, True),
                                 (vaddr + filesz - 2, True), (paddr + filesz - 4, False)):
            script.append('out("word " + ElfFile.peekUint32(%d, %s));' % (
                address, "true" if virtual else "false"))
            expected.append(["word " + ref.word(address, virtual)])
        for address, length, virtual, padding in ((vaddr, filesz, True, 0),
                                                  (paddr, filesz, False, 0),
                                                  (vaddr - 2, min(filesz, 64) + 4, True, 0xA5),
                                                  (paddr + 1, 7, False, 0x5A)):
            if address < 0:
                continue
            script.append('out("crc " + ElfFile.crc32(%d, %d, %s, %d));' % (
                address, length, "true" if virtual else "false", padding))
            expected.append(["crc %d" % fast_crc32(ref.gather(address, length, virtual, padding))])
            script.append('out("bytes " + ElfFile.peekBytes(%d, %d, %s, %d).join(","));' % (
                address, min(length, 24), "true" if virtual else "false", padding))
            head = ref.gather(address, min(length, 24), virtual, padding)
            expected.append(["bytes " + ",".join(str(b) for b in head)])

    for name in sorted(ref.sections):
        if not name:
            continue
        address, data = ref.sections[name]
        if data is None:
            # A section without file data has no settled contents; its address is.
            script.append('out(%s + ElfFile.getSection(%s).start);' % (
                js("nobits %s " % name), js(name)))
            expected.append(["nobits %s %d" % (name, address)])
        else:
            script.append('out(%s + section(%s));' % (js("section %s " % name), js(name)))
            expected.append(["section %s %d %d %s" % (name, address, len(data), crc_text(data))])
    script.append('out("missing " + section("no such section"));')
    expected.append(["missing undefined"])

    saved = os.path.join(scratch, os.path.basename(path) + ".saved")
    script.append("ElfFile.save(%s);" % js(saved))

    # One program has a size limit, so the statements go in several files run one after another.
    command = [brindle]
    for part in range(0, len(script), 1000):
        script_path = os.path.join(scratch, "%s.%d.js" % (os.path.basename(path), part))
        with open(script_path, "w", encoding="latin-1") as f:
            f.write("\n".join(script[part:part + 1000]) + "\n")
        command += ["-load", script_path]
    done = subprocess.run(command, capture_output=True)
    problems = []
    if done.returncode != 0 or done.stderr:
        problems.append("status %d, %s" % (done.returncode, done.stderr.decode("latin-1").strip()))
    lines = done.stdout.decode("latin-1").splitlines()
    if len(lines) != len(expected):
        problems.append("%d lines printed, %d expected" % (len(lines), len(expected)))
    for number, (line, choices) in enumerate(zip(lines, expected)):
        if line not in choices:
            problems.append("line %d: %r, expected %s" % (number + 1, line, " or ".join(choices)))
    if not os.path.exists(saved):
        problems.append("nothing saved")
    elif open(saved, "rb").read() != ref.raw:
        problems.append("the saved file differs from the loaded one")
    return problems, len(expected)


def check_refused(brindle, path, message, scratch):
    script_path = os.path.join(scratch, "refuse.js")
    with open(script_path, "w") as f:
        f.write("ElfFile.load(%s);\nWScript.Echo(\"loaded\");\n" % js(path))
    done = subprocess.run([brindle, "-load", script_path], capture_output=True)
    want = "error: %s%s\n" % (message, path)
    got = done.stderr.decode("latin-1")
    if done.returncode != 1 or got != want or done.stdout:
        return ["%s: status %d, stderr %r, expected status 1 and %r" % (
            path, done.returncode, got, want)]
    return []


def main():
    brindle, corpus, scratch = sys.argv[1:4]
    os.makedirs(scratch, exist_ok=True)
    files = sorted(os.path.join(corpus, f) for f in os.listdir(corpus) if f.endswith(".elf"))
    failures = 0
    checks = 0
    for path in files:
        problems, count = check_file(brindle, path, scratch)
        checks += count
        for problem in problems[:20]:
            print("%s: %s" % (os.path.basename(path), problem))
        failures += bool(problems)

    # brindle itself is a 64-bit host executable; a text file is no ELF file at all.
    text = os.path.join(scratch, "not-elf.txt")
    with open(text, "w") as f:
        f.write("ELF files start with 0x7f 'E' 'L' 'F'\n")
    refused = (check_refused(brindle, os.path.abspath(brindle), "unsupported 64-bit ELF file: ",
                             scratch)
               + check_refused(brindle, text, "invalid ELF file: ", scratch))
    for problem in refused:
        print(problem)
    print("%d files, %d values compared, %d files differ" % (len(files), checks, failures))
    return 1 if failures or refused or len(files) < 12 else 0


if __name__ == "__main__":
    sys.exit(main())
