#!/usr/bin/env python3
"""Times ezdxf readfile and saveas on one file; prints MB/s (10^6 bytes)
in the same layout as dxf_bench.  Usage: ezdxf_bench.py IN.dxf OUT.dxf [runs]"""
import os
import sys
import time

import ezdxf


def main():
    src, dst = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 1
    in_mb = os.path.getsize(src) / 1e6
    best_read = best_save = float("inf")
    entities = 0
    for _ in range(runs):
        t0 = time.perf_counter()
        doc = ezdxf.readfile(src)
        best_read = min(best_read, time.perf_counter() - t0)
        entities = len(doc.entitydb)
        t0 = time.perf_counter()
        doc.saveas(dst)
        best_save = min(best_save, time.perf_counter() - t0)
        del doc
    out_mb = os.path.getsize(dst) / 1e6
    print(f"ezdxf   read  {in_mb:8.1f} MB  {best_read:7.2f} s  {in_mb / best_read:7.1f} MB/s  ({entities} objects)")
    print(f"ezdxf   save  {out_mb:8.1f} MB  {best_save:7.2f} s  {out_mb / best_save:7.1f} MB/s")


if __name__ == "__main__":
    main()
