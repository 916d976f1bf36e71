"""Drives the real installer window under Wine and X for the end-to-end
tests and the demo: servers on 127.0.0.1, a clean machine state in the Wine
prefix, clicks with xdotool at the skin's control rectangles, screenshots,
and what the installer writes on the debugger channel (WINEDEBUG warn+seh
shows OutputDebugString text on standard error)."""

import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time
import urllib.request

# Centres of the controls in client coordinates (the skin's rectangles).
CLICK = {
    "defaultInstallBtn": (300, 250),
    "customeBtn": (530, 370),
    "closebtn": (574, 24),
    "minbtn": (526, 24),
    "backBtn": (42, 26),
    "installDirEdit": (299, 207),
    "createDSCb": (134, 254),
    "createQSCb": (292, 254),
    "customeInstallBtn": (300, 337),
    "openProduceBtn": (300, 319),
}
# Prompt buttons per skin: (okBtn, cancelBtn, closebtn)
PROMPT_BUTTONS = {
    "ExitTipWnd.xml": {"okBtn": (205, 146), "cancelBtn": (301, 146), "closebtn": (336, 20)},
    "NetworkTipWnd.xml": {"okBtn": (306, 145), "cancelBtn": (220, 145), "closebtn": (336, 15)},
    "InstalledPathTipWnd.xml": {"okBtn": (301, 144), "cancelBtn": (181, 144), "closebtn": (376, 15)},
    "MessageBox1Wnd.xml": {"closebtn": (340, 15)},
    "MessageBox2Wnd.xml": {"closebtn": (336, 15)},
}

REG_KEY = r"HKCU\Software\OrvanSoft\Quelvox"


class Timeout(Exception):
    pass


def wait_for(pred, timeout, what, interval=0.25):
    end = time.time() + timeout
    while True:
        v = pred()
        if v:
            return v
        if time.time() > end:
            raise Timeout("timed out waiting for " + what)
        time.sleep(interval)


class Machine:
    """The Wine prefix seen as the user's machine."""

    def __init__(self, source_dir, prefix, display):
        self.source_dir = source_dir
        self.prefix = prefix
        self.display = display
        self.runner = os.path.join(source_dir, "cmake", "wine-run.sh")

    def env(self, **extra):
        e = dict(os.environ)
        e["QV_WINEPREFIX"] = self.prefix
        e["WINEPREFIX"] = self.prefix
        e["DISPLAY"] = self.display
        e["WINEDEBUG"] = "-all,warn+seh"  # the debugger channel on standard error
        e.update(extra)
        return e

    def wine(self, *args, timeout=60, **extra):
        return subprocess.run([self.runner] + list(args), env=self.env(WINEDEBUG="-all", **extra),
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)

    def c_drive(self):
        return os.path.join(self.prefix, "drive_c")

    def unix_path(self, win):
        """C:\\x\\y -> prefix/drive_c/x/y (drive C only; Z: is the Unix root)."""
        if win[:2].upper() == "Z:":
            return win[2:].replace("\\", "/")
        assert win[:2].upper() == "C:", win
        return os.path.join(self.c_drive(), win[3:].replace("\\", "/"))

    def user_dir(self):
        users = os.path.join(self.c_drive(), "users")
        for u in sorted(os.listdir(users)):
            if u not in ("Public",) and os.path.isdir(os.path.join(users, u, "AppData")):
                return os.path.join(users, u)
        raise RuntimeError("no user folder in the prefix")

    def reg_query(self, name):
        r = self.wine("reg", "query", REG_KEY, "/v", name)
        for line in r.stdout.decode("utf-8", "replace").splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[0] == name:
                return parts[2] if len(parts) == 3 else ""
        return None

    def reg_set(self, name, value):
        self.wine("reg", "add", REG_KEY, "/v", name, "/t", "REG_SZ", "/d", value, "/f")

    def reset(self):
        """No earlier installation: key, install folders and settings files gone,
        and nothing left running in this prefix from an earlier run."""
        self.wine("wineserver", "-k")
        self.wine("wineserver", "-w")
        wait_for(lambda: not subprocess.run(["xdotool", "search", "--name", "^(Sonavex|消息框)$"], env=self.env(),
                                            stdout=subprocess.PIPE).stdout.strip(), 10, "old windows gone")
        self.wine("reg", "delete", REG_KEY, "/f")
        for p in [os.path.join(self.c_drive(), "Program Files", "Quelvox"),
                  os.path.join(self.user_dir(), "AppData", "Roaming", "OrvanData"),
                  os.path.join(self.user_dir(), "AppData", "Roaming", "quarnel")]:
            shutil.rmtree(p, ignore_errors=True)


class Server:
    def __init__(self, argv, log, port):
        self.log = open(log, "ab")
        self.proc = subprocess.Popen(argv, stdout=self.log, stderr=self.log)
        self.port = port
        wait_for(self._up, 15, "server on port %d" % port)

    def _up(self):
        if self.proc.poll() is not None:
            raise RuntimeError("server exited: %s" % self.proc.args)
        import socket
        s = socket.socket()
        try:
            s.connect(("127.0.0.1", self.port))
            return True
        except OSError:
            return False
        finally:
            s.close()

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
        self.log.close()


def start_download_server(source_dir, port, package, workdir):
    os.makedirs(workdir, exist_ok=True)
    return Server([sys.executable, os.path.join(source_dir, "tools", "download_server", "download_server.py"),
                   "--port", str(port), "--root", workdir, "--alias", "273=" + package],
                  os.path.join(workdir, "download_server.log"), port)


def start_collector(source_dir, port, workdir):
    script = os.path.join(source_dir, "tools", "collector", "collector.py")
    if not os.path.exists(script):
        return None
    out = os.path.join(workdir, "collected.jsonl")
    return Server([sys.executable, script, "--port", str(port), "--out", out],
                  os.path.join(workdir, "collector.log"), port)


class Installer:
    """One run of QuelvoxSetup.exe."""

    def __init__(self, machine, exe, args=(), workdir=".", name="run"):
        self.machine = machine
        self.errlog = os.path.join(workdir, name + ".stderr")
        self.err = open(self.errlog, "wb")
        self.proc = subprocess.Popen([machine.runner, exe] + list(args), env=machine.env(),
                                     stdout=subprocess.DEVNULL, stderr=self.err)
        self.wid = None

    # ---- debugger channel -------------------------------------------------
    def log(self):
        with open(self.errlog, "rb") as f:
            return f.read().decode("latin-1")

    def lines(self, tag):
        out = []
        for line in self.log().splitlines():
            if ":OutputDebugString" not in line:
                continue
            m = re.search(r"\b" + tag + r" ([A-Za-z0-9_.\-]+)", line)
            if m:
                out.append(m.group(1))
        return out

    def wait_log(self, tag, value, timeout=30, count=1):
        return wait_for(lambda: self.lines(tag).count(value) >= count, timeout,
                        "%s %s (x%d) in the installer's log" % (tag, value, count))

    def pages(self):
        return [int(p) for p in self.lines("PAGE")]

    def prompts(self):
        return self.lines("PROMPT")

    def wait_prompt(self, skin, timeout=30, count=1):
        self.wait_log("PROMPT", skin, timeout, count)
        return self.find_window("消息框", timeout)

    # ---- windows ---------------------------------------------------------
    def _search(self, name):
        r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^" + name + "$"],
                           env=self.machine.env(), stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        ids = r.stdout.decode().split()
        return ids[-1] if ids else None

    def find_window(self, name="Sonavex", timeout=40):
        wid = wait_for(lambda: self._search(name), timeout, "window " + name)
        if name == "Sonavex":
            self.wid = wid
        time.sleep(0.8)  # first paint
        return wid

    def geometry(self, wid):
        r = subprocess.run(["xdotool", "getwindowgeometry", "--shell", wid], env=self.machine.env(),
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        g = dict(l.split("=", 1) for l in r.stdout.decode().split() if "=" in l)
        return int(g["X"]), int(g["Y"]), int(g["WIDTH"]), int(g["HEIGHT"])

    def click(self, wid, x, y):
        wx, wy, _, _ = self.geometry(wid)
        env = self.machine.env()
        subprocess.run(["xdotool", "mousemove", str(wx + x), str(wy + y)], env=env)
        time.sleep(0.25)
        subprocess.run(["xdotool", "mousedown", "1"], env=env)
        time.sleep(0.1)
        subprocess.run(["xdotool", "mouseup", "1"], env=env)
        time.sleep(0.3)

    def click_main(self, control):
        if self.wid is None:
            self.find_window()
        self.click(self.wid, *CLICK[control])

    def wake_main(self):
        """Under Xvfb the main window takes a moment after a prompt closed
        before it takes clicks again."""
        time.sleep(3)

    def click_prompt(self, skin, button, timeout=30, count=1):
        wid = self.wait_prompt(skin, timeout, count)
        self.click(wid, *PROMPT_BUTTONS[skin][button])
        return wid

    def key(self, wid, *keys):
        env = self.machine.env()
        subprocess.run(["xdotool", "windowactivate", "--sync", wid], env=env, stderr=subprocess.DEVNULL)
        subprocess.run(["xdotool", "key", "--window", wid] + list(keys), env=env)
        time.sleep(0.5)

    def type_text(self, text):
        subprocess.run(["xdotool", "type", "--delay", "20", text], env=self.machine.env())

    def shot(self, path, wid=None):
        """Screenshot of the window with its shadow margin (or the whole screen)."""
        env = self.machine.env()
        if wid:
            x, y, w, h = self.geometry(wid)
            m = 8
            crop = "%dx%d+%d+%d" % (w + 2 * m, h + 2 * m, max(0, x - m), max(0, y - m))
            subprocess.run(["import", "-window", "root", "-crop", crop, "+repage", path], env=env)
        else:
            subprocess.run(["import", "-window", "root", path], env=env)
        return path

    def wait_exit(self, timeout=30):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Timeout("installer did not exit")

    def alive(self):
        return self.proc.poll() is None

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        self.err.close()


def collected_events(workdir):
    path = os.path.join(workdir, "collected.jsonl")
    events = []
    if not os.path.exists(path):
        return events
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line:
                continue
            try:
                rec = json.loads(line)
            except ValueError:
                continue
            if isinstance(rec, list):
                events.extend(rec)
            else:
                events.append(rec)
    return events
