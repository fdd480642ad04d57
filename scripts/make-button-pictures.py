#!/usr/bin/env python3
"""Draws the sales screen's two button pictures (a pen and a printer) as 32 x 32 GIF files."""
import struct, sys

PALETTE = [(255, 255, 255), (0, 0, 0), (40, 90, 200), (250, 210, 60), (150, 150, 150),
           (220, 220, 220), (200, 40, 40), (90, 60, 30)]


def lzw(indices, min_size):
    clear, end = 1 << min_size, (1 << min_size) + 1
    table = {bytes([i]): i for i in range(clear)}
    size, nxt = min_size + 1, end + 1
    out, bits, nbits = bytearray(), 0, 0

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    emit(clear)
    w = b""
    for i in indices:
        wc = w + bytes([i])
        if wc in table:
            w = wc
            continue
        emit(table[w])
        if nxt < 4096:
            table[wc] = nxt
            nxt += 1
            if nxt > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear)
            table = {bytes([k]): k for k in range(clear)}
            size, nxt = min_size + 1, end + 1
        w = bytes([i])
    if w:
        emit(table[w])
    emit(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(path, pixels):
    h, w = len(pixels), len(pixels[0])
    data = bytearray(b"GIF89a" + struct.pack("<HHBBB", w, h, 0xF2, 0, 0))
    for c in PALETTE:
        data += bytes(c)
    data += b"\x21\xF9\x04\x01\x00\x00\x00\x00"  # colour 0 transparent
    data += b"\x2C" + struct.pack("<HHHHB", 0, 0, w, h, 0)
    data.append(3)
    stream = lzw([p for row in pixels for p in row], 3)
    for i in range(0, len(stream), 255):
        chunk = stream[i:i + 255]
        data += bytes([len(chunk)]) + chunk
    data += b"\x00\x3B"
    open(path, "wb").write(data)


def canvas():
    return [[0] * 32 for _ in range(32)]


def pen():
    p = canvas()
    for t in range(4, 26):          # the barrel, drawn along the diagonal
        for d in range(-2, 3):
            x, y = t + d, 31 - t - 4 + d
            if 0 <= x < 32 and 0 <= y < 32:
                p[y][x] = 2 if abs(d) < 2 else 1
    for t in range(24, 29):         # the cap
        for d in range(-2, 3):
            x, y = t + d, 31 - t - 4 + d
            if 0 <= x < 32 and 0 <= y < 32:
                p[y][x] = 6
    for t in range(0, 4):           # the nib
        for d in range(-(t // 2), t // 2 + 1):
            x, y = t + 1 + d, 31 - t - 2 + d
            if 0 <= x < 32 and 0 <= y < 32:
                p[y][x] = 3 if t > 1 else 1
    return p


def printer():
    p = canvas()
    def box(x0, y0, x1, y1, fill, edge=1):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                p[y][x] = edge if x in (x0, x1) or y in (y0, y1) else fill
    box(9, 3, 22, 12, 0)            # paper going in
    box(3, 11, 28, 23, 4)           # the body
    box(6, 14, 25, 16, 5)           # the paper slot
    box(8, 20, 23, 29, 0)           # the printed receipt
    for y in (23, 25, 27):
        for x in range(10, 22):
            p[y][x] = 1
    p[13][25] = 6                   # the power light
    p[13][24] = 6
    return p


if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "data/images"
    write_gif(f"{folder}/pisi.gif", pen())
    write_gif(f"{folder}/printer.gif", printer())
