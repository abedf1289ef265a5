"""Writes the gzip streams the module-resource test embeds, next to SOURCE:
good.gz (SOURCE compressed), truncated.gz, two_members.gz, bad_crc.gz, and bomb.gz
(65 MiB of zeros, more than a module may inflate to). Deterministic: no name, time 0."""
import gzip
import sys
import zlib
from pathlib import Path

source = Path(sys.argv[1])
out = Path(sys.argv[2])
out.mkdir(parents=True, exist_ok=True)
good = gzip.compress(source.read_bytes(), compresslevel=9, mtime=0)
(out / "good.gz").write_bytes(good)
(out / "truncated.gz").write_bytes(good[: len(good) // 2])
(out / "two_members.gz").write_bytes(good + good)
crc_at = len(good) - 8  # the trailer: CRC-32, then the length
(out / "bad_crc.gz").write_bytes(good[:crc_at] + bytes([good[crc_at] ^ 0xFF]) + good[crc_at + 1:])
packer = zlib.compressobj(9, zlib.DEFLATED, 16 + zlib.MAX_WBITS)
chunk = bytes(1 << 20)
bomb = b"".join(packer.compress(chunk) for _ in range(65)) + packer.flush()
(out / "bomb.gz").write_bytes(bomb)
