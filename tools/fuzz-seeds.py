#!/usr/bin/env python3
"""Writes the committed seed inputs of the fuzz targets into fuzz/corpus/.

The seeds are real-world-shaped inputs in each target's input format (see the
comment at the top of each fuzz/*_fuzz.cpp): EDID blocks of typical monitors
behind the registry layouts of Windows 98, XP and 7 for the start-up, and the
program's own requests for the export and the profile maker. Run again after
changing an input format; the output is the same on every run.
"""
import pathlib
import struct

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORPUS = ROOT / "fuzz" / "corpus"

EDID_HEADER = bytes([0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00])
REG_SZ, REG_BINARY, REG_DWORD = 1, 3, 4


def u8(v):
    return struct.pack("<B", v)


def u16(v):
    return struct.pack("<H", v)


def u32(v):
    return struct.pack("<I", v)


def text(data):
    """A length-prefixed text of the fuzzers' Input::Bytes."""
    if isinstance(data, str):
        data = data.encode("latin-1")
    return u16(len(data)) + data


# --- EDID blocks -------------------------------------------------------------

# Monitors of our own making: red, green, blue and white CIE xy.
MONITORS = {
    "office-lcd": ((0.640, 0.330), (0.300, 0.600), (0.150, 0.060), (0.3127, 0.3290)),
    "wide-gamut": ((0.680, 0.310), (0.210, 0.710), (0.150, 0.050), (0.3127, 0.3290)),
    "crt-9300k": ((0.625, 0.340), (0.285, 0.605), (0.150, 0.065), (0.2831, 0.2971)),
    "laptop-panel": ((0.585, 0.345), (0.335, 0.555), (0.155, 0.115), (0.3100, 0.3300)),
    "cinema-p3": ((0.680, 0.320), (0.265, 0.690), (0.150, 0.060), (0.3140, 0.3510)),
}


def chromaticity(red, green, blue, white):
    """The ten chromaticity bytes: two bytes of low bits, then eight high bytes."""
    coords = [round(v * 1024) for point in (red, green, blue, white) for v in point]
    low = [0, 0]
    for k, n in enumerate(coords):
        low[k // 4] |= (n & 3) << (6 - 2 * (k % 4))
    return bytes(low) + bytes(n >> 2 for n in coords)


def checksum(block):
    return (-sum(block)) % 256


def descriptor(tag, payload):
    """An 18-byte display descriptor: 00 00 00 tag 00 and 13 bytes of text."""
    data = payload.encode("ascii")[:13]
    if len(data) < 13:
        data += b"\n" + b" " * (12 - len(data))
    return bytes([0, 0, 0, tag, 0]) + data


def detailed_timing_1080p():
    # 148.5 MHz, 1920 + 280 by 1080 + 45, sync 88/44 and 4/5, 531 x 299 mm.
    return bytes([0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D, 0x40, 0x58, 0x2C,
                  0x45, 0x00, 0x13, 0x2B, 0x21, 0x00, 0x00, 0x1E])


def version1_block(name, colours, version=1):
    """A 128-byte base block: header, ID, version, basic parameters,
    chromaticity at 25, timings, descriptors (timing, name, range), checksum."""
    block = bytearray(EDID_HEADER)
    block += bytes([0x46, 0x2C])                    # manufacturer "QLL"
    block += u16(0x2401) + u32(0x00010203)          # product, serial
    block += bytes([17, 2008 - 1990, version, 3])   # week, year, version, revision
    block += bytes([0x80, 53, 30, 120, 0x0A])       # digital, 53 x 30 cm, gamma 2.2, features
    block += chromaticity(*colours)
    block += bytes([0x21, 0x08, 0x00])              # established timings
    block += bytes([0xD1, 0xC0] + [0x01, 0x01] * 7)  # standard timings: 1920x1080, unused
    block += detailed_timing_1080p()
    block += descriptor(0xFC, name)
    block += bytes([0, 0, 0, 0xFD, 0, 56, 76, 30, 83, 17, 0, 0x0A] + [0x20] * 6)
    block += descriptor(0xFF, "QL0001")
    block += bytes([0])                             # no extensions
    assert len(block) == 127
    return bytes(block + bytes([checksum(block)]))


def version2_block(colours):
    """A 256-byte structure-version-2 block: version 2.0, ID, the chromaticity
    at 94, checksum."""
    block = bytearray(256)
    block[0] = 0x20
    block[1:3] = bytes([0x46, 0x2C])
    block[3:5] = u16(0x2402)
    block[5:9] = u32(0x00040506)
    block[94:104] = chromaticity(*colours)
    block[255] = checksum(block[:255])
    return bytes(block)


def edid_blocks():
    office = version1_block("Quell 24 Wide", MONITORS["office-lcd"])
    crt_v2 = version2_block(MONITORS["crt-9300k"])
    blocks = {f"v1-{name}": version1_block(name, colours) for name, colours in MONITORS.items()}
    blocks["v1-version-byte-2"] = version1_block("Quell 24 Wide", MONITORS["office-lcd"], version=2)
    blocks["v1-zero-chromaticity"] = office[:25] + bytes(10) + office[35:]
    blocks["v2-office-lcd"] = version2_block(MONITORS["office-lcd"])
    blocks["v2-crt-9300k"] = crt_v2
    for size in (10, 19, 34, 35):
        blocks[f"v1-cut-{size}"] = office[:size]
    for size in (103, 104):
        blocks[f"v2-cut-{size}"] = crt_v2[:size]
    extension = bytes([0x02, 0x03]) + bytes(125)
    extension += bytes([checksum(extension)])
    blocks["v1-with-extension-256"] = office + extension
    blocks["v1-oversized-257"] = office + extension + bytes(1)
    blocks["v1-oversized-384"] = office + extension + extension
    blocks["v2-oversized-257"] = crt_v2 + bytes(1)
    return blocks


# --- start-up ---------------------------------------------------------------

MONITOR_NAME = "Quell 24 Wide"
DEVICE_ID = "MONITOR\\QLW2401\\{4d36e96e-e325-11ce-bfc1-08002be10318}\\0001"
INSTANCE = "5&1f2e3d&0&UID4352"

# Registry layout bits of startup_fuzz.
WIN9X_KEYS, CLASS_KEYS, CLASS_INSTANCE_KEYS, INSTANCE_LIST, INSTANCE_KEYS = 1, 2, 4, 8, 16
INSTANCES_OF_THE_MODEL = 64

SYSTEMS = {
    # platform, major, capability, layout, subkeys, Count, instances
    "win98": (1, 4, 0, WIN9X_KEYS, [], b"", []),
    "xp": (2, 5, 2, CLASS_KEYS | CLASS_INSTANCE_KEYS, ["0001", INSTANCE], b"", []),
    "win7": (2, 6, 2, INSTANCE_LIST | INSTANCE_KEYS | INSTANCES_OF_THE_MODEL, [], u32(2),
             ["0000", INSTANCE]),
}


def startup_seed(system, edid):
    platform, major, caps, layout, subkeys, count, instances = SYSTEMS[system]
    seed = u8(platform) + u8(major) + u8(caps) + u8(0)
    seed += u8(0)                                    # no failing calls
    seed += u8(1)                                    # one adapter, primary and attached
    seed += text("\\\\.\\DISPLAY1") + u32(5) + u8(1)
    seed += text(MONITOR_NAME) + text(DEVICE_ID)
    seed += u8(layout) + u8(len(subkeys)) + b"".join(text(s) for s in subkeys)
    seed += u8(REG_DWORD) + text(count)
    seed += u8(len(instances)) + b"".join(u8(REG_SZ) + text(i) for i in instances)
    seed += u8(REG_BINARY) + edid
    return seed


# --- the export and the profile maker ----------------------------------------

def request(function, target_gamma=220, white_point=6500, texts=((0, ""), (0, ""), (0, "")), pixel_bytes=0,
            bits_per_pixel=0):
    """A PLXRequest of the 64-bit host build (1976 bytes) with the program's
    start values: gammas 220, the identity ramp. Any non-null pixels stands
    for the fuzzer's own buffer."""
    ramp = b"".join(u16(i * 257) for _ in range(3) for i in range(256))
    block = u32(function) + u32(220) * 3 + ramp + u32(target_gamma) + u32(white_point)
    for length, value in texts:
        field = value.encode("latin-1")
        block += u32(length) + field + bytes(128 - len(field))
    pixels = struct.pack("<Q", 1 if pixel_bytes else 0)
    block += bytes(4) + pixels + u32(pixel_bytes) + u32(bits_per_pixel)
    assert len(block) == 1976
    return block


def export_seed(function, gamma_supported, decoded, **fields):
    seed = u8(1 if gamma_supported else 0)
    seed += u8(1) + chromaticity(*MONITORS["office-lcd"]) if decoded else u8(2)
    seed += text("Generic Non-PnP Monitor")
    seed += text("MONITOR\\Default_Monitor\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000")
    seed += u16(0) + u8(0) + u8(0)                   # no failures, identity ramp, raw request
    return seed + request(function, **fields)


def profile_seed(documents, profile_name="", white_point=6500, decoded=False, service=False):
    seed = u8(1 if service else 0)
    seed += u8(1) + chromaticity(*MONITORS["wide-gamut"]) if decoded else u8(0)
    seed += text(documents) + text("Generic Non-PnP Monitor")
    seed += text("MONITOR\\Default_Monitor\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000")
    seed += u8(0)                                    # no failing calls
    seed += u32(220) + u32(white_point)
    seed += u32(0) + text("") + u32(0) + text("")
    seed += u32(len(profile_name)) + text(profile_name)
    return seed


def ramp_for(gamma):
    """The display ramp the engine builds for one gamma (times 100) on all channels."""
    def entry(i):
        x = i * 257 / 65535
        return int((x + (x ** 2.2 - x ** (gamma / 100))) * 65535 + 0.5)
    return b"".join(u16(entry(i)) for _ in range(3) for i in range(256))


def pixels_seed(ramp, bits_per_pixel, pixels):
    seed = u8(0) + u8(0) + ramp + u32(220) * 3 + u8(1 if bits_per_pixel == 32 else 0)
    return seed + text(pixels)


def pixel_paths_seed(start, bits_per_pixel, tables, pixels):
    return u8(start) + u8(1 if bits_per_pixel == 32 else 0) + tables + text(pixels)


def seeds():
    out = {}
    for name, edid in edid_blocks().items():
        for system in SYSTEMS:
            out[("startup_fuzz", f"{system}-edid-{name}")] = startup_seed(system, edid)

    for function, label in enumerate(["read-gamma", "set-gamma", "make-profile", "correct-pixels", "white"]):
        out[("export_fuzz", f"{label}")] = export_seed(function, True, False)
    out[("export_fuzz", "correct-pixels")] = export_seed(3, True, False, pixel_bytes=96, bits_per_pixel=32)
    out[("export_fuzz", "correct-pixels-24")] = export_seed(3, False, False, pixel_bytes=99, bits_per_pixel=24)
    out[("export_fuzz", "make-profile-edid-5000k")] = export_seed(2, False, True, white_point=5000)
    out[("export_fuzz", "make-profile-own-white")] = export_seed(2, False, True, white_point=0)
    out[("export_fuzz", "make-profile-texts")] = export_seed(
        2, False, False, target_gamma=250, white_point=9300,
        texts=((3, "abc"), (20, "Office/Left monitor?"), (20, "Office/Left monitor?")))
    out[("export_fuzz", "white-from-edid")] = export_seed(4, False, True)

    gradient = bytes(range(256)) * 3
    out[("pixels_fuzz", "identity-32")] = pixels_seed(ramp_for(220), 32, gradient)
    out[("pixels_fuzz", "gamma-150-24")] = pixels_seed(ramp_for(150), 24, gradient)
    out[("pixels_fuzz", "gamma-300-24-partial")] = pixels_seed(ramp_for(300), 24, gradient[:100])
    identity = bytes(range(256)) * 3
    inverse = bytes(range(255, -1, -1)) * 3
    out[("pixel_paths_fuzz", "identity-32-aligned")] = pixel_paths_seed(0, 32, identity, gradient)
    out[("pixel_paths_fuzz", "inverse-32-odd-start")] = pixel_paths_seed(5, 32, inverse, gradient[:100])
    out[("pixel_paths_fuzz", "gamma-150-24-tail")] = pixel_paths_seed(1, 24, ramp_for(150)[1::2][:768], gradient[:201])
    out[("pixel_paths_fuzz", "inverse-24-whole-blocks")] = pixel_paths_seed(0, 24, inverse, gradient[:288])

    documents = "C:\\users\\user\\Documents"
    out[("profile_fuzz", "start-values")] = profile_seed(documents)
    out[("profile_fuzz", "reserved-characters")] = profile_seed(documents, "\"/\\[]:;|=,^*?")
    out[("profile_fuzz", "latin1-user")] = profile_seed("C:\\users\\Jos\xe9\\Documents", "Zo\xeb")
    out[("profile_fuzz", "long-documents")] = profile_seed("C:\\" + "d" * 240)
    out[("profile_fuzz", "edid-own-white-service")] = profile_seed(documents, "", 0, True, True)
    return out


def main():
    for (target, name), data in seeds().items():
        folder = CORPUS / target
        folder.mkdir(parents=True, exist_ok=True)
        (folder / name).write_bytes(data)
    print(f"wrote {len(seeds())} seeds under {CORPUS.relative_to(ROOT)}")


if __name__ == "__main__":
    main()
