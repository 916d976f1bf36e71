#!/usr/bin/env python3
"""End-to-end scenarios of the installer: the real QuelvoxSetup.exe under
Wine on an X display, the project's download server and collector on
127.0.0.1, the stand-in setup package, clicks with xdotool, and checks of
what the user and the machine see afterwards.

  e2e.py SCENARIO     (QV_BUILD_DIR, QV_SOURCE_DIR, QV_WINEPREFIX, DISPLAY set)
"""
import json
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qvgui  # noqa: E402

BUILD = os.environ["QV_BUILD_DIR"]
SOURCE = os.environ["QV_SOURCE_DIR"]
PREFIX = os.environ.get("QV_WINEPREFIX", os.path.join(BUILD, "wineprefix"))
EXE = os.path.join(BUILD, "bin", "QuelvoxSetup.exe")
PACKAGE = os.path.join(BUILD, "tools", "setup_package", "setup_package.exe")
PRODUCT = os.path.join(BUILD, "tools", "setup_package", "product", "Quelvox.exe")
UNINSTALLER = os.path.join(BUILD, "tools", "uninstaller", "uninstaller.exe")
DL_PORT = 18340
COLLECT_PORT = 18274  # the collection endpoint built into the installer
DEFAULT_DIR = r"C:\Program Files\Quelvox"


def win_path(unix):
    return "Z:" + unix.replace("/", "\\")


class Case:
    def __init__(self, name):
        self.name = name
        self.work = os.path.join(BUILD, "tests", "app", "e2e", name)
        shutil.rmtree(self.work, ignore_errors=True)
        os.makedirs(self.work)
        self.machine = qvgui.Machine(SOURCE, PREFIX, os.environ["DISPLAY"])
        self.machine.reset()
        self.servers = []
        self.runs = []
        self.env = {}

    def url(self, faults=""):
        return "-downloadurl=http://127.0.0.1:%d/software/273%s" % (DL_PORT, ("?" + faults) if faults else "")

    def download_server(self):
        s = qvgui.start_download_server(SOURCE, DL_PORT, PACKAGE, os.path.join(self.work, "srv"))
        self.servers.append(s)
        return s

    def collector(self):
        s = qvgui.start_collector(SOURCE, COLLECT_PORT, self.work)
        self.servers.append(s)
        return s

    def scenario(self, text, var="QV_SETUP_SCENARIO"):
        path = os.path.join(self.work, var.lower() + ".txt")
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        os.environ[var] = win_path(path)
        return path

    def run(self, *args, name=None):
        r = qvgui.Installer(self.machine, EXE, list(args), self.work, name or "run%d" % len(self.runs))
        self.runs.append(r)
        return r

    def shot(self, run, label, wid=None):
        return run.shot(os.path.join(self.work, label + ".png"), wid or run.wid)

    def close(self):
        for r in self.runs:
            r.kill()
        for s in self.servers:
            s.stop()


def check(cond, what):
    if not cond:
        raise AssertionError(what)
    print("ok:", what)


def ini(path):
    out = {}
    section = None
    data = open(path, "rb").read()
    for enc in ("utf-16", "utf-8", "cp1252"):
        try:
            text = data.decode(enc) if not enc == "utf-16" or data[:2] in (b"\xff\xfe", b"\xfe\xff") else None
        except UnicodeDecodeError:
            text = None
        if text is not None:
            break
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("["):
            section = line.strip("[]")
        elif "=" in line:
            k, v = line.split("=", 1)
            out[(section, k)] = v
    return out


def install_and_wait(c, run, click="defaultInstallBtn"):
    run.find_window()
    run.click_main(click)
    run.wait_log("PAGE", "2", 20)
    run.wait_log("PAGE", "3", 120)


# --------------------------------------------------------------------------
def default_installation(c):
    c.download_server()
    col = c.collector()
    cmd = os.path.join(c.work, "cmdline.txt")
    c.scenario("cmdline %s\ndefault\n" % win_path(cmd))
    run = c.run(c.url())
    run.find_window()
    check(run.pages() == [], "starts on the welcome page without a prompt")
    c.shot(run, "welcome")
    run.click_main("defaultInstallBtn")
    run.wait_log("PAGE", "2", 20)
    time.sleep(0.5)
    c.shot(run, "progress")
    run.wait_log("PAGE", "3", 120)
    time.sleep(1)
    c.shot(run, "finished")
    check(c.machine.reg_query("InstallPath") == DEFAULT_DIR, "InstallPath is the default folder")
    check(c.machine.reg_query("UnInstallEp") == DEFAULT_DIR + r"\uninst.ep", "UnInstallEp recorded")
    folder = c.machine.unix_path(DEFAULT_DIR)
    check(os.path.exists(os.path.join(folder, "Quelvox.exe")), "stand-in product installed")
    check(not os.path.exists(os.path.join(folder, "__Package_Quelvox.exe")), "package deleted")
    s = ini(os.path.join(folder, "set.ini"))
    check(s.get(("Install", "APPStore")) == "QuelvoxSetup.exe", "set.ini APPStore")
    check(s.get(("Install", "AppName")) == "Quelvox", "set.ini AppName")
    check(len(s.get(("Install", "DeviceID"), "")) == 32, "set.ini DeviceID is a GUID")
    tele = s.get(("Install", "OVTelemetryIni"), "")
    check(tele.endswith(r"\OrvanData\Quelvox\OVTelemetry.ini"), "set.ini names OVTelemetry.ini")
    t = ini(c.machine.unix_path(tele))
    check(len(t.get(("Init", "UpdateTime"), "")) == 19, "OVTelemetry.ini UpdateTime")
    cl = open(cmd, encoding="utf-8").read()
    check("-dsc=true" in cl and "-ssc=true" in cl, "both shortcuts asked for")
    run.click_main("openProduceBtn")
    check(run.wait_exit(30) == 0, "exit code 0 after 立即体验")
    if col:
        def events():
            return qvgui.collected_events(c.work)
        qvgui.wait_for(lambda: any(e.get("properties", {}).get("ov_name") == "安装成功" or
                                   "安装成功" in json.dumps(e, ensure_ascii=False) for e in events()), 20,
                       "安装成功 at the collector")
        evs = events()
        text = [json.dumps(e, ensure_ascii=False) for e in evs]
        for name in ("安装成功", "立即安装", "安装中", "下载器启动", "开始下载大包", "大包下载完毕"):
            check(any(name in t for t in text), "event %s collected" % name)
        installer_events = [t for t in text if any(n in t for n in ("安装成功", "立即安装", "安装中"))]
        check(all('"ovc_ab":"IN"' in t.replace(" ", "") for t in installer_events), "events carry ovc_ab IN")


def second_instance(c):
    c.download_server()
    first = c.run(c.url(), name="first")
    first.find_window()
    second = c.run(c.url(), name="second")
    code = second.wait_exit(40)
    check(code in (-1, 255), "second instance exits with -1 (got %d)" % code)
    check(first.alive(), "first instance keeps running")
    first.click_main("closebtn")
    first.click_prompt("ExitTipWnd.xml", "okBtn")
    check(first.wait_exit(20) == 0, "first instance closes with 0 after 是")


def download_failure_retry(c):
    # No server at first: the download fails, the network prompt offers a retry.
    c.scenario("default\n")
    run = c.run(c.url())
    run.find_window()
    run.click_main("defaultInstallBtn")
    wid = run.wait_prompt("NetworkTipWnd.xml", 90)
    c.shot(run, "network-prompt", wid)
    check(c.machine.reg_query("InstallPath") is None, "nothing recorded after the failure")
    c.download_server()
    run.click(wid, *qvgui.PROMPT_BUTTONS["NetworkTipWnd.xml"]["okBtn"])
    run.wait_log("PAGE", "3", 120)
    check(c.machine.reg_query("InstallPath") == DEFAULT_DIR, "retry installs")
    run.click_main("openProduceBtn")
    check(run.wait_exit(30) == 0, "exit 0")


def install_failure(c):
    c.download_server()
    c.scenario("line Encode=UTF8\nline Progress=0.3\nsleep 300\nline Error=磁盘写入失败\n")
    run = c.run(c.url())
    run.find_window()
    run.click_main("defaultInstallBtn")
    wid = run.wait_prompt("MessageBox2Wnd.xml", 120)
    time.sleep(0.5)
    c.shot(run, "install-failed-prompt", wid)
    run.click(wid, *qvgui.PROMPT_BUTTONS["MessageBox2Wnd.xml"]["closebtn"])
    qvgui.wait_for(lambda: run.pages()[-1:] == [0], 10, "back on the welcome page")
    time.sleep(0.5)
    c.shot(run, "welcome-after-failure")
    check(c.machine.reg_query("InstallPath") is None, "no install record after a failed install")
    check(run.alive(), "installer stays open")
    # WM_CLOSE outside the progress page closes without the exit prompt.
    run.key(run.wid, "alt+F4")
    check(run.wait_exit(20) == 0, "Alt+F4 on the welcome page closes")


def _existing(c, uninst=True):
    folder = c.machine.unix_path(DEFAULT_DIR)
    os.makedirs(folder, exist_ok=True)
    shutil.copy(PRODUCT, os.path.join(folder, "Quelvox.exe"))
    if uninst:
        shutil.copy(UNINSTALLER, os.path.join(folder, "uninst.ep"))
    c.machine.reg_set("InstallPath", DEFAULT_DIR)
    return folder


def existing_installation(c):
    c.download_server()
    _existing(c)
    # 1. closing the prompt ends the installer without installing
    run = c.run(c.url(), name="close")
    wid = run.wait_prompt("InstalledPathTipWnd.xml", 40)
    time.sleep(0.5)
    run.shot(os.path.join(c.work, "installed-prompt.png"), wid)
    run.click(wid, *qvgui.PROMPT_BUTTONS["InstalledPathTipWnd.xml"]["closebtn"])
    check(run.wait_exit(20) == 0, "closing the already-installed prompt ends the installer")
    check(2 in [int(x) for x in run.lines("PROMPT_RESULT")], "prompt result 2")
    # 2. 打开软件 starts the installed product and closes
    os.environ["QV_PRODUCT_CLOSE_MS"] = "4000"
    run = c.run(c.url(), name="open")
    run.click_prompt("InstalledPathTipWnd.xml", "cancelBtn", 40)
    check(run.wait_exit(20) == 0, "打开软件 closes the installer")
    qvgui.wait_for(lambda: subprocess.run(["pgrep", "-f", "Quelvox.exe"], stdout=subprocess.DEVNULL).returncode == 0,
                   15, "product started")
    print("ok: the installed product was started")
    # 3. running product: the running prompt, then the window closes
    run = c.run(c.url(), name="running")
    wid = run.wait_prompt("MessageBox1Wnd.xml", 40)
    check("InstalledPathTipWnd.xml" not in run.prompts(), "no already-installed prompt while the product runs")
    time.sleep(0.5)
    run.shot(os.path.join(c.work, "running-prompt.png"), wid)
    run.click(wid, *qvgui.PROMPT_BUTTONS["MessageBox1Wnd.xml"]["closebtn"])
    check(run.wait_exit(20) == 0, "running product: installer closes")
    qvgui.wait_for(lambda: subprocess.run(["pgrep", "-f", "Quelvox.exe"], stdout=subprocess.DEVNULL).returncode != 0,
                   20, "product ended")
    # 4. 安装最新版本 uninstalls the old version and installs into the existing folder
    c.scenario("default\n")
    run = c.run(c.url(), name="update")
    run.click_prompt("InstalledPathTipWnd.xml", "okBtn", 40)
    run.wait_log("PAGE", "3", 150)
    check(0 not in run.pages()[:1], "update goes straight to the progress page")
    check(c.machine.reg_query("InstallPath") == DEFAULT_DIR, "updated in the existing folder")
    check("5003" in run.lines("NOTICE"), "the old version was uninstalled first")
    run.click_main("openProduceBtn")
    check(run.wait_exit(30) == 0, "exit 0")


def failed_uninstall(c):
    c.download_server()
    _existing(c)
    c.scenario("line Encode=UTF8\nline Progress=0.2\nline State=Fail\n", var="QV_UNINST_SCENARIO")
    run = c.run(c.url())
    run.click_prompt("InstalledPathTipWnd.xml", "okBtn", 40)
    wid = run.wait_prompt("MessageBox1Wnd.xml", 60)
    time.sleep(0.5)
    c.shot(run, "uninstall-failed", wid)
    run.click(wid, *qvgui.PROMPT_BUTTONS["MessageBox1Wnd.xml"]["closebtn"])
    check(run.wait_exit(20) == 0, "uninstall failure with an earlier installation closes the installer")


def progress_page_keys(c):
    c.download_server()
    c.scenario("default\n")
    run = c.run(c.url("rate=200000"))  # a slow download keeps the progress page up
    run.find_window()
    run.click_main("defaultInstallBtn")
    run.wait_log("PAGE", "2", 20)
    run.key(run.wid, "Escape")
    run.key(run.wid, "alt+F4")
    time.sleep(1)
    check(run.alive(), "Escape and Alt+F4 do not end the installer on the progress page")
    check(run.pages()[-1] == 2, "still on the progress page")
    check(run.prompts() == [], "no prompt either")
    run.wait_log("PAGE", "3", 150)
    run.click_main("closebtn")  # finished page: closes at once
    check(run.wait_exit(20) == 0, "closebtn on the finished page closes")


def custom_installation(c):
    c.download_server()
    cmd = os.path.join(c.work, "cmdline.txt")
    c.scenario("cmdline %s\ndefault\n" % win_path(cmd))
    run = c.run(c.url())
    run.find_window()
    run.click_main("customeBtn")
    run.wait_log("PAGE", "1")
    run.click_main("installDirEdit")
    env = c.machine.env()
    subprocess.run(["xdotool", "key", "ctrl+a", "BackSpace"], env=env)
    run.type_text(r"C:\My Apps")
    run.click_main("createQSCb")
    time.sleep(0.3)
    c.shot(run, "custom")
    run.click_main("customeInstallBtn")
    run.wait_log("PAGE", "3", 120)
    target = r"C:\My Apps\Quelvox"
    check(c.machine.reg_query("InstallPath") == target, "installed into the folder with blanks")
    folder = c.machine.unix_path(target)
    check(os.path.exists(os.path.join(folder, "desktop_shortcut.txt")), "desktop shortcut made")
    check(not os.path.exists(os.path.join(folder, "quicklaunch_shortcut.txt")), "quick-launch shortcut left out")
    cl = open(cmd, encoding="utf-8").read()
    check("-ssc=false" in cl and "-dsc=true" in cl, "package got -dsc=true -ssc=false")
    run.click_main("openProduceBtn")
    check(run.wait_exit(30) == 0, "exit 0")
    shutil.rmtree(os.path.join(c.machine.c_drive(), "My Apps"), ignore_errors=True)


def telemetry_off(c):
    c.download_server()
    c.collector()
    c.scenario("default\n")
    run = c.run(c.url(), "-isenableapptelemetry=false")
    install_and_wait(c, run)
    run.click_main("openProduceBtn")
    check(run.wait_exit(30) == 0, "exit 0")
    time.sleep(3)
    check(qvgui.collected_events(c.work) == [], "no event sent with analytics off")


class Skip(Exception):
    pass


def low_disk(c):
    # A 64 MiB drive Q: in the prefix; needs the right to mount a tmpfs.
    small = os.path.join(c.work, "small")
    os.makedirs(small)
    if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64m", "tmpfs", small],
                      stderr=subprocess.DEVNULL).returncode != 0:
        raise Skip("cannot mount a small drive here")
    link = os.path.join(PREFIX, "dosdevices", "q:")
    try:
        if os.path.lexists(link):
            os.remove(link)
        os.symlink(small, link)
        c.download_server()
        run = c.run(c.url())
        run.find_window()
        run.click_main("customeBtn")
        run.wait_log("PAGE", "1")
        run.click_main("installDirEdit")
        subprocess.run(["xdotool", "key", "ctrl+a", "BackSpace"], env=c.machine.env())
        run.type_text("Q:\\")
        run.click_main("customeInstallBtn")
        wid = run.wait_prompt("MessageBox2Wnd.xml", 20)
        time.sleep(0.5)
        c.shot(run, "low-disk-prompt", wid)
        run.click(wid, *qvgui.PROMPT_BUTTONS["MessageBox2Wnd.xml"]["closebtn"])
        time.sleep(0.5)
        check(run.pages() == [1], "the custom page stays")
        run.click_main("customeInstallBtn")  # the button works again
        wid = run.wait_prompt("MessageBox2Wnd.xml", 20, count=2)
        run.click(wid, *qvgui.PROMPT_BUTTONS["MessageBox2Wnd.xml"]["closebtn"])
        check(run.pages() == [1], "still no installation")
        run.kill()
    finally:
        if os.path.lexists(link):
            os.remove(link)
        subprocess.run(["umount", "-l", small], stderr=subprocess.DEVNULL)


SCENARIOS = {f.__name__: f for f in (default_installation, second_instance, download_failure_retry,
                                     install_failure, existing_installation, failed_uninstall,
                                     progress_page_keys, custom_installation, telemetry_off, low_disk)}


def main():
    name = sys.argv[1]
    os.environ.pop("QV_SETUP_SCENARIO", None)
    os.environ.pop("QV_UNINST_SCENARIO", None)
    c = Case(name)
    try:
        SCENARIOS[name](c)
        print("PASS", name)
        return 0
    except Skip as e:
        print("SKIP %s: %s" % (name, e))
        return 77
    except (AssertionError, qvgui.Timeout) as e:
        print("FAIL %s: %s" % (name, e))
        for r in c.runs:
            if r.proc.poll() is None:
                try:
                    r.shot(os.path.join(c.work, "failure.png"))
                except Exception:
                    pass
            print("--- log of", r.errlog)
            print("\n".join(l for l in r.log().splitlines() if "PAGE" in l or "PROMPT" in l or "err:" in l)[-3000:])
        return 1
    finally:
        c.close()
        subprocess.run([c.machine.runner, "wineserver", "-k"], env=c.machine.env(), stderr=subprocess.DEVNULL) \
            if False else None


if __name__ == "__main__":
    sys.exit(main())
