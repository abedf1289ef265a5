#!/usr/bin/env python3
"""Fills a staged Chrome-bin folder with a browser-shaped benchmark payload.

Everything comes from files that Debian's packages put on this machine, so two runs on the
same packages write the same bytes:

- machine code: the x86-64 Windows programs and libraries of Wine (and the mingw-w64
  runtime DLLs), their symbols stripped as a release build ships them; the largest ones make
  up the one large main library "vireo.dll", the others stay separate files spread over a
  few folders;
- "icudtl.dat": the ICU data of libicu;
- "resources.pak": a tenth of the payload, stored compressed as a browser stores its images
  and web resources: Wine's theme bitmaps and then program bytes, deflated in 256 KiB pieces
  (this is what keeps the archive from compressing better than a real browser build);
- "locales/*.pak": Wine's locale and code-page tables, spread over the usual locale names.

Every program gets a different link time stamp in its header (a light variation, so no two
files are the same and none equals Debian's). When the real files fall short of the size
asked for, the main library is topped up with copies of programs whose bytes are
re-encoded through a fixed byte permutation: same statistics, no matches with the original,
so the copies compress like new code instead of vanishing into the archive's dictionary.

  bench_payload.py CHROME_BIN VERSION MB FILES
"""
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

PE_DIRS = ["/usr/lib/x86_64-linux-gnu/wine/x86_64-windows"]
PE_GLOBS_DIR = "/usr/lib/gcc/x86_64-w64-mingw32"
ICU_DATA = "/usr/lib/x86_64-linux-gnu/libicudata.so.72.1"
NLS_DIR = "/usr/share/wine/nls"
THEME = "light.msstyles"
OBJCOPY = "x86_64-w64-mingw32-objcopy"
LOCALES = ("am ar bg bn ca cs da de el en-GB en-US es es-419 et fa fi fil fr gu he hi hr hu id "
           "it ja kn ko lt lv ml mr ms nb nl pl pt-BR pt-PT ro ru sk sl sr sv sw ta te th tr uk "
           "ur vi zh-CN zh-TW").split()
SUBFOLDERS = ["", "", "extensions", "plugins", "swiftshader"]
MIB = 1024 * 1024


def pe_sources():
    paths = []
    for folder in PE_DIRS:
        paths += [os.path.join(folder, n) for n in sorted(os.listdir(folder)) if n != THEME]
    for root, _, names in sorted(os.walk(PE_GLOBS_DIR)):
        paths += [os.path.join(root, n) for n in sorted(names) if n.endswith(".dll")]
    return [p for p in paths if os.path.isfile(p) and open(p, "rb").read(2) == b"MZ"]


def stripped(path, scratch):
    out = os.path.join(scratch, "stripped")
    if subprocess.run([OBJCOPY, "--strip-all", path, out], stderr=subprocess.DEVNULL).returncode != 0:
        shutil.copyfile(path, out)
    with open(out, "rb") as f:
        return bytearray(f.read())


def stamp(image, name):
    """Gives the program a link time stamp of its own (COFF header, 8 bytes after "PE\\0\\0")."""
    if len(image) < 0x40:
        return image
    header = struct.unpack_from("<I", image, 0x3C)[0]
    if header + 12 <= len(image) and image[header:header + 4] == b"PE\0\0":
        struct.pack_into("<I", image, header + 8, zlib.crc32(name.encode()) | 0x40000000)
    return image


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def pak(tag, chunks):
    """A resource pack: a small header naming the pack, then the chunks with their sizes."""
    body = bytearray(b"VPAK" + struct.pack("<II", 5, len(chunks)) + tag.encode().ljust(16, b"\0"))
    for chunk in chunks:
        body += struct.pack("<I", len(chunk)) + chunk
    return body


def deflated_resources(size, images):
    with open(os.path.join(PE_DIRS[0], THEME), "rb") as f:
        sources = [f.read()] + [bytes(image) for _, image in sorted(images)]
    chunks, total = [], 0
    for source in sources:
        for start in range(0, len(source), 256 * 1024):
            if total >= size:
                return chunks
            chunks.append(zlib.compress(source[start:start + 256 * 1024], 9))
            total += len(chunks[-1])
    return chunks


def write_data_files(version_dir, resources_size, images):
    with open(ICU_DATA, "rb") as f:
        write(os.path.join(version_dir, "icudtl.dat"), f.read())
    write(os.path.join(version_dir, "resources.pak"), pak("resources", deflated_resources(resources_size, images)))
    tables = sorted(os.listdir(NLS_DIR))
    for i, locale in enumerate(LOCALES):
        mine = [t for j, t in enumerate(tables) if j % len(LOCALES) == i]
        chunks = [open(os.path.join(NLS_DIR, t), "rb").read() for t in mine]
        write(os.path.join(version_dir, "locales", locale + ".pak"), pak(locale, chunks))
    return 2 + len(LOCALES)


def main():
    chrome_bin, version, megabytes, files = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    version_dir = os.path.join(chrome_bin, version)
    target = megabytes * MIB
    already = sum(len(fs) for _, _, fs in os.walk(chrome_bin))
    with tempfile.TemporaryDirectory() as scratch:
        images = [(os.path.basename(p), stamp(stripped(p, scratch), p)) for p in pe_sources()]
    images.sort(key=lambda item: (-len(item[1]), item[0]))
    data_files = write_data_files(version_dir, target // 10, images)
    used = sum(os.path.getsize(os.path.join(r, n)) for r, _, ns in os.walk(chrome_bin) for n in ns)
    separate = max(0, files - already - data_files - 1)
    main_lib = [image for _, image in images[:max(0, len(images) - separate)]]
    small = images[len(main_lib):]
    for i, (name, image) in enumerate(small):
        write(os.path.join(version_dir, SUBFOLDERS[i % len(SUBFOLDERS)], name), image)
    used += sum(len(image) for _, image in small)

    main = bytearray(b"".join(main_lib))
    missing = target - used - len(main)
    rng = random.Random(version)
    copy = 0
    while missing > 0:
        # A fixed-point-free byte permutation per copy: each copy is new to the dictionary.
        permutation = list(range(256))
        while any(a == b for a, b in enumerate(permutation)):
            rng.shuffle(permutation)
        piece = bytes(images[copy % len(images)][1][:missing]).translate(bytes(permutation))
        main += piece
        missing -= len(piece)
        copy += 1
    write(os.path.join(version_dir, "vireo.dll"), main)
    print(f"payload: {len(main) / MIB:.0f} MiB main library ({len(main_lib)} programs, {copy} re-encoded), "
          f"{len(small)} separate programs, {data_files} data files")


if __name__ == "__main__":
    main()
