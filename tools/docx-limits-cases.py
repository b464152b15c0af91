#!/usr/bin/env python3
"""Writes the hostile and edge-case archives of tests/data/docx-limits/ from the real documents
beside them. Run from the repository's top folder; the output is committed."""
import io
import struct
import zipfile
from pathlib import Path

here = Path('tests/data/docx-limits')
real = (here / 'tables.docx').read_bytes()


def archive(parts, **options):
    out = io.BytesIO()
    with zipfile.ZipFile(out, 'w', zipfile.ZIP_DEFLATED, **options) as z:
        for name, data in parts:
            z.writestr(name, data)
    return bytearray(out.getvalue())


def chinese():
    body = '<w:p><w:r><w:t>关于开展安全生产检查的通知</w:t></w:r></w:p>' * 20
    return archive([('[Content_Types].xml', '<Types/>'),
                    ('word/document.xml', '<w:document><w:body>' + body + '</w:body></w:document>')])


def central_records(data):
    at = data.rfind(b'PK\x05\x06')
    count, size, offset = struct.unpack_from('<HII', data, at + 10)
    at = offset
    for _ in range(count):
        yield at
        n, m, k = struct.unpack_from('<HHH', data, at + 28)
        at += 46 + n + m + k


def patched_sizes(data, unpacked):
    """The first part's unpacked size, misstated in both headers."""
    first = next(central_records(data))
    struct.pack_into('<I', data, first + 24, unpacked)
    local = struct.unpack_from('<I', data, first + 42)[0]
    struct.pack_into('<I', data, local + 22, unpacked)
    return data


def overlapping(data):
    """Every central record points at the first part's local header."""
    for at in central_records(data):
        struct.pack_into('<I', data, at + 42, 0)
    return data


def flagged(data, flag):
    for at in central_records(data):
        struct.pack_into('<H', data, at + 8, flag)
    return data


cases = {
    'chinese.docx': chinese(),
    'run-2mib.docx': archive([('word/document.xml', b'\0' * (2 << 20))]),
    'run-under-1mib.docx': archive([('word/document.xml', b'\0' * ((1 << 20) - 1))]),
    'eleven-parts.docx': archive([(f'word/part{i}.xml', '<x/>') for i in range(11)]),
    'truncated.docx': real[: len(real) // 2],
    'central-directory-cut.docx': real[:-30],
    'understated-size.docx': patched_sizes(bytearray(real), 10),
    'overstated-size.docx': patched_sizes(bytearray(real), 100000),
    'overlapping-parts.docx': overlapping(bytearray(real)),
    'encrypted.docx': flagged(bytearray(real), 1),
    'not-a-zip.docx': b'<html>not a zip</html>',
}

# Sizes in a zip64 field of the local header only, as Python's streaming writer leaves them.
big = io.BytesIO()
with zipfile.ZipFile(big, 'w', zipfile.ZIP_DEFLATED) as z:
    with z.open('word/document.xml', 'w', force_zip64=True) as part:
        part.write('<w:document>正文</w:document>'.encode())
cases['zip64.docx'] = big.getvalue()

commented = io.BytesIO()
with zipfile.ZipFile(commented, 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('word/document.xml', '<w:document/>')
    z.comment = b'x' * 1000
cases['commented.docx'] = commented.getvalue()

for name, data in cases.items():
    (here / name).write_bytes(bytes(data))
