#!/usr/bin/env python3
"""Writes a large R2000 drawing for the throughput benchmark: lines, texts,
block references with attributes and light polylines spread over layers,
laid out on a grid the way a big plan would be.  The header, tables, blocks
and objects come from a fresh ezdxf document; the entities are written
directly so that the size can reach hundreds of megabytes quickly.
Usage: gen_dxf.py OUT.dxf [megabytes=100] [seed=1]"""
import io
import os
import random
import sys

import ezdxf

LAYERS = [f"L{i:02d}-{kind}" for i, kind in enumerate(["WALL", "DOOR", "WINDOW", "TEXT", "DIM", "FURN", "ELEC", "PIPE"] * 3)]
BLOCKS = {"DOOR": ["NUMBER", "WIDTH"], "SOCKET": ["CIRCUIT", "ROOM"], "VALVE": ["SIZE", "TAG"]}


def template():
    doc = ezdxf.new("R2000")
    for i, name in enumerate(LAYERS):
        doc.layers.add(name, color=1 + i % 7)
    for name, tags in BLOCKS.items():
        blk = doc.blocks.new(name)
        blk.add_line((0, 0), (1, 0))
        blk.add_line((1, 0), (1, 1))
        blk.add_circle((0.5, 0.5), 0.25)
        for k, tag in enumerate(tags):
            blk.add_attdef(tag, (0, -0.3 * (k + 1)), dxfattribs={"height": 0.2})
    buf = io.StringIO()
    doc.write(buf)
    owner = doc.block_records.get("*Model_Space").dxf.handle
    return buf.getvalue(), owner, int(doc.header["$HANDSEED"], 16)


class Writer:
    def __init__(self, owner, seed):
        self.owner = owner
        self.next = seed
        self.parts = []
        self.size = 0

    def handle(self):
        h = self.next
        self.next += 1
        return f"{h:X}"

    def emit(self, pairs):
        s = "".join(f"{c:>3}\n{v}\n" for c, v in pairs)
        self.parts.append(s)
        self.size += len(s) + s.count("\n")  # written with CR LF

    def head(self, kind, layer, sub, owner=None):
        h = self.handle()
        return h, [(0, kind), (5, h), (330, owner or self.owner), (100, "AcDbEntity"), (8, layer), (100, sub)]

    def line(self, rnd, x, y):
        _, p = self.head("LINE", rnd.choice(LAYERS), "AcDbLine")
        dx, dy = rnd.uniform(-5, 5), rnd.uniform(-5, 5)
        p += [(10, f"{x:.4f}"), (20, f"{y:.4f}"), (30, "0.0"), (11, f"{x + dx:.4f}"), (21, f"{y + dy:.4f}"), (31, "0.0")]
        self.emit(p)

    def text(self, rnd, x, y, n):
        _, p = self.head("TEXT", LAYERS[3], "AcDbText")
        p += [(10, f"{x:.4f}"), (20, f"{y:.4f}"), (30, "0.0"), (40, "0.25"), (1, f"Room {n} / area {rnd.uniform(5, 80):.2f}"),
              (50, f"{rnd.choice([0, 0, 90, 45]):.1f}"), (100, "AcDbText")]
        self.emit(p)

    def insert(self, rnd, x, y, n):
        name = rnd.choice(list(BLOCKS))
        layer = rnd.choice(LAYERS)
        h, p = self.head("INSERT", layer, "AcDbBlockReference")
        p += [(66, 1), (2, name), (10, f"{x:.4f}"), (20, f"{y:.4f}"), (30, "0.0"), (41, "1.0"), (42, "1.0"),
              (50, f"{rnd.choice([0, 90, 180, 270]):.1f}")]
        for k, tag in enumerate(BLOCKS[name]):
            _, a = self.head("ATTRIB", layer, "AcDbText", owner=h)
            a += [(10, f"{x:.4f}"), (20, f"{y - 0.3 * (k + 1):.4f}"), (30, "0.0"), (40, "0.2"), (1, f"{tag[0]}{n}-{k}"),
                  (100, "AcDbAttribute"), (2, tag), (70, 0)]
            p += a
        s = self.handle()
        p += [(0, "SEQEND"), (5, s), (330, h), (100, "AcDbEntity"), (8, layer)]
        self.emit(p)

    def lwpolyline(self, rnd, x, y):
        _, p = self.head("LWPOLYLINE", rnd.choice(LAYERS), "AcDbPolyline")
        n = rnd.randint(3, 8)
        p += [(90, n), (70, rnd.choice([0, 1])), (43, "0.0")]
        for _ in range(n):
            x += rnd.uniform(-2, 2)
            y += rnd.uniform(-2, 2)
            p += [(10, f"{x:.4f}"), (20, f"{y:.4f}")]
            if rnd.random() < 0.2:
                p.append((42, f"{rnd.uniform(-1, 1):.6f}"))
        self.emit(p)


def main():
    out = sys.argv[1]
    target = int(float(sys.argv[2] if len(sys.argv) > 2 else 100) * 1e6)
    rnd = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 1)
    text, owner, seed = template()
    w = Writer(owner, seed + 16)
    n = 0
    while w.size + 2 * len(text) < target:
        x, y = (n % 1000) * 12.0, (n // 1000) * 12.0
        r = rnd.random()
        if r < 0.5:
            w.line(rnd, x, y)
        elif r < 0.7:
            w.text(rnd, x, y, n)
        elif r < 0.85:
            w.insert(rnd, x, y, n)
        else:
            w.lwpolyline(rnd, x, y)
        n += 1
    start = text.index("ENTITIES\n")
    end = text.index("  0\nENDSEC\n", start)
    body = text[:end] + "".join(w.parts) + text[end:]
    body = body.replace(f"$HANDSEED\n  5\n{seed:X}\n", f"$HANDSEED\n  5\n{w.next:X}\n", 1)
    with open(out, "w", encoding="utf-8", newline="\r\n") as f:
        f.write(body)
    print(f"{out}: {n} entities, {os.path.getsize(out) / 1e6:.1f} MB")


if __name__ == "__main__":
    main()
