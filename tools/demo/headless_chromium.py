"""Debian's chromium, headless, driven through its DevTools pipe.

The pipe (--remote-debugging-pipe: commands on fd 3, answers on fd 4, each
a JSON message ended by a NUL) needs nothing beyond Python's own library, so
scripts/screenshot and the report page's browser test use the browser that
bootstrap installs and nothing else. One page at a time:

    with Chromium(width=1000, height=800) as browser:
        problems = browser.open("/path/to/report.html")
        value = browser.evaluate("document.title")
        png = browser.screenshot()
"""
import base64
import fcntl
import json
import os
import pathlib
import select
import shutil
import subprocess
import tempfile
import time


class ChromiumError(Exception):
    pass


class Chromium:
    def __init__(self, width, height, time_limit=60):
        self.width, self.height, self.time_limit = width, height, time_limit
        self.next_id = 0
        self.events = []
        self.buffer = b""

    def __enter__(self):
        binary = shutil.which("chromium")
        if not binary:
            raise ChromiumError("chromium is not installed (scripts/bootstrap installs it)")
        self.profile = tempfile.mkdtemp(prefix="zq-chromium-")
        to_browser, self.commands = os.pipe()
        self.answers, from_browser = os.pipe()

        def on_3_and_4():
            # Above any descriptor in use first, so neither move clobbers the other.
            read_end = fcntl.fcntl(to_browser, fcntl.F_DUPFD, 10)
            write_end = fcntl.fcntl(from_browser, fcntl.F_DUPFD, 10)
            os.dup2(read_end, 3)
            os.dup2(write_end, 4)

        # root may run no sandbox; the page is the tree's own file.
        sandbox = ["--no-sandbox"] if os.geteuid() == 0 else []
        self.process = subprocess.Popen(
            [binary, "--headless", "--remote-debugging-pipe", "--disable-gpu", "--no-first-run",
             "--no-default-browser-check", "--hide-scrollbars", f"--user-data-dir={self.profile}",
             f"--window-size={self.width},{self.height}", *sandbox, "about:blank"],
            preexec_fn=on_3_and_4, close_fds=False,
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser)
        os.close(from_browser)
        try:
            target = self.send("Target.createTarget", url="about:blank")["targetId"]
            self.session = self.send("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
            for domain in ("Page", "Runtime", "Log"):
                self.send(f"{domain}.enable", session=True)
            self.send("Emulation.setDeviceMetricsOverride", session=True, width=self.width, height=self.height,
                      deviceScaleFactor=1, mobile=False)
        except BaseException:
            # A browser that does not answer is not left running.
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *_):
        try:
            self.send("Browser.close")
        except (ChromiumError, OSError):
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self.commands)
        os.close(self.answers)
        shutil.rmtree(self.profile, ignore_errors=True)

    def _message(self, deadline):
        while b"\0" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.answers], [], [], left)[0]:
                raise ChromiumError(f"chromium did not answer within {self.time_limit} s")
            chunk = os.read(self.answers, 65536)
            if not chunk:
                raise ChromiumError("chromium closed its pipe")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def send(self, method, session=False, **params):
        """The result of one command; events that come first are kept."""
        self.next_id += 1
        command = {"id": self.next_id, "method": method, "params": params}
        if session:
            command["sessionId"] = self.session
        os.write(self.commands, json.dumps(command).encode() + b"\0")
        deadline = time.monotonic() + self.time_limit
        while True:
            message = self._message(deadline)
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise ChromiumError(f"{method}: {message['error'].get('message')}")
                return message.get("result", {})
            self.events.append(message)

    def wait_for(self, method):
        deadline = time.monotonic() + self.time_limit
        while not any(event.get("method") == method for event in self.events):
            self.events.append(self._message(deadline))

    def open(self, path):
        """Loads a file and returns what the page reported as errors, each a line."""
        self.events.clear()
        self.send("Page.navigate", session=True, url=pathlib.Path(path).resolve().as_uri())
        self.wait_for("Page.loadEventFired")
        # What a load may still report after its load event: a round trip.
        self.evaluate("0")
        return self.errors()

    def errors(self):
        found = []
        for event in self.events:
            params = event.get("params", {})
            if event.get("method") == "Runtime.exceptionThrown":
                found.append("exception: " + params["exceptionDetails"].get("text", ""))
            elif event.get("method") == "Runtime.consoleAPICalled" and params.get("type") in ("error", "assert"):
                found.append("console: " + " ".join(str(arg.get("value", "")) for arg in params.get("args", [])))
            elif event.get("method") == "Log.entryAdded" and params["entry"].get("level") == "error":
                found.append(f"{params['entry'].get('source')}: {params['entry'].get('text')}")
        return found

    def evaluate(self, expression):
        result = self.send("Runtime.evaluate", session=True, expression=expression, returnByValue=True)
        if "exceptionDetails" in result:
            raise ChromiumError("evaluate: " + result["exceptionDetails"].get("text", ""))
        return result["result"].get("value")

    def screenshot(self, height=None):
        """A PNG of the page's top: the viewport, or the given height in pixels."""
        clip = {"x": 0, "y": 0, "width": self.width, "height": height or self.height, "scale": 1}
        result = self.send("Page.captureScreenshot", session=True, format="png", clip=clip,
                           captureBeyondViewport=True)
        return base64.b64decode(result["data"])
