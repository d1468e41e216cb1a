#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets: one export program per chart
type (and the transforms, a refused type code and the findings kept as
regression inputs), and a few GeoEAS and CSV files with their settings for the
reader. The byte layout mirrors ExportProgram, the reader fuzzer's settings and
HostileInput; rerun after changing any of them.
Usage: fuzz/make_seeds.py (writes fuzz/corpus/export and fuzz/corpus/reader)
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# Indexes into HostileInput's tables.
TABLE = {0.0: 3, 1e154: 12, 1e-6: 15, 9e-6: 16, 1.0: 22, 100.0: 26}
INT_MAX_INDEX = 5


def dbl(v):
    if v in TABLE:
        return bytes([TABLE[v]])
    if float(v).is_integer() and -64 <= v < 192:
        return bytes([128, int(v) + 64])
    return bytes([192]) + struct.pack('>d', v)


def anyint(v):
    assert -16 <= v < 240
    return bytes([64, v + 16])


def count(n):
    return bytes([0, n])


def text(s):
    return bytes([len(s)]) + s


def op(category, sub):
    return bytes([category + 7 * sub])


LOAD, SET, COMPUTE, OUTPUT, DRAW, OTHER = 0, 1, 3, 4, 5, 6
MAP, LEGEND = b'\x00', b'\x01'


def load(sub, *args):
    return op(LOAD, sub) + b'\x00' + b''.join(args)


def set_(sub, *args):
    return op(SET, sub) + b''.join(args)


def names(x, y):
    return set_(0, text(x), text(y))


def window(lo, hi, second=False):
    return set_(2 if second else 1, dbl(lo), dbl(hi))


def coords(lo, hi):
    return set_(3, *[dbl(v) for v in lo + hi])


def program(type_code, *steps, size=4):
    return bytes([size, type_code]) + b''.join(steps)


SAMPLES = load(0, count(40))
SECOND = load(1, count(40))

EXPORT = {
    'bare-object': program(0, SAMPLES, op(COMPUTE, 0), op(DRAW, 0) + MAP),
    'refused-type': program(12, SAMPLES, op(DRAW, 0) + MAP),
    'histogram': program(1, SAMPLES, window(0.0, 100.0), set_(5, b'\x01', b'\x0a'),
                         set_(6, anyint(0)), names(b'Cu', b'Freq'),
                         op(COMPUTE, 0), op(OUTPUT, 0), op(DRAW, 0) + MAP),
    'cumulative': program(1, SAMPLES, window(0.0, 100.0), set_(6, anyint(1)),
                          op(COMPUTE, 0), op(OUTPUT, 0), op(DRAW, 0) + MAP),
    'probability': program(2, SAMPLES, window(0.0, 100.0), names(b'Cu', b''),
                           op(COMPUTE, 1), op(OUTPUT, 1), op(DRAW, 1) + MAP),
    'local-mean-map': program(3, SAMPLES, coords([0.0, 0.0, 0.0], [100.0, 100.0, 1.0]),
                              window(0.0, 100.0), set_(7, anyint(0)),
                              op(COMPUTE, 1), op(DRAW, 2) + MAP + LEGEND),
    'normal-qq': program(4, SAMPLES, SECOND, window(0.0, 100.0),
                         window(0.0, 100.0, True), set_(8, anyint(0)),
                         names(b'z', b'Cu'), op(COMPUTE, 2), op(OUTPUT, 2),
                         op(DRAW, 3) + MAP),
    'qq-pp': program(5, SAMPLES, SECOND, window(0.0, 100.0),
                     window(0.0, 100.0, True), set_(9, anyint(1)),
                     op(COMPUTE, 3), op(DRAW, 4) + MAP),
    'scatter': program(6, SAMPLES, window(0.0, 100.0), window(0.0, 100.0, True),
                       names(b'Cu', b'Pb'), op(COMPUTE, 4), op(DRAW, 5) + MAP),
    'variogram': program(7, load(4, bytes([15]), anyint(1)),
                         set_(14, count(3), anyint(1)), set_(11, anyint(1), anyint(1)),
                         set_(12, anyint(1), dbl(9.0)), set_(16, anyint(200), anyint(0)),
                         op(DRAW, 6) + MAP, op(DRAW, 7)),
    'cross': program(8, load(3, count(40)), window(0.0, 100.0),
                     set_(18, dbl(1.0), dbl(0.0)), names(b'Cu', b'Pb'),
                     op(DRAW, 8) + MAP),
    'multiple-variograms': program(9, load(5, count(4), anyint(1)),
                                   set_(17, b'\x00', b'\x00'),
                                   set_(15, count(3), anyint(0)),
                                   set_(11, anyint(1), anyint(1)),
                                   set_(13, anyint(1), dbl(9.0)),
                                   op(DRAW, 9) + MAP, op(DRAW, 10)),
    'cloud': program(10, load(2, count(40)), window(0.0, 100.0),
                     window(0.0, 100.0, True), load(6, b'\x01', count(8)),
                     op(DRAW, 11) + MAP, op(DRAW, 13) + dbl(50.0) + dbl(50.0)),
    'cloud-location-map': program(11, SAMPLES, SECOND,
                                  coords([0.0, 0.0, 0.0], [100.0, 100.0, 1.0]),
                                  window(0.0, 100.0), load(6, b'\x00', count(8)),
                                  op(DRAW, 12) + MAP),
    'transforms': program(0, op(OTHER, 2) + count(40) + dbl(100.0) + dbl(0.0),
                          op(OTHER, 3) + count(40) + dbl(100.0) + dbl(0.0) + dbl(1.0),
                          op(OTHER, 5) + count(0) + dbl(10.0) + dbl(0.0)
                          + bytes([2]) + dbl(0.0)
                          + (dbl(10.0) + anyint(1) + dbl(50.0) * 6) * 20
                          + bytes([15]) + anyint(0)),
    # Findings kept as regression inputs.
    'finding-histogram-class-count': program(
        1, SAMPLES, window(0.0, 100.0), set_(5, b'\x00', bytes([INT_MAX_INDEX])),
        op(COMPUTE, 0), op(OUTPUT, 0), op(DRAW, 0) + MAP),
}

HEADER = b'Hostile\n3\nx\ny\nCu\n'


def settings(*items):
    """A reader input's settings: a count, then a selector and value each."""
    return bytes([len(items)]) + b''.join(items)


PRIMARY, LAG = 2, 6

READER = {
    'plain': settings() + HEADER + b'1 2 3\n4 5 6\n7 8.5 9\n10 1 -999\n',
    'options': settings(bytes([PRIMARY]) + text(b'Cu')) + HEADER
               + b'1 2 3\n4 5 6\n7 8 9\n',
    'tiny-span': settings() + HEADER + b'0 0 1e-6\n1 0 5e-6\n0 1 9e-6\n',
    'huge-values': settings() + HEADER + b'0 0 1e154\n1 0 1e300\n0 1 -1e308\n',
    'crlf-and-blank': settings() + b'Title\r\n2\r\nx\r\nCu\r\n\r\n1 2\r\n3 4\r\n',
    'csv': settings() + b'\xef\xbb\xbf"x";y;Cu\r\n1,5;2;NA\r\n3;4;5,25\r\n6;1;"7"\r\n',
    # Findings kept as regression inputs.
    'finding-escape-bytes': settings() + b'T\x1b]0;owned\x07\n2 \x1b[2J\nx\ny\n',
    'finding-subnormal-lags': settings() + HEADER + b'0 0 1\n1e-323 0 2\n',
    'finding-tiny-lag-option': settings(bytes([LAG]) + dbl(1e-300)) + HEADER
                               + b'0 0 1\n10 0 2\n3 4 5\n',
    'finding-subnormal-coordinates': settings() + b'h\n3\nX\nY\nCu\n'
        + b'4.9e-324 1 3\n4.9e-324 5 4\n4.9e-324 2 5\n',
    'finding-subnormal-values': settings() + b'h\n3\nX\nY\nCu\n'
        + b'1 1 4.9e-324\n5 2 4.9e-324\n2 7 4.9e-324\n',
}


def write(folder, seeds):
    path = os.path.join(HERE, 'corpus', folder)
    os.makedirs(path, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(path, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    write('export', EXPORT)
    write('reader', READER)
