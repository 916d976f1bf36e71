#!/usr/bin/env python3
"""Quick mock-ups of the main window's four pages and the exit prompt, composed with
ImageMagick from the pictures in skin/res/ at their laid-out rectangles, for judging
the pictures together before the toolkit draws them for real.

    python3 skin/src/preview.py OUTDIR
"""
import os
import subprocess
import sys

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")
CJK = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"


def pic(name, x, y, w=None, h=None):
    args = ["(", os.path.join(RES, name)]
    if w:
        args += ["-filter", "point", "-resize", "%dx%d!" % (w, h)]
    return args + [")", "-geometry", "+%d+%d" % (x, y), "-composite"]


def text(s, x0, y0, x1, y1, size, color, gravity="West"):
    # Text in a box: render a transparent label of the box size and composite it.
    return ["(", "-size", "%dx%d" % (x1 - x0, y1 - y0), "-background", "none", "-fill", color,
            "-font", CJK, "-pointsize", str(size), "-gravity", gravity, "label:" + s, ")",
            "-gravity", "NorthWest", "-geometry", "+%d+%d" % (x0, y0), "-composite"]


def title(page):
    a = pic("common/minbtn1.png", 514, 12) + pic("common/closebtn2.png", 562, 12)
    if page == 1:
        a += pic("mainWnd/backBtn1.png", 10, 11)
    return a


def main_page(page, out):
    a = ["convert", os.path.join(RES, "mainWnd/bg%d.png" % (page + 1))] + title(page)
    btn = lambda x, y, label, state=1: pic("mainWnd/installBtn%d.png" % state, x, y, 234, 50) + \
        text(label, x, y, x + 234, y + 50, 18, "white", "Center")
    if page == 0:
        a += pic("mainWnd/logo.png", 147, 105) + btn(183, 225, "立即安装")
        a += text("自定义安装", 489, 361, 571, 379, 14, "#606178", "East")
        a += pic("mainWnd/customeBtn1.png", 573, 363)
        a += pic("mainWnd/tipLbl.png", 11, 290, 116, 32)
    elif page == 1:
        a += pic("mainWnd/logo.png", 147, 75)
        a += text("安装路径：", 53, 189, 123, 222, 14, "#1A1A1A")
        a += pic("mainWnd/installDirEdit.png", 129, 189)
        a += text("C:\\\\Program Files\\\\Sonavex", 138, 189, 460, 222, 14, "#333333")
        a += pic("mainWnd/chDirBtn1.png", 479, 189, 81, 36) + text("修改", 479, 189, 560, 225, 16, "white", "Center")
        a += text("其他选项：", 53, 245, 119, 263, 14, "#1A1A1A")
        a += pic("mainWnd/Cb2.png", 125, 248) + text("创建桌面快捷方式", 151, 245, 263, 263, 14, "#1A1A1A")
        a += pic("mainWnd/Cb1.png", 283, 248) + text("添加到快速启动栏", 309, 245, 421, 263, 14, "#1A1A1A")
        a += btn(183, 312, "立即安装", 2)
    elif page == 2:
        a += pic("mainWnd/installBtnAnimate/007.png", 225, 78)
        a += text("正在安装中:45%，请稍候...", 120, 300, 480, 324, 18, "#282A43", "Center")
        a += pic("mainWnd/installPrg1.png", 40, 344) + pic("mainWnd/installPrg2.png", 40, 344, 234, 8)
    else:
        a += pic("mainWnd/finished.png", 260, 95)
        a += text("安装完成", 236, 200, 364, 242, 32, "#282A43")
        a += btn(183, 294, "立即体验", 3)
    subprocess.run(a + [out], check=True)


def exit_prompt(out):
    a = ["convert", "-size", "360x180", "xc:white", "-fill", "#F3F5F9", "-draw", "rectangle 0,0 359,39"]
    a += text("温馨提示", 20, 0, 172, 40, 14, "#282A43")
    a += pic("common/closebtnM_1.png", 324, 8) + pic("MessageBoxWnd/icoQuest.png", 35, 70)
    a += text("您确定要退出安装吗？", 95, 70, 255, 110, 16, "#555C78")
    a += ["-fill", "none", "-stroke", "#1890FF", "-draw", "rectangle 167,130 242,161", "-stroke", "none"]
    a += text("是", 167, 130, 243, 162, 14, "#1890FF", "Center")
    a += ["-fill", "#1675FE", "-draw", "rectangle 263,130 338,161"]
    a += text("否", 263, 130, 339, 162, 14, "white", "Center")
    subprocess.run(a + [out], check=True)


if __name__ == "__main__":
    outdir = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(outdir, exist_ok=True)
    for p in range(4):
        main_page(p, os.path.join(outdir, "page%d.png" % p))
    exit_prompt(os.path.join(outdir, "exitTip.png"))
