#!/usr/bin/env python3
"""Lays out every skin with SkinShot and compares the control rectangles with the table.

    check_skin_layout.py TABLE SHOT_DIR EMULATOR SKINSHOT_EXE

For each skin (and each page of the main window) SkinShot is run as
`SkinShot.exe SKINFILE [PAGE] OUT.png`; it prints one line per control,
`class name left top right bottom`, and writes a screenshot to SHOT_DIR.
A named control must appear with exactly the expected rectangle; an unnamed one
(picture:/text: rows) must appear as some control of that class with that rectangle.
"""
import os
import subprocess
import sys


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def norm_class(c):
    c = c.lower()
    return c[:-2] if c.endswith("ui") else c


def parse_shot(text):
    controls = []
    for line in text.splitlines():
        parts = line.split()
        if len(parts) < 5:
            continue
        try:
            rect = tuple(int(v) for v in parts[-4:])
        except ValueError:
            continue
        name = " ".join(parts[1:-4]).strip('"')
        controls.append((norm_class(parts[0]), name, rect))
    return controls


def main():
    table, shot_dir, emulator, exe = sys.argv[1:5]
    os.makedirs(shot_dir, exist_ok=True)
    groups = {}
    with open(table, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            skin, page, cls, key, *rect = line.rstrip("\n").split("\t")
            groups.setdefault((skin, page), []).append((cls, key, tuple(int(v) for v in rect)))

    failures = 0
    for (skin, page), rows in groups.items():
        stem = os.path.splitext(skin)[0] + ("" if page == "-" else "_page" + page)
        out_png = os.path.join(shot_dir, stem + ".png")
        cmd = [emulator, exe, skin] + ([] if page == "-" else [page]) + [windows_path(out_png)]
        run = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
        text = run.stdout.decode("utf-8", "replace")
        with open(os.path.join(shot_dir, stem + ".txt"), "w", encoding="utf-8") as f:
            f.write(text)
        if run.returncode != 0:
            print("FAIL: %s page %s: SkinShot exit code %d\n%s" % (skin, page, run.returncode,
                                                                 run.stderr.decode("utf-8", "replace")[-2000:]))
            failures += 1
            continue
        if not os.path.isfile(out_png) or os.path.getsize(out_png) == 0:
            print("FAIL: %s page %s: no screenshot written" % (skin, page))
            failures += 1
        controls = parse_shot(text)
        for cls, key, rect in rows:
            c = norm_class(cls)
            if key.startswith("picture:") or key.startswith("text:"):
                ok = any(k == c and r == rect for k, _, r in controls)
                if not ok:
                    near = [r for k, _, r in controls if k == c]
                    print("FAIL: %s page %s: no %s at %s (%s); %s rectangles: %s"
                          % (skin, page, cls, rect, key, cls, near))
            else:
                got = [r for k, n, r in controls if n == key and k == c]
                ok = got == [rect]
                if not ok:
                    print("FAIL: %s page %s: %s %s is %s, expected %s" % (skin, page, cls, key, got, rect))
            failures += 0 if ok else 1
    print("layout: %s" % ("ok" if failures == 0 else "%d failure(s)" % failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
