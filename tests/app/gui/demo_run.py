#!/usr/bin/env python3
"""Clicks through a default installation on an X display with no user at
it and saves a screenshot of each page and prompt (used by scripts/demo.sh).

  demo_run.py --build BUILD --source SRC --prefix WINEPREFIX --shots DIR
"""
import argparse
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qvgui  # noqa: E402


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", required=True)
    ap.add_argument("--source", required=True)
    ap.add_argument("--prefix", required=True)
    ap.add_argument("--shots", required=True)
    ap.add_argument("--arg", action="append", default=[], help="a switch for the installer")
    a = ap.parse_args()
    os.makedirs(a.shots, exist_ok=True)
    machine = qvgui.Machine(a.source, a.prefix, os.environ["DISPLAY"])
    machine.reset()
    exe = os.path.join(a.build, "bin", "QuelvoxSetup.exe")
    run = qvgui.Installer(machine, exe, a.arg, a.shots, "demo")
    try:
        run.find_window()
        run.shot(os.path.join(a.shots, "1-welcome.png"), run.wid)
        run.click_main("customeBtn")
        run.wait_log("PAGE", "1")
        time.sleep(0.5)
        run.shot(os.path.join(a.shots, "2-custom.png"), run.wid)
        run.click_main("backBtn")
        run.wait_log("PAGE", "0")
        run.click_main("closebtn")
        wid = run.wait_prompt("ExitTipWnd.xml")
        run.shot(os.path.join(a.shots, "5-exit-prompt.png"), wid)
        run.click(wid, *qvgui.PROMPT_BUTTONS["ExitTipWnd.xml"]["cancelBtn"])
        time.sleep(0.5)
        run.wake_main()
        run.click_main("defaultInstallBtn")
        run.wait_log("PAGE", "2")
        time.sleep(1.0)
        run.shot(os.path.join(a.shots, "3-progress.png"), run.wid)
        run.wait_log("PAGE", "3", timeout=180)
        time.sleep(1.0)
        run.shot(os.path.join(a.shots, "4-finished.png"), run.wid)
        print("installed into:", machine.reg_query("InstallPath"))
        run.click_main("openProduceBtn")
        run.wait_exit(30)
        print("installer exit code:", run.proc.returncode)
        print("screenshots in", a.shots)
        return 0
    except qvgui.Timeout as e:
        run.shot(os.path.join(a.shots, "timeout.png"))
        print("demo:", e, "- log:", run.errlog, file=sys.stderr)
        return 1
    finally:
        run.kill()


if __name__ == "__main__":
    sys.exit(main())
