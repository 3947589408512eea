#!/usr/bin/env python3
"""png_to_ico.py PNG ICO: the program's icon for Windows, from its PNG of 32 x 32 pixels in a 4-bit palette.

The icon keeps the 16 colours: one 4-bit bitmap, the palette's transparent entry shown through the AND mask."""
import struct
import sys
import zlib


def read_png(path):
    with open(path, 'rb') as file:
        data = file.read()
    assert data[:8] == b'\x89PNG\r\n\x1a\n', 'not a PNG'
    chunks, position = {}, 8
    while position < len(data):
        length, kind = struct.unpack('>I4s', data[position:position + 8])
        chunks.setdefault(kind, b'')
        chunks[kind] += data[position + 8:position + 8 + length]
        position += 12 + length
    width, height, depth, colour_type, _, _, interlace = struct.unpack('>IIBBBBB', chunks[b'IHDR'])
    assert (depth, colour_type, interlace) == (4, 3, 0), 'a 4-bit palette PNG without interlacing is expected'
    palette = [tuple(chunks[b'PLTE'][i:i + 3]) for i in range(0, len(chunks[b'PLTE']), 3)]
    alpha = list(chunks.get(b'tRNS', b'')) + [255] * (len(palette) - len(chunks.get(b'tRNS', b'')))
    raw, stride = zlib.decompress(chunks[b'IDAT']), (width * depth + 7) // 8
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = line[x - 1] if x else 0
            up, up_left = previous[x], previous[x - 1] if x else 0
            if kind == 1:
                line[x] = (line[x] + left) & 255
            elif kind == 2:
                line[x] = (line[x] + up) & 255
            elif kind == 3:
                line[x] = (line[x] + (left + up) // 2) & 255
            elif kind == 4:
                guess = left + up - up_left
                nearest = min((abs(guess - left), 0, left), (abs(guess - up), 1, up), (abs(guess - up_left), 2, up_left))
                line[x] = (line[x] + nearest[2]) & 255
        rows.append([(line[x // 2] >> (4 if x % 2 == 0 else 0)) & 15 for x in range(width)])
        previous = line
    return width, height, palette, alpha, rows


def write_ico(path, width, height, palette, alpha, rows):
    colours = b''.join(bytes((blue, green, red, 0)) for red, green, blue in (palette + [(0, 0, 0)] * 16)[:16])
    pixels, mask = b'', b''
    for row in reversed(rows):  # a bitmap stands bottom-up
        pixels += bytes((0 if alpha[row[x]] == 0 else row[x]) << 4 | (0 if alpha[row[x + 1]] == 0 else row[x + 1])
                        for x in range(0, width, 2))
        bits = ''.join('1' if alpha[index] == 0 else '0' for index in row).ljust((width + 31) // 32 * 32, '0')
        mask += int(bits, 2).to_bytes(len(bits) // 8, 'big')
    header = struct.pack('<IiiHHIIiiII', 40, width, 2 * height, 1, 4, 0, len(pixels) + len(mask), 0, 0, 16, 0)
    image = header + colours + pixels + mask
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', width, height, 16, 0, 1, 4, len(image), 22)
    with open(path, 'wb') as file:
        file.write(directory + image)


if __name__ == '__main__':
    write_ico(sys.argv[2], *read_png(sys.argv[1]))
